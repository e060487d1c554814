#include "EspeakSynthesizer.h"

#include "PulseAudioSink.h"
#include "SilentSink.h"
#include "SpeechWorker.h"

#include <algorithm>

namespace {
std::unique_ptr<AudioSink> openSink(std::unique_ptr<AudioSink> sink, int sampleRate)
{
    if (sink && sink->open(sampleRate))
        return sink;
    return nullptr;
}

int outputSampleRate()
{
    EspeakLibrary &library = EspeakLibrary::instance();
    return library.isAvailable() ? library.sampleRate() : 22050;
}
} // namespace

EspeakSynthesizer::EspeakSynthesizer(std::unique_ptr<AudioSink> sink, QObject *parent)
    : Synthesizer(parent)
{
    const int sampleRate = outputSampleRate();
    if (sink) {
        start(openSink(std::move(sink), sampleRate), {});
        return;
    }
    auto pulseAudio = [sampleRate] {
        return openSink(std::make_unique<PulseAudioSink>(), sampleRate);
    };
    start(pulseAudio(), pulseAudio);
}

EspeakSynthesizer::EspeakSynthesizer(SinkFactory makeSink, QObject *parent)
    : Synthesizer(parent)
{
    start(makeSink(), makeSink);
}

// Made without a worker; the caller gives it one.
EspeakSynthesizer::EspeakSynthesizer(QObject *parent, std::nullptr_t)
    : Synthesizer(parent)
{}

std::unique_ptr<EspeakSynthesizer> EspeakSynthesizer::connectingInBackground(QObject *parent)
{
    std::unique_ptr<EspeakSynthesizer> synthesizer(new EspeakSynthesizer(parent, nullptr));
    const int sampleRate = outputSampleRate();
    EspeakSynthesizer *self = synthesizer.get();
    synthesizer->m_worker = SpeechWorker::connecting(
        [sampleRate] { return openSink(std::make_unique<PulseAudioSink>(), sampleRate); },
        sampleRate, self->notifier(&EspeakSynthesizer::onAudioStarted),
        self->notifier(&EspeakSynthesizer::onAudioFinished));
    return synthesizer;
}

// The worker's notifications come from its own thread; queued onto this object they are
// handled on the UI thread, in the order they were sent.
SpeechWorker::Notify EspeakSynthesizer::notifier(void (EspeakSynthesizer::*handler)(quint64))
{
    return [this, handler](quint64 id) {
        QMetaObject::invokeMethod(
            this, [this, handler, id] { (this->*handler)(id); }, Qt::QueuedConnection);
    };
}

void EspeakSynthesizer::start(std::unique_ptr<AudioSink> sink, SinkFactory reopen)
{
    m_worker = std::make_unique<SpeechWorker>(
        std::move(sink), outputSampleRate(), notifier(&EspeakSynthesizer::onAudioStarted),
        notifier(&EspeakSynthesizer::onAudioFinished), std::move(reopen));
}

void EspeakSynthesizer::setReopenInterval(std::chrono::milliseconds interval)
{
    m_worker->setReopenInterval(interval);
}

// The worker goes first: its thread may still be posting to this object.
EspeakSynthesizer::~EspeakSynthesizer()
{
    m_worker.reset();
}

void EspeakSynthesizer::speaktext(const QString &text)
{
    if (text.trimmed().isEmpty() || !EspeakLibrary::instance().isAvailable())
        return;
    const quint64 id = ++m_lastId;
    m_unfinished.insert(id);
    m_worker->enqueue(id, text.toUtf8(), m_voice);
}

void EspeakSynthesizer::stopspeech()
{
    m_cancelledUpTo = m_lastId;
    m_worker->cancelUpTo(m_lastId);
    m_unfinished.clear();
    if (m_startedId == 0)
        return;
    m_startedId = 0;
    // Queued like every other event, so a stop inside a handler does not re-enter it.
    QMetaObject::invokeMethod(this, &Synthesizer::speechend, Qt::QueuedConnection);
}

void EspeakSynthesizer::pause()
{
    m_worker->setPaused(true);
}

void EspeakSynthesizer::resume()
{
    m_worker->setPaused(false);
}

void EspeakSynthesizer::onAudioStarted(quint64 id)
{
    if (id <= m_cancelledUpTo || id == m_startedId)
        return;
    endCurrent();
    m_startedId = id;
    emit speechstart();
}

void EspeakSynthesizer::onAudioFinished(quint64 id)
{
    m_unfinished.erase(id);
    if (id == m_startedId)
        endCurrent();
}

void EspeakSynthesizer::endCurrent()
{
    if (m_startedId == 0)
        return;
    m_startedId = 0;
    emit speechend();
}

void EspeakSynthesizer::setRate(int wordsPerMinute)
{
    m_voice.rate = std::clamp(wordsPerMinute, 80, 450);
}

void EspeakSynthesizer::setPitch(int pitch)
{
    m_voice.pitch = std::clamp(pitch, 0, 100);
}

void EspeakSynthesizer::setVolume(int volume)
{
    m_voice.volume = std::clamp(volume, 0, 100);
}

bool EspeakSynthesizer::setVoice(const QString &name)
{
    if (!EspeakLibrary::instance().hasVoice(name))
        return false;
    m_voice.name = name;
    return true;
}

QStringList EspeakSynthesizer::voices() const
{
    return EspeakLibrary::instance().voiceNames();
}

bool EspeakSynthesizer::isAudible() const
{
    return m_worker->isAudible();
}
