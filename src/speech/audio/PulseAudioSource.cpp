#include "PulseAudioSource.h"

#include <pulse/error.h>
#include <pulse/mainloop.h>
#include <pulse/pulseaudio.h>

#include <chrono>

namespace {

// How long one wait in read() may last before it returns empty-handed.
constexpr int readWaitMs = 200;
// A server that takes longer than this to accept a connection counts as not there.
constexpr auto connectTimeout = std::chrono::seconds(5);

} // namespace

PulseAudioSource::~PulseAudioSource()
{
    close();
}

bool PulseAudioSource::iterate(int timeoutMs)
{
    if (pa_mainloop_prepare(m_loop, timeoutMs * 1000) < 0)
        return false;
    if (pa_mainloop_poll(m_loop) < 0)
        return false;
    return pa_mainloop_dispatch(m_loop) >= 0;
}

bool PulseAudioSource::failed() const
{
    if (!m_context || !PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context)))
        return true;
    return m_stream && !PA_STREAM_IS_GOOD(pa_stream_get_state(m_stream));
}

bool PulseAudioSource::waitUntilReady(bool (*ready)(PulseAudioSource *), QString *error)
{
    const auto deadline = std::chrono::steady_clock::now() + connectTimeout;
    while (!ready(this)) {
        if (failed()) {
            if (error)
                *error = QString::fromUtf8(pa_strerror(pa_context_errno(m_context)));
            return false;
        }
        if (std::chrono::steady_clock::now() > deadline || m_interrupted) {
            if (error)
                *error = QStringLiteral("the sound server does not answer");
            return false;
        }
        if (!iterate(100)) {
            if (error)
                *error = QStringLiteral("the sound server connection failed");
            return false;
        }
    }
    return true;
}

bool PulseAudioSource::open(QString *error)
{
    close();
    {
        std::lock_guard lock(m_loopMutex);
        m_loop = pa_mainloop_new();
    }
    if (!m_loop) {
        if (error)
            *error = QStringLiteral("out of memory");
        return false;
    }
    m_context = pa_context_new(pa_mainloop_get_api(m_loop), "Quillet");
    if (!m_context || pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        if (error)
            *error = m_context ? QString::fromUtf8(pa_strerror(pa_context_errno(m_context)))
                               : QStringLiteral("out of memory");
        close();
        return false;
    }
    auto contextReady = [](PulseAudioSource *self) {
        return pa_context_get_state(self->m_context) == PA_CONTEXT_READY;
    };
    if (!waitUntilReady(contextReady, error)) {
        close();
        return false;
    }

    pa_sample_spec format{};
    format.format = PA_SAMPLE_S16LE;
    format.rate = sampleRate;
    format.channels = 1;
    m_stream = pa_stream_new(m_context, "speech recognition", &format, nullptr);
    // Small fragments: the recognizer's latency starts with how long the server holds audio.
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.fragsize = sampleRate / 20 * sizeof(int16_t);
    if (!m_stream ||
        pa_stream_connect_record(m_stream, nullptr, &attr, PA_STREAM_ADJUST_LATENCY) < 0) {
        if (error)
            *error = QString::fromUtf8(pa_strerror(pa_context_errno(m_context)));
        close();
        return false;
    }
    auto streamReady = [](PulseAudioSource *self) {
        return pa_stream_get_state(self->m_stream) == PA_STREAM_READY;
    };
    if (!waitUntilReady(streamReady, error)) {
        close();
        return false;
    }
    return true;
}

void PulseAudioSource::close()
{
    if (m_stream) {
        pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
        m_stream = nullptr;
    }
    if (m_context) {
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
        m_context = nullptr;
    }
    m_buffered.clear();
    std::lock_guard lock(m_loopMutex);
    if (m_loop) {
        pa_mainloop_free(m_loop);
        m_loop = nullptr;
    }
}

void PulseAudioSource::takeAudio()
{
    while (pa_stream_readable_size(m_stream) > 0) {
        const void *data = nullptr;
        size_t bytes = 0;
        if (pa_stream_peek(m_stream, &data, &bytes) < 0)
            return;
        if (bytes == 0)
            return;
        const size_t count = bytes / sizeof(int16_t);
        if (data) {
            const auto *samples = static_cast<const int16_t *>(data);
            m_buffered.insert(m_buffered.end(), samples, samples + count);
        } else {
            // A hole in the recording: the server lost audio; it is heard as silence.
            m_buffered.insert(m_buffered.end(), count, 0);
        }
        pa_stream_drop(m_stream);
    }
}

int PulseAudioSource::read(int16_t *samples, int maxSamples)
{
    if (!m_stream)
        return -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(readWaitMs);
    while (m_buffered.size() < static_cast<size_t>(maxSamples)) {
        if (m_interrupted.exchange(false))
            return 0;
        if (failed() || !iterate(readWaitMs))
            return -1;
        takeAudio();
        if (std::chrono::steady_clock::now() > deadline)
            break;
    }
    const int count = static_cast<int>(std::min<size_t>(m_buffered.size(), maxSamples));
    std::copy(m_buffered.begin(), m_buffered.begin() + count, samples);
    m_buffered.erase(m_buffered.begin(), m_buffered.begin() + count);
    return count;
}

void PulseAudioSource::interrupt()
{
    m_interrupted = true;
    std::lock_guard lock(m_loopMutex);
    if (m_loop)
        pa_mainloop_wakeup(m_loop);
}
