#pragma once

#include "AudioSink.h"
#include "SilentSink.h"

#include <QStringList>

#include <atomic>
#include <mutex>
#include <vector>

// A sink that keeps what it was given. Paced in real time like the silent output, or, with
// instant, heard the moment the stretch is complete, for tests that only look at the samples.
class RecordingSink : public AudioSink {
public:
    explicit RecordingSink(bool instant = false)
        : m_instant(instant)
    {}

    bool open(int sampleRate) override { return m_clock.open(sampleRate); }
    void begin() override;
    void write(const qint16 *samples, qsizetype count) override;
    void finish() override;
    qint64 played() override;
    void end() override;
    void setPaused(bool paused) override;
    bool failed() const override { return m_failed; }
    // As a sound server going away: the sink has failed from now on.
    void fail() { m_failed = true; }

    // "begin", "finish", "end", "pause", "resume" in call order.
    QStringList calls() const;
    // The samples of each stretch begun so far.
    std::vector<std::vector<qint16>> stretches() const;

private:
    const bool m_instant;
    SilentSink m_clock;
    mutable std::mutex m_mutex;
    QStringList m_calls;
    std::vector<std::vector<qint16>> m_stretches;
    bool m_finished = false;
    std::atomic<bool> m_failed = false;
};
