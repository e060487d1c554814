#pragma once

#include "AudioSource.h"

#include <QString>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

// Plays queued sound files as if they were heard through a microphone: either paced like
// a live device or handed out as fast as the reader asks. Files are WAV (16-bit PCM,
// 16 kHz, mono) or headerless 16 kHz mono s16le. With nothing queued a read waits.
class FileAudioSource : public AudioSource {
public:
    enum class Pace { RealTime, AsFastAsPossible };

    explicit FileAudioSource(Pace pace = Pace::AsFastAsPossible);

    // Loads a file into the queue; false when it cannot be read or has another format.
    bool enqueue(const QString &path);
    void enqueue(std::vector<int16_t> samples);

    // Waits until every queued sample was read and the reader came back for more, which
    // means whatever it did with the last samples is done; false on timeout.
    bool waitUntilDrained(std::chrono::milliseconds timeout);

    // Makes open and read fail, as an unplugged device would.
    void setAvailable(bool available);
    int openCount() const;

    bool open(QString *error) override;
    void close() override;
    int read(int16_t *samples, int maxSamples) override;
    void interrupt() override;

    // The samples of a file as this class reads them; empty when unreadable.
    static std::vector<int16_t> loadSamples(const QString &path, bool *ok = nullptr);

private:
    const Pace m_pace;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<int16_t> m_queue;
    bool m_available = true;
    bool m_interrupted = false;
    bool m_waitingForMore = false;
    int m_openCount = 0;
    // Real-time pacing: when the sample at the head of the queue is due.
    std::chrono::steady_clock::time_point m_due;
    bool m_flowing = false;
};
