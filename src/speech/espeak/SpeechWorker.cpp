#include "SpeechWorker.h"

#include "SilentSink.h"

#include <cstdio>
#include <vector>

namespace {
// How often the play position is looked at once synthesis is done; the events can be this
// late, which nobody sees on a face that changes frames every 120 ms.
constexpr auto pollInterval = std::chrono::milliseconds(5);
} // namespace

SpeechWorker::SpeechWorker(std::unique_ptr<AudioSink> sink, int sampleRate, Notify started,
                           Notify finished, SinkFactory reopen)
    : SpeechWorker(std::move(sink), sampleRate, std::move(started), std::move(finished),
                   std::move(reopen), false)
{}

SpeechWorker::SpeechWorker(std::unique_ptr<AudioSink> sink, int sampleRate, Notify started,
                           Notify finished, SinkFactory reopen, bool connectFirst)
    : m_sampleRate(sampleRate)
    , m_started(std::move(started))
    , m_finished(std::move(finished))
    , m_reopen(std::move(reopen))
    , m_sink(std::move(sink))
    , m_connectFirst(connectFirst && m_reopen)
{
    if (!m_sink) {
        m_sink = std::make_unique<SilentSink>();
        m_sink->open(m_sampleRate);
        m_audible = false;
    }
    m_thread = std::thread(&SpeechWorker::run, this);
}

std::unique_ptr<SpeechWorker> SpeechWorker::connecting(SinkFactory makeSink, int sampleRate,
                                                       Notify started, Notify finished)
{
    return std::unique_ptr<SpeechWorker>(new SpeechWorker(
        nullptr, sampleRate, std::move(started), std::move(finished), std::move(makeSink), true));
}

SpeechWorker::~SpeechWorker()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_jobs.clear();
        if (m_stretchOpen) {
            m_sink->end();
            m_stretchOpen = false;
        }
    }
    m_wake.notify_all();
    m_thread.join();
}

void SpeechWorker::enqueue(quint64 id, const QByteArray &utf8, const EspeakLibrary::Voice &voice)
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back({id, utf8, voice});
    }
    m_wake.notify_all();
}

void SpeechWorker::cancelUpTo(quint64 id)
{
    {
        std::lock_guard lock(m_mutex);
        m_cancelledUpTo = std::max(m_cancelledUpTo, id);
        while (!m_jobs.empty() && m_jobs.front().id <= id)
            m_jobs.pop_front();
        // Chunks are written under the same lock after a cancellation check, so nothing of
        // the cancelled utterance reaches the sink after this.
        if (m_stretchOpen) {
            m_sink->end();
            m_stretchOpen = false;
        }
        if (m_paused) {
            m_paused = false;
            m_sink->setPaused(false);
        }
    }
    m_wake.notify_all();
}

void SpeechWorker::setPaused(bool paused)
{
    std::lock_guard lock(m_mutex);
    m_paused = paused;
    m_sink->setPaused(paused);
}

bool SpeechWorker::isAudible() const
{
    std::lock_guard lock(m_mutex);
    return m_audible;
}

void SpeechWorker::setReopenInterval(std::chrono::milliseconds interval)
{
    {
        std::lock_guard lock(m_mutex);
        m_reopenInterval = interval;
    }
    m_wake.notify_all();
}

void SpeechWorker::tryReopen(bool announce)
{
    // Opening may wait for a slow server a few seconds; the lock stays free meanwhile, so
    // stopspeech and new texts are never held up by it.
    std::unique_ptr<AudioSink> sink = m_reopen();
    if (!sink)
        return;
    std::lock_guard lock(m_mutex);
    if (m_quit || m_audible)
        return;
    sink->setPaused(m_paused);
    m_sink = std::move(sink);
    m_audible = true;
    if (announce)
        std::fprintf(stderr, "Quillet: speaking through the sound server again\n");
}

bool SpeechWorker::silenceFailedSinkLocked()
{
    if (!m_audible || !m_sink->failed())
        return false;
    auto silent = std::make_unique<SilentSink>();
    silent->open(m_sampleRate);
    silent->setPaused(m_paused);
    m_sink = std::move(silent);
    m_audible = false;
    std::fprintf(stderr, "Quillet: lost the sound server's output\n");
    return true;
}

void SpeechWorker::run()
{
    if (m_connectFirst)
        tryReopen(false);
    while (true) {
        Job job;
        bool idle = false;
        bool reopen = false;
        {
            std::unique_lock lock(m_mutex);
            auto ready = [this] { return m_quit || !m_jobs.empty(); };
            // Looking at the output now and then also while it works tells a sound server
            // that went away in a quiet moment, so it is found again before anything is said.
            if (m_reopen)
                idle = !m_wake.wait_for(lock, m_reopenInterval, ready);
            else
                m_wake.wait(lock, ready);
            if (m_quit)
                return;
            if (!idle) {
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            // An output lost just now is tried again at once: the server was most likely
            // restarted, and the utterance waiting would otherwise go unheard.
            const bool lostNow = m_reopen && silenceFailedSinkLocked();
            reopen = m_reopen && !m_audible && (idle || lostNow);
        }
        if (reopen)
            tryReopen();
        if (idle)
            continue;
        speak(job);
        m_finished(job.id);
    }
}

qint64 SpeechWorker::playedLocked()
{
    m_lastPlayed = std::max(m_lastPlayed, m_base + m_sink->played());
    return m_lastPlayed;
}

void SpeechWorker::replaceFailedSinkLocked(qint64 total)
{
    if (!silenceFailedSinkLocked())
        return;
    // The sound server is gone: the rest of the utterance "plays" silently for as long as it
    // would have been heard, and so does everything after it.
    m_sink->begin();
    const std::vector<qint16> rest(size_t(std::max<qint64>(total - m_lastPlayed, 0)), 0);
    m_sink->write(rest.data(), qsizetype(rest.size()));
    m_base = m_lastPlayed;
}

void SpeechWorker::speak(const Job &job)
{
    {
        std::lock_guard lock(m_mutex);
        if (isCancelled(job.id))
            return;
        m_sink->begin();
        m_stretchOpen = true;
        m_base = 0;
        m_lastPlayed = 0;
    }
    qint64 total = 0;
    bool startSeen = false;
    // Brings m_lastPlayed up to date and reports the first sample heard.
    auto followPlayback = [&] {
        if (playedLocked() > 0 && !startSeen) {
            startSeen = true;
            m_started(job.id);
        }
    };

    EspeakLibrary::instance().synthesize(job.utf8, job.voice, [&](const short *samples, int count) {
        std::lock_guard lock(m_mutex);
        if (isCancelled(job.id))
            return false;
        replaceFailedSinkLocked(total);
        m_sink->write(samples, count);
        total += count;
        followPlayback();
        return true;
    });

    std::unique_lock lock(m_mutex);
    if (!isCancelled(job.id))
        m_sink->finish();
    while (!isCancelled(job.id)) {
        replaceFailedSinkLocked(total);
        followPlayback();
        if (m_lastPlayed >= total) {
            m_sink->end();
            m_stretchOpen = false;
            return;
        }
        m_wake.wait_for(lock, pollInterval);
    }
}
