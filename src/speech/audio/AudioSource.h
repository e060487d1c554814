#pragma once

#include <QString>

#include <cstdint>

// A microphone-like input of 16 kHz mono signed 16-bit samples. The recognizer's worker
// thread is the only caller of open, read and close; interrupt may come from any thread.
class AudioSource {
public:
    static constexpr int sampleRate = 16000;

    virtual ~AudioSource() = default;

    // False, with a reason in *error, when the device cannot be opened now.
    virtual bool open(QString *error) = 0;
    virtual void close() = 0;
    // Blocks until samples arrive and returns how many were stored (at most maxSamples);
    // 0 when interrupted or when nothing more will come for now, -1 when the device failed.
    virtual int read(int16_t *samples, int maxSamples) = 0;
    // Makes a blocked or later read return soon, so that the worker can stop.
    virtual void interrupt() = 0;
};
