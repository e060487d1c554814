#include "FileAudioSource.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <thread>

namespace {

uint32_t le32(const char *p)
{
    return qFromLittleEndian<uint32_t>(p);
}

uint16_t le16(const char *p)
{
    return qFromLittleEndian<uint16_t>(p);
}

std::vector<int16_t> samplesFrom(const char *data, qsizetype bytes)
{
    std::vector<int16_t> samples(static_cast<size_t>(bytes / 2));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(le16(data + 2 * i));
    return samples;
}

} // namespace

FileAudioSource::FileAudioSource(Pace pace)
    : m_pace(pace)
{}

std::vector<int16_t> FileAudioSource::loadSamples(const QString &path, bool *ok)
{
    if (ok)
        *ok = false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("RIFF")) {
        if (ok)
            *ok = true;
        return samplesFrom(bytes.constData(), bytes.size());
    }
    if (bytes.size() < 12 || bytes.mid(8, 4) != "WAVE")
        return {};
    bool formatOk = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = le32(bytes.constData() + at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= bytes.size()) {
            const char *f = bytes.constData() + body;
            formatOk =
                le16(f) == 1 && le16(f + 2) == 1 && le32(f + 4) == sampleRate && le16(f + 14) == 16;
        } else if (id == "data") {
            if (!formatOk)
                return {};
            // Streamed WAVs may carry a bogus data size; take what the file holds.
            const qsizetype length = std::min(size, bytes.size() - body);
            if (ok)
                *ok = true;
            return samplesFrom(bytes.constData() + body, length);
        }
        at = body + size + (size & 1);
    }
    return {};
}

bool FileAudioSource::enqueue(const QString &path)
{
    bool ok = false;
    std::vector<int16_t> samples = loadSamples(path, &ok);
    if (!ok)
        return false;
    enqueue(std::move(samples));
    return true;
}

void FileAudioSource::enqueue(std::vector<int16_t> samples)
{
    std::lock_guard lock(m_mutex);
    m_queue.insert(m_queue.end(), samples.begin(), samples.end());
    m_waitingForMore = false;
    m_changed.notify_all();
}

bool FileAudioSource::waitUntilDrained(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout,
                              [this] { return m_queue.empty() && m_waitingForMore; });
}

void FileAudioSource::setAvailable(bool available)
{
    std::lock_guard lock(m_mutex);
    m_available = available;
    m_changed.notify_all();
}

int FileAudioSource::openCount() const
{
    std::lock_guard lock(m_mutex);
    return m_openCount;
}

bool FileAudioSource::open(QString *error)
{
    std::lock_guard lock(m_mutex);
    ++m_openCount;
    if (!m_available) {
        if (error)
            *error = QStringLiteral("no such device");
        return false;
    }
    return true;
}

void FileAudioSource::close() {}

int FileAudioSource::read(int16_t *samples, int maxSamples)
{
    std::unique_lock lock(m_mutex);
    if (m_queue.empty() && m_available) {
        m_waitingForMore = true;
        m_flowing = false;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return !m_queue.empty() || m_interrupted || !m_available; });
    }
    if (!m_available)
        return -1;
    if (m_interrupted) {
        m_interrupted = false;
        return 0;
    }
    const int count = static_cast<int>(std::min<size_t>(m_queue.size(), maxSamples));
    if (m_pace == Pace::RealTime) {
        // A live device hands out each block once it has been "recorded".
        const auto now = std::chrono::steady_clock::now();
        if (!m_flowing) {
            m_due = now;
            m_flowing = true;
        }
        m_due += std::chrono::microseconds(int64_t(count) * 1000000 / sampleRate);
        if (m_changed.wait_until(lock, m_due, [this] { return m_interrupted; })) {
            m_interrupted = false;
            return 0;
        }
    }
    const int available = static_cast<int>(std::min<size_t>(m_queue.size(), count));
    std::copy_n(m_queue.begin(), available, samples);
    m_queue.erase(m_queue.begin(), m_queue.begin() + available);
    return available;
}

void FileAudioSource::interrupt()
{
    std::lock_guard lock(m_mutex);
    m_interrupted = true;
    m_changed.notify_all();
}
