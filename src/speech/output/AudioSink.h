#pragma once

#include <QtGlobal>

// Where the synthesizer's audio goes: mono signed 16-bit samples, one stretch (utterance) at a
// time. The synthesizer derives its events from played(), so a sink must report what has
// really been heard, not what was handed over. Every member may be called from any thread.
class AudioSink {
public:
    virtual ~AudioSink() = default;

    // Prepares the output for the sample rate; false when it cannot be used.
    virtual bool open(int sampleRate) = 0;

    // Starts a new stretch; played() counts from its first sample.
    virtual void begin() = 0;
    // Queues samples at the end of the stretch and returns at once.
    virtual void write(const qint16 *samples, qsizetype count) = 0;
    // No more samples come for this stretch: play out everything queued.
    virtual void finish() = 0;
    // Samples of the current stretch heard so far.
    virtual qint64 played() = 0;
    // Ends the stretch, dropping at once whatever has not been heard yet.
    virtual void end() = 0;

    // While paused nothing is heard and played() stands still.
    virtual void setPaused(bool paused) = 0;

    // True once the output has gone away for good; it then plays nothing more.
    virtual bool failed() const = 0;
};
