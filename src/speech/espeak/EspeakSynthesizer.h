#pragma once

#include "AudioSink.h"
#include "EspeakLibrary.h"
#include "SpeechWorker.h"
#include "Synthesizer.h"

#include <chrono>
#include <functional>
#include <memory>
#include <set>

// `mun` on espeak-ng: synthesizes on a worker thread and plays through an AudioSink.
//
// Events: speechstart when the first sample of an utterance is heard, speechend when its last
// one has been heard or it was stopped; every speechstart gets exactly one speechend, always
// before the next speechstart. Both arrive on the UI thread through its event queue, so the
// speechend of a stopped utterance is delivered at the next pass over pending events.
//
// speaktext while speaking queues the new text behind what is in progress (the reply to the
// wake phrase must not cut anything off); stopspeech drops everything queued as well.
// An empty or blank text is not spoken and gives no events.
class EspeakSynthesizer : public Synthesizer {
    Q_OBJECT
public:
    // Makes and opens an output; nullptr when there is none to be had.
    using SinkFactory = std::function<std::unique_ptr<AudioSink>()>;

    // Without a sink, PulseAudio if a server answers, else the silent output until one does:
    // PulseAudio is tried again every few seconds while the synthesizer is silent and idle.
    // A given sink that cannot be opened is replaced by the silent output for good.
    explicit EspeakSynthesizer(std::unique_ptr<AudioSink> sink = {}, QObject *parent = nullptr);
    // The output comes from makeSink, and is asked for again while silent.
    explicit EspeakSynthesizer(SinkFactory makeSink, QObject *parent = nullptr);
    // Like the default constructor, but returns at once: the sound server is looked for on the
    // worker thread, and what is said meanwhile is spoken once it has answered (or silently,
    // with all its events, when none does). For the program's start, which must not wait for
    // a sound server.
    static std::unique_ptr<EspeakSynthesizer> connectingInBackground(QObject *parent = nullptr);
    ~EspeakSynthesizer() override;

    void speaktext(const QString &text) override;
    void stopspeech() override;

    // A pause holds the audio where it is; stopspeech lifts it.
    void pause() override;
    void resume() override;
    // True from speaktext until that text's audio has ended or was stopped.
    bool isSpeaking() const override { return !m_unfinished.empty(); }

    int rate() const override { return m_voice.rate; }
    void setRate(int wordsPerMinute) override;
    int pitch() const override { return m_voice.pitch; }
    void setPitch(int pitch) override;
    int volume() const override { return m_voice.volume; }
    void setVolume(int volume) override;
    QString voice() const override { return m_voice.name; }
    bool setVoice(const QString &name) override;
    QStringList voices() const override;

    // False when the audio goes nowhere (no sound server, or it went away).
    bool isAudible() const;
    // How often a real output is looked for while silent.
    void setReopenInterval(std::chrono::milliseconds interval);

private:
    EspeakSynthesizer(QObject *parent, std::nullptr_t);
    void start(std::unique_ptr<AudioSink> sink, SinkFactory reopen);
    SpeechWorker::Notify notifier(void (EspeakSynthesizer::*handler)(quint64));
    void onAudioStarted(quint64 id);
    void onAudioFinished(quint64 id);
    void endCurrent();

    EspeakLibrary::Voice m_voice;
    std::unique_ptr<SpeechWorker> m_worker;
    quint64 m_lastId = 0;
    quint64 m_cancelledUpTo = 0;
    quint64 m_startedId = 0; // the utterance between its speechstart and speechend
    std::set<quint64> m_unfinished;
};
