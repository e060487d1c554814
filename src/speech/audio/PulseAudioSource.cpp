#include "PulseAudioSource.h"

#include <pulse/error.h>
#include <pulse/simple.h>

PulseAudioSource::~PulseAudioSource()
{
    close();
}

bool PulseAudioSource::open(QString *error)
{
    close();
    pa_sample_spec sampleFormat{};
    sampleFormat.format = PA_SAMPLE_S16LE;
    sampleFormat.rate = sampleRate;
    sampleFormat.channels = 1;
    // Small fragments: the recognizer's latency starts with how long the server holds audio.
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.fragsize = sampleRate / 20 * sizeof(int16_t);
    int code = 0;
    m_stream = pa_simple_new(nullptr, "Quillet", PA_STREAM_RECORD, nullptr, "speech recognition",
                             &sampleFormat, nullptr, &attr, &code);
    if (!m_stream) {
        if (error)
            *error = QString::fromUtf8(pa_strerror(code));
        return false;
    }
    return true;
}

void PulseAudioSource::close()
{
    if (m_stream) {
        pa_simple_free(m_stream);
        m_stream = nullptr;
    }
}

int PulseAudioSource::read(int16_t *samples, int maxSamples)
{
    if (!m_stream)
        return -1;
    if (m_interrupted.exchange(false))
        return 0;
    // pa_simple_read blocks until the whole buffer is filled; fragments of 50 ms keep that
    // short enough for the worker to notice an interrupt.
    int code = 0;
    if (pa_simple_read(m_stream, samples, static_cast<size_t>(maxSamples) * sizeof(int16_t),
                       &code) < 0)
        return -1;
    return maxSamples;
}

void PulseAudioSource::interrupt()
{
    m_interrupted = true;
}
