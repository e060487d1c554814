#pragma once

#include "AudioSink.h"
#include "EspeakLibrary.h"

#include <QByteArray>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// The synthesizer's thread: speaks queued utterances one after another, handing each chunk
// of samples to the sink as espeak-ng produces it, and watches the sink's play position to
// tell when an utterance's audio really starts and when it has been heard to the end.
// started and finished are called on this thread; every utterance gets a finished, even one
// that produced no audio or was cancelled.
class SpeechWorker {
public:
    using Notify = std::function<void(quint64 id)>;
    // Makes and opens a real output; nullptr while there is none to be had.
    using SinkFactory = std::function<std::unique_ptr<AudioSink>()>;

    // A null sink means the silent output. With a factory, the worker tries again for a real
    // output every so often while it is silent and idle, so that a sound server started (or
    // restarted) after the program is heard again without a restart.
    SpeechWorker(std::unique_ptr<AudioSink> sink, int sampleRate, Notify started, Notify finished,
                 SinkFactory reopen = {});
    // Silent at first: the worker's first act is to ask makeSink for the real output, so that
    // a sound server's slow answer holds up nobody. Texts given meanwhile wait for it.
    static std::unique_ptr<SpeechWorker> connecting(SinkFactory makeSink, int sampleRate,
                                                    Notify started, Notify finished);
    ~SpeechWorker();
    SpeechWorker(const SpeechWorker &) = delete;
    SpeechWorker &operator=(const SpeechWorker &) = delete;

    // Ids must grow with every call.
    void enqueue(quint64 id, const QByteArray &utf8, const EspeakLibrary::Voice &voice);
    // Drops every utterance up to and including id: queued ones are forgotten, the one in
    // progress stops synthesizing and its queued audio is dropped before this returns.
    // Also lifts a pause.
    void cancelUpTo(quint64 id);
    void setPaused(bool paused);

    // False while the silent output stands in for a sound server that is not there.
    bool isAudible() const;
    void setReopenInterval(std::chrono::milliseconds interval);

private:
    struct Job {
        quint64 id = 0;
        QByteArray utf8;
        EspeakLibrary::Voice voice;
    };

    SpeechWorker(std::unique_ptr<AudioSink> sink, int sampleRate, Notify started, Notify finished,
                 SinkFactory reopen, bool connectFirst);

    void run();
    void speak(const Job &job);
    // The rest run with m_mutex held.
    bool isCancelled(quint64 id) const { return m_quit || id <= m_cancelledUpTo; }
    qint64 playedLocked();
    void replaceFailedSinkLocked(qint64 total);
    // Puts the silent output in place of a real one that failed; true when it did.
    bool silenceFailedSinkLocked();
    // Called unlocked, on the worker thread, while nothing is being spoken.
    // announce: say so when it works.
    void tryReopen(bool announce = true);

    const int m_sampleRate;
    const Notify m_started;
    const Notify m_finished;
    const SinkFactory m_reopen;
    std::chrono::milliseconds m_reopenInterval{3000};

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Job> m_jobs;
    std::unique_ptr<AudioSink> m_sink;
    // The real output is looked for before anything else the thread does.
    const bool m_connectFirst;
    bool m_audible = true;
    quint64 m_cancelledUpTo = 0;
    bool m_stretchOpen = false;
    bool m_paused = false;
    bool m_quit = false;
    // Play position of the current utterance: m_base plus what the sink reports, so that
    // an utterance can carry on in another sink.
    qint64 m_base = 0;
    qint64 m_lastPlayed = 0;

    std::thread m_thread;
};
