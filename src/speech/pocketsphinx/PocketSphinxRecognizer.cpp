#include "PocketSphinxRecognizer.h"

#include "AudioSource.h"
#include "PronunciationDictionary.h"
#include "PulseAudioSource.h"
#include "RecognitionGrammar.h"

#include <cstdio>
#include <vector>

struct PocketSphinxRecognizer::PendingGrammar {
    RecognitionGrammar grammar;
};

namespace {

// 50 ms blocks: the delay an utterance's end waits for the block it falls in.
constexpr int blockSamples = AudioSource::sampleRate / 20;

// What tuning the limits needs: every score of the utterance, and of each of its segments,
// and why it was turned down.
void printUtterance(const SpeechDecoder::Utterance &utterance, const QString &rejection)
{
    std::fprintf(stderr,
                 "reco: \"%s\" %s confidence %.1f unexplained %d hidden %.2f of %d frames "
                 "phones %d pause %.2f %.2f loudness %.0f%s\n",
                 qPrintable(utterance.words.join(' ')),
                 rejection.isEmpty() ? "accepted" : qPrintable("rejected: " + rejection),
                 utterance.confidence, utterance.unexplainedFrames, utterance.hiddenSpeech,
                 utterance.frames, utterance.phones, utterance.pauseBefore, utterance.pauseAfter,
                 utterance.loudness, utterance.endedEarly ? " early" : "");
    for (const SpeechDecoder::Segment &segment : utterance.segments)
        std::fprintf(stderr, "seg: %s %d %d %.0f %.0f\n", qPrintable(segment.word),
                     segment.startFrame, segment.endFrame, segment.grammarScore, segment.loopScore);
}

} // namespace

QString PocketSphinxRecognizer::rejection(const SpeechDecoder::Utterance &utterance,
                                          double threshold)
{
    if (utterance.words.isEmpty())
        return QStringLiteral("no phrase");
    if (utterance.confidence < threshold)
        return QStringLiteral("confidence %1 under %2")
            .arg(utterance.confidence, 0, 'f', 1)
            .arg(threshold, 0, 'f', 1);
    if (utterance.pauseBefore < minPauseBefore)
        return QStringLiteral("a piece of longer talk: %1 s of quiet before it")
            .arg(utterance.pauseBefore, 0, 'f', 2);
    if (utterance.unexplainedFrames > maxUnexplainedFrames)
        return QStringLiteral("%1 frames of speech outside the phrase")
            .arg(utterance.unexplainedFrames);
    if (utterance.hiddenSpeech > maxHiddenSpeech)
        return QStringLiteral("words hidden around the phrase (%1)")
            .arg(utterance.hiddenSpeech, 0, 'f', 2);
    return {};
}

PocketSphinxRecognizer::PocketSphinxRecognizer(std::unique_ptr<AudioSource> source, QObject *parent)
    : PocketSphinxRecognizer(std::move(source), ModelPaths::debianDefaults(), parent)
{}

PocketSphinxRecognizer::PocketSphinxRecognizer(std::unique_ptr<AudioSource> source,
                                               const ModelPaths &paths, QObject *parent)
    : Recognizer(parent)
    , m_source(source ? std::move(source) : std::make_unique<PulseAudioSource>())
    , m_paths(paths)
    , m_pronunciations(std::make_unique<PronunciationDictionary>(paths.dictionary))
{
    connect(this, &PocketSphinxRecognizer::phraseDecoded, this, &PocketSphinxRecognizer::deliver,
            Qt::QueuedConnection);
    m_worker = std::thread([this] { run(); });
}

PocketSphinxRecognizer::~PocketSphinxRecognizer()
{
    m_stop = true;
    m_source->interrupt();
    m_wake.notify_all();
    m_worker.join();
}

void PocketSphinxRecognizer::deactivate()
{
    m_active = false;
    m_listening = false;
    ++m_generation;
}

void PocketSphinxRecognizer::activate()
{
    m_active = true;
    ++m_generation;
    m_listening = true;
}

bool PocketSphinxRecognizer::loadGrammar(const QString &path)
{
    auto pending = std::make_unique<PendingGrammar>();
    if (!RecognitionGrammar::readFile(path, &pending->grammar))
        return false;
    ++m_generation;
    std::lock_guard lock(m_mutex);
    m_pending = std::move(pending);
    m_wake.notify_all();
    return true;
}

void PocketSphinxRecognizer::setRetryInterval(std::chrono::milliseconds interval)
{
    std::lock_guard lock(m_mutex);
    m_retryInterval = interval;
    m_wake.notify_all();
}

void PocketSphinxRecognizer::deliver(const QString &phrase, quint64 generation)
{
    if (m_active && generation == m_generation)
        emit phraseFinished(phrase);
}

void PocketSphinxRecognizer::applyGrammar(const PendingGrammar &pending)
{
    QHash<QString, QStringList> pronunciations;
    for (const QString &word : pending.grammar.vocabulary())
        pronunciations.insert(word, m_pronunciations->pronunciations(word));
    m_pronunciations->releasePages();

    // A phrase with an unpronounceable word cannot be heard; the others still can.
    auto grammar = std::make_unique<RecognitionGrammar>(pending.grammar);
    QList<QStringList> phrases;
    for (const RecognitionGrammar::Phrase &phrase : grammar->phrases()) {
        bool speakable = true;
        for (const QString &word : phrase.words)
            speakable = speakable && !pronunciations.value(word).isEmpty();
        if (speakable)
            phrases << phrase.words;
    }
    m_decoder.setGrammar(phrases, pronunciations);
    m_grammar = std::move(grammar);
}

bool PocketSphinxRecognizer::waitForRetry(std::chrono::steady_clock::time_point until)
{
    std::unique_lock lock(m_mutex);
    m_wake.wait_until(lock, until, [this] { return m_stop.load() || m_pending; });
    return !m_stop;
}

void PocketSphinxRecognizer::run()
{
    QString error;
    if (!m_decoder.init(m_paths, &error)) {
        std::fprintf(stderr, "Quillet: cannot listen: %s\n", qPrintable(error));
        return;
    }
    m_decoder.setQuickEnd(quickEndFrames);

    auto takePending = [this] {
        std::unique_ptr<PendingGrammar> pending;
        {
            std::lock_guard lock(m_mutex);
            pending = std::move(m_pending);
        }
        if (pending)
            applyGrammar(*pending);
    };

    const bool debug = qEnvironmentVariableIsSet("QUILLET_RECO_DEBUG");
    std::vector<int16_t> block(blockSamples);
    bool open = false;
    bool complained = false;
    // The microphone was lost or never there: its coming back is worth a line in the log.
    bool missing = false;
    auto nextTry = std::chrono::steady_clock::now();
    quint64 utteranceGeneration = 0;
    while (!m_stop) {
        takePending();
        if (!open) {
            if (std::chrono::steady_clock::now() < nextTry) {
                waitForRetry(nextTry);
                continue;
            }
            QString why;
            if (m_source->open(&why)) {
                if (missing)
                    std::fprintf(stderr, "Quillet: listening to the microphone again\n");
                open = true;
                complained = false;
                missing = false;
            } else {
                missing = true;
                if (!complained) {
                    std::fprintf(stderr,
                                 "Quillet: cannot listen to the microphone (%s); will try again "
                                 "later\n",
                                 qPrintable(why));
                    complained = true;
                }
                std::lock_guard lock(m_mutex);
                nextTry = std::chrono::steady_clock::now() + m_retryInterval;
            }
            continue;
        }

        const int count = m_source->read(block.data(), blockSamples);
        if (count < 0) {
            std::fprintf(stderr, "Quillet: lost the microphone\n");
            m_source->close();
            open = false;
            missing = true;
            m_decoder.restart();
            std::lock_guard lock(m_mutex);
            nextTry = std::chrono::steady_clock::now() + m_retryInterval;
            continue;
        }
        if (count == 0)
            continue;
        // A grammar loaded while the read waited applies to what was just heard.
        takePending();

        const quint64 generation = m_generation;
        if (!m_listening) {
            if (m_decoder.inSpeech())
                m_decoder.restart();
            continue;
        }
        if (m_decoder.inSpeech() && generation != utteranceGeneration)
            m_decoder.restart();
        if (!m_decoder.inSpeech())
            utteranceGeneration = generation;

        SpeechDecoder::Utterance utterance;
        if (!m_decoder.process(block.data(), count, &utterance))
            continue;
        const QString phrase = m_grammar ? m_grammar->phraseFor(utterance.words) : QString();
        const QString why =
            phrase.isEmpty() ? QStringLiteral("no phrase") : rejection(utterance, m_threshold);
        const bool accepted = why.isEmpty();
        if (debug)
            printUtterance(utterance, why);
        emit utteranceScored(utterance.words, utterance.confidence, accepted);
        if (accepted)
            emit phraseDecoded(phrase, utteranceGeneration, QPrivateSignal());
    }
    if (open)
        m_source->close();
}
