#pragma once

#include "AudioSink.h"

#include <chrono>
#include <mutex>

// For machines without a sound server: plays nothing but lets the samples "play" in real time,
// so an utterance takes as long as it would when heard.
class SilentSink : public AudioSink {
public:
    bool open(int sampleRate) override;
    void begin() override;
    void write(const qint16 *samples, qsizetype count) override;
    void finish() override {}
    qint64 played() override;
    void end() override;
    void setPaused(bool paused) override;
    bool failed() const override { return false; }

    // Samples written to the current stretch.
    qint64 written() const;

private:
    using Clock = std::chrono::steady_clock;
    // Moves the play position on by the time passed since the last call; a starved stretch
    // waits for samples rather than banking the time.
    void advance();

    mutable std::mutex m_mutex;
    int m_sampleRate = 22050;
    qint64 m_written = 0;
    double m_played = 0;
    bool m_paused = false;
    Clock::time_point m_last = Clock::now();
};
