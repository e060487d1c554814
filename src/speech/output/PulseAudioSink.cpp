#include "PulseAudioSink.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <thread>

namespace {
constexpr auto connectTimeout = std::chrono::seconds(3);
// The server starts a stream once this much is buffered; below one synthesis chunk, so the
// first chunk plays at once.
constexpr int startThresholdMs = 10;
constexpr int targetBufferMs = 60;
constexpr auto stallTimeout = std::chrono::seconds(3);

class MainloopLock {
public:
    explicit MainloopLock(pa_threaded_mainloop *mainloop)
        : m_mainloop(mainloop)
    {
        pa_threaded_mainloop_lock(m_mainloop);
    }
    ~MainloopLock() { pa_threaded_mainloop_unlock(m_mainloop); }
    MainloopLock(const MainloopLock &) = delete;
    MainloopLock &operator=(const MainloopLock &) = delete;

private:
    pa_threaded_mainloop *m_mainloop;
};

// Waits, with the lock released in between, until ready() or failed() holds or time runs out.
template <typename Ready, typename Failed>
bool waitFor(pa_threaded_mainloop *mainloop, Ready ready, Failed failed)
{
    const auto deadline = std::chrono::steady_clock::now() + connectTimeout;
    while (true) {
        {
            MainloopLock lock(mainloop);
            if (ready())
                return true;
            if (failed())
                return false;
        }
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}
} // namespace

PulseAudioSink::PulseAudioSink(const QString &clientName)
    : m_clientName(clientName.toUtf8())
{}

PulseAudioSink::~PulseAudioSink()
{
    if (!m_mainloop)
        return;
    {
        MainloopLock lock(m_mainloop);
        dispose(m_stream);
        dispose(m_spare);
        if (m_timingUpdate)
            pa_operation_unref(m_timingUpdate);
        if (m_context) {
            pa_context_set_state_callback(m_context, nullptr, nullptr);
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
        }
    }
    pa_threaded_mainloop_stop(m_mainloop);
    pa_threaded_mainloop_free(m_mainloop);
}

bool PulseAudioSink::open(int sampleRate)
{
    if (m_mainloop || sampleRate <= 0)
        return false;
    m_sampleRate = sampleRate;
    m_mainloop = pa_threaded_mainloop_new();
    if (!m_mainloop)
        return false;
    {
        MainloopLock lock(m_mainloop);
        m_context = pa_context_new(pa_threaded_mainloop_get_api(m_mainloop), m_clientName.data());
        if (!m_context)
            return false;
        pa_context_set_state_callback(m_context, &PulseAudioSink::onContextState, this);
        if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            m_failed = true;
            return false;
        }
    }
    if (pa_threaded_mainloop_start(m_mainloop) < 0) {
        m_failed = true;
        return false;
    }
    const bool connected = waitFor(
        m_mainloop, [this] { return pa_context_get_state(m_context) == PA_CONTEXT_READY; },
        [this] { return bool(m_failed); });
    if (!connected) {
        m_failed = true;
        return false;
    }
    {
        MainloopLock lock(m_mainloop);
        m_spare = createStream();
    }
    // Not fatal if slow: writes wait in the queue until the stream is ready.
    waitFor(
        m_mainloop, [this] { return m_spare && pa_stream_get_state(m_spare) == PA_STREAM_READY; },
        [this] { return bool(m_failed); });
    return !m_failed;
}

pa_stream *PulseAudioSink::createStream()
{
    if (m_failed || !m_context || pa_context_get_state(m_context) != PA_CONTEXT_READY)
        return nullptr;
    pa_sample_spec sampleFormat;
    sampleFormat.format = PA_SAMPLE_S16LE;
    sampleFormat.rate = uint32_t(m_sampleRate);
    sampleFormat.channels = 1;
    pa_stream *stream = pa_stream_new(m_context, "speech", &sampleFormat, nullptr);
    if (!stream)
        return nullptr;
    pa_stream_set_state_callback(stream, &PulseAudioSink::onStreamState, this);
    pa_stream_set_write_callback(stream, &PulseAudioSink::onWritable, this);
    pa_buffer_attr attr;
    attr.maxlength = uint32_t(-1);
    attr.tlength = uint32_t(pa_usec_to_bytes(targetBufferMs * 1000, &sampleFormat));
    attr.prebuf = uint32_t(pa_usec_to_bytes(startThresholdMs * 1000, &sampleFormat));
    attr.minreq = uint32_t(-1);
    attr.fragsize = uint32_t(-1);
    const auto flags = pa_stream_flags_t(PA_STREAM_INTERPOLATE_TIMING |
                                         PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_ADJUST_LATENCY);
    if (pa_stream_connect_playback(stream, nullptr, &attr, flags, nullptr, nullptr) < 0) {
        pa_stream_unref(stream);
        return nullptr;
    }
    return stream;
}

void PulseAudioSink::dispose(pa_stream *&stream)
{
    if (!stream)
        return;
    pa_stream_set_state_callback(stream, nullptr, nullptr);
    pa_stream_set_write_callback(stream, nullptr, nullptr);
    // Disconnecting drops the server's buffer with it: the audio stops at once.
    pa_stream_disconnect(stream);
    pa_stream_unref(stream);
    stream = nullptr;
}

void PulseAudioSink::begin()
{
    if (!m_mainloop)
        return;
    MainloopLock lock(m_mainloop);
    dispose(m_stream);
    m_stream = m_spare ? m_spare : createStream();
    m_spare = nullptr;
    m_pending.clear();
    m_handed = 0;
    m_finishing = false;
    m_triggered = false;
    m_drained = false;
    m_firstHandOver = {};
    m_lastPlayed = -1;
    if (m_stream && m_paused)
        pa_operation_unref(pa_stream_cork(m_stream, 1, nullptr, nullptr));
}

void PulseAudioSink::write(const qint16 *samples, qsizetype count)
{
    if (!m_mainloop || count <= 0)
        return;
    MainloopLock lock(m_mainloop);
    m_pending.append(reinterpret_cast<const char *>(samples), count * qsizetype(sizeof(qint16)));
    pump();
}

void PulseAudioSink::finish()
{
    if (!m_mainloop)
        return;
    MainloopLock lock(m_mainloop);
    m_finishing = true;
    pump();
}

void PulseAudioSink::pump()
{
    if (!m_stream || pa_stream_get_state(m_stream) != PA_STREAM_READY)
        return;
    size_t writable = pa_stream_writable_size(m_stream);
    if (writable == size_t(-1))
        return;
    writable -= writable % sizeof(qint16);
    const size_t bytes = std::min(writable, size_t(m_pending.size()));
    if (bytes > 0) {
        if (m_handed == 0)
            m_firstHandOver = std::chrono::steady_clock::now();
        if (pa_stream_write(m_stream, m_pending.constData(), bytes, nullptr, 0, PA_SEEK_RELATIVE) <
            0)
            return;
        m_pending.remove(0, qsizetype(bytes));
        m_handed += qint64(bytes / sizeof(qint16));
    }
    // A stretch shorter than the start threshold would otherwise never begin playing.
    if (m_finishing && m_pending.isEmpty() && !m_triggered && m_handed > 0) {
        m_triggered = true;
        pa_operation_unref(pa_stream_trigger(m_stream, nullptr, nullptr));
        pa_operation_unref(pa_stream_drain(m_stream, &PulseAudioSink::onDrained, this));
    }
}

qint64 PulseAudioSink::played()
{
    if (!m_mainloop)
        return 0;
    MainloopLock lock(m_mainloop);
    if (!m_stream || pa_stream_get_state(m_stream) != PA_STREAM_READY || m_handed == 0)
        return 0;
    if (m_drained)
        return m_handed;
    // Fresh timing from the server rather than the automatic update every 100 ms, so the
    // start and end of an utterance are seen when they happen.
    if (!m_timingUpdate || pa_operation_get_state(m_timingUpdate) != PA_OPERATION_RUNNING) {
        if (m_timingUpdate)
            pa_operation_unref(m_timingUpdate);
        m_timingUpdate = pa_stream_update_timing_info(m_stream, nullptr, nullptr);
    }
    pa_usec_t time = 0;
    if (pa_stream_get_time(m_stream, &time) < 0)
        time = 0;
    // The interpolated clock runs on past the end of the data.
    const qint64 samples =
        std::min(qint64(time * uint64_t(m_sampleRate) / PA_USEC_PER_SEC), m_handed);
    const auto now = std::chrono::steady_clock::now();
    if (samples != m_lastPlayed || m_paused) {
        m_lastPlayed = samples;
        m_lastProgress = now;
    } else if (now - m_lastProgress > stallTimeout) {
        m_failed = true;
    }
    return samples;
}

void PulseAudioSink::end()
{
    if (!m_mainloop)
        return;
    MainloopLock lock(m_mainloop);
    dispose(m_stream);
    m_pending.clear();
    m_handed = 0;
    if (!m_spare)
        m_spare = createStream();
}

void PulseAudioSink::setPaused(bool paused)
{
    if (!m_mainloop)
        return;
    MainloopLock lock(m_mainloop);
    if (paused == m_paused)
        return;
    m_paused = paused;
    if (m_stream)
        pa_operation_unref(pa_stream_cork(m_stream, paused ? 1 : 0, nullptr, nullptr));
}

std::chrono::steady_clock::time_point PulseAudioSink::firstHandOver() const
{
    if (!m_mainloop)
        return {};
    MainloopLock lock(m_mainloop);
    return m_firstHandOver;
}

void PulseAudioSink::onContextState(pa_context *context, void *self)
{
    auto *sink = static_cast<PulseAudioSink *>(self);
    const pa_context_state_t state = pa_context_get_state(context);
    if (state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED)
        sink->m_failed = true;
}

void PulseAudioSink::onStreamState(pa_stream *stream, void *self)
{
    auto *sink = static_cast<PulseAudioSink *>(self);
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        if (stream == sink->m_stream)
            sink->pump();
        break;
    case PA_STREAM_FAILED:
        sink->m_failed = true;
        break;
    default:
        break;
    }
}

void PulseAudioSink::onDrained(pa_stream *stream, int success, void *self)
{
    auto *sink = static_cast<PulseAudioSink *>(self);
    if (success && stream == sink->m_stream)
        sink->m_drained = true;
}

void PulseAudioSink::onWritable(pa_stream *stream, size_t, void *self)
{
    auto *sink = static_cast<PulseAudioSink *>(self);
    if (stream == sink->m_stream)
        sink->pump();
}
