#pragma once

#include "AudioSource.h"
#include "Recognizer.h"
#include "SpeechDecoder.h"

#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class RecognitionGrammar;

// The recognizer `reco`: PocketSphinx listening continuously to a microphone. Audio is
// read and decoded on a worker thread; a phrase is reported on the UI thread, and only
// when the utterance scores close enough to what a free phone loop finds in it, so that
// speech outside the grammar fires nothing. Without a sound device the program still
// runs: the worker says once that it cannot listen and tries the device again now and then.
class PocketSphinxRecognizer : public Recognizer {
    Q_OBJECT
public:
    using ModelPaths = SpeechDecoder::ModelPaths;

    // The limits an utterance must keep to count as a command; tuned on voices and sentences
    // of their own (bench/speech/tuning-sentences.txt), not on those the benchmark measures.
    // Confidence: grammar minus phone-loop score per frame.
    static constexpr double defaultThreshold = -15;
    // Frames the grammar gives to silence where the phone loop hears phones (10 ms each).
    // Commands in running talk kept under 40; whole sentences that matched a short phrase
    // left more.
    static constexpr int maxUnexplainedFrames = 45;
    // A sentence that merely contains something like a command leaves the rest of its words
    // to silence, which the phone loop then explains far better.
    static constexpr double maxHiddenSpeech = 0.5;
    // A command is said on its own: a phrase whose first word follows other speech this
    // closely is a piece of something longer, however well it matches. Commands said after
    // pauses of 0.4 s and more in running talk measured at least 0.5 s.
    static constexpr double minPauseBefore = 0.4;
    // Frames of quiet after a whole phrase that nothing longer can follow before it is taken
    // as said; other utterances wait for the voice-activity detector's end.
    static constexpr int quickEndFrames = 15;

    // Why the utterance is no command, for diagnostics; empty when it is one.
    static QString rejection(const SpeechDecoder::Utterance &utterance, double threshold);
    static bool accepts(const SpeechDecoder::Utterance &utterance, double threshold)
    {
        return rejection(utterance, threshold).isEmpty();
    }

    // An empty source means the default PulseAudio source.
    explicit PocketSphinxRecognizer(std::unique_ptr<AudioSource> source = {},
                                    QObject *parent = nullptr);
    PocketSphinxRecognizer(std::unique_ptr<AudioSource> source, const ModelPaths &paths,
                           QObject *parent = nullptr);
    ~PocketSphinxRecognizer() override;

    void deactivate() override;
    bool loadGrammar(const QString &path) override;
    void activate() override;

    bool isActive() const { return m_active; }
    void setThreshold(double threshold) { m_threshold = threshold; }
    double threshold() const { return m_threshold; }
    // How long to wait before trying a missing sound device again.
    void setRetryInterval(std::chrono::milliseconds interval);

signals:
    // Every utterance heard while active, accepted or not; for tuning and diagnostics.
    void utteranceScored(const QStringList &words, double confidence, bool accepted);
    // Emitted on the worker thread; delivered queued to deliver().
    void phraseDecoded(const QString &phrase, quint64 generation, QPrivateSignal);

private:
    struct PendingGrammar;

    void deliver(const QString &phrase, quint64 generation);
    void run();
    void applyGrammar(const PendingGrammar &grammar);
    bool waitForRetry(std::chrono::steady_clock::time_point until);

    std::unique_ptr<AudioSource> m_source;
    const ModelPaths m_paths;
    SpeechDecoder m_decoder;
    std::unique_ptr<class PronunciationDictionary> m_pronunciations;

    bool m_active = false;
    // Bumped by every call; a result decoded from audio of an older generation is dropped.
    std::atomic<quint64> m_generation = 0;
    std::atomic<bool> m_listening = false;
    std::atomic<double> m_threshold = defaultThreshold;
    std::atomic<bool> m_stop = false;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::unique_ptr<PendingGrammar> m_pending;
    std::chrono::milliseconds m_retryInterval{3000};

    // Worker-owned.
    std::unique_ptr<RecognitionGrammar> m_grammar;
    std::thread m_worker;
};
