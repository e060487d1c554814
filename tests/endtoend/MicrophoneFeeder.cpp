#include "MicrophoneFeeder.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr int kRate = 16000;
constexpr int kChunkSamples = kRate / 50;
} // namespace

MicrophoneFeeder::MicrophoneFeeder(const QString &fifo)
{
    m_fd = ::open(fifo.toLocal8Bit().constData(), O_WRONLY);
    if (m_fd >= 0)
        m_thread = std::thread([this] { run(); });
}

MicrophoneFeeder::~MicrophoneFeeder()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_fd >= 0)
        ::close(m_fd);
}

QByteArray MicrophoneFeeder::speech(const QString &words, const QString &voice)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath("speech.wav");
    const QString raw = dir.filePath("speech.raw");
    if (QProcess::execute("espeak-ng", {"-v", voice, "-s", "150", "-w", wav, words}) != 0)
        return {};
    if (QProcess::execute("sox", {"-R", wav, "-r", "16000", "-c", "1", "-b", "16", "-e", "signed",
                                  "-t", "raw", raw}) != 0)
        return {};
    QFile file(raw);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool MicrophoneFeeder::say(const QString &words, const QString &voice)
{
    const QByteArray samples = speech(words, voice);
    if (samples.isEmpty())
        return false;
    std::lock_guard lock(m_mutex);
    m_pending += samples;
    m_pending += QByteArray(kRate * 2, '\0');
    return true;
}

bool MicrophoneFeeder::idle()
{
    std::lock_guard lock(m_mutex);
    return m_pending.isEmpty();
}

void MicrophoneFeeder::run()
{
    using Clock = std::chrono::steady_clock;
    const QByteArray silence(kChunkSamples * 2, '\0');
    auto next = Clock::now();
    while (!m_stop) {
        QByteArray chunk;
        {
            std::lock_guard lock(m_mutex);
            chunk = m_pending.left(kChunkSamples * 2);
            m_pending.remove(0, chunk.size());
        }
        if (chunk.size() < silence.size())
            chunk += silence.left(silence.size() - chunk.size());
        const char *data = chunk.constData();
        qsizetype left = chunk.size();
        while (left > 0 && !m_stop) {
            const ssize_t written = ::write(m_fd, data, size_t(left));
            if (written <= 0)
                return;
            data += written;
            left -= written;
        }
        next += std::chrono::milliseconds(1000 * kChunkSamples / kRate);
        std::this_thread::sleep_until(next);
    }
}
