#pragma once

#include "AudioSource.h"

#include <atomic>
#include <mutex>
#include <vector>

struct pa_mainloop;
struct pa_context;
struct pa_stream;

// The default PulseAudio source (the user's microphone). The worker thread runs the client's
// main loop itself, a little at a time inside read(), so a read never waits longer than a
// fraction of a second: a source that delivers nothing, or a server that stops answering,
// cannot keep the recognizer from stopping.
class PulseAudioSource : public AudioSource {
public:
    PulseAudioSource() = default;
    ~PulseAudioSource() override;

    bool open(QString *error) override;
    void close() override;
    int read(int16_t *samples, int maxSamples) override;
    void interrupt() override;

private:
    // Runs the main loop once, waiting at most timeoutMs; false when the loop failed.
    bool iterate(int timeoutMs);
    bool waitUntilReady(bool (*ready)(PulseAudioSource *), QString *error);
    void takeAudio();
    bool failed() const;

    pa_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr;
    std::vector<int16_t> m_buffered;
    std::atomic<bool> m_interrupted = false;
    // Guards m_loop against interrupt() from another thread while close() frees it.
    std::mutex m_loopMutex;
};
