#pragma once

#include "AudioSource.h"

#include <atomic>

struct pa_simple;

// The default PulseAudio source (the user's microphone) through the simple API.
class PulseAudioSource : public AudioSource {
public:
    PulseAudioSource() = default;
    ~PulseAudioSource() override;

    bool open(QString *error) override;
    void close() override;
    int read(int16_t *samples, int maxSamples) override;
    void interrupt() override;

private:
    pa_simple *m_stream = nullptr;
    std::atomic<bool> m_interrupted = false;
};
