#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <mutex>
#include <thread>

// Feeds the sound server's pipe microphone in real time: silence, and the speech queued with
// say(), as 16 kHz mono 16-bit samples.
class MicrophoneFeeder {
public:
    explicit MicrophoneFeeder(const QString &fifo);
    ~MicrophoneFeeder();

    bool isOpen() const { return m_fd >= 0; }
    // Queues the words as espeak-ng says them, followed by a second of silence.
    bool say(const QString &words, const QString &voice = "en-us");
    // Whether everything queued has been fed.
    bool idle();

    static QByteArray speech(const QString &words, const QString &voice);

private:
    void run();

    int m_fd = -1;
    std::mutex m_mutex;
    QByteArray m_pending;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
