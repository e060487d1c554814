#include "FileAudioSource.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <thread>

namespace {

QByteArray wav(int rate, int channels, const QByteArray &data)
{
    QByteArray bytes = "RIFF";
    auto put32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        bytes.append(b, 4);
    };
    auto put16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        bytes.append(b, 2);
    };
    put32(36 + data.size());
    bytes += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(channels);
    put32(rate);
    put32(rate * channels * 2);
    put16(channels * 2);
    put16(16);
    bytes += "data";
    put32(data.size());
    return bytes + data;
}

QString write(QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}

} // namespace

TEST(FileAudioSource, ReadsWavAndRawAndRefusesOtherFormats)
{
    QTemporaryDir dir;
    const QByteArray pcm("\x01\x00\xff\xff\x00\x80", 6);
    bool ok = false;
    EXPECT_EQ(FileAudioSource::loadSamples(write(dir, "a.wav", wav(16000, 1, pcm)), &ok),
              (std::vector<int16_t>{1, -1, -32768}));
    EXPECT_TRUE(ok);
    EXPECT_EQ(FileAudioSource::loadSamples(write(dir, "a.raw", pcm), &ok),
              (std::vector<int16_t>{1, -1, -32768}));
    EXPECT_TRUE(ok);
    FileAudioSource source;
    EXPECT_FALSE(source.enqueue(write(dir, "b.wav", wav(22050, 1, pcm))));
    EXPECT_FALSE(source.enqueue(write(dir, "c.wav", wav(16000, 2, pcm))));
    EXPECT_FALSE(source.enqueue(dir.filePath("missing.wav")));
}

TEST(FileAudioSource, HandsOutQueuedSamplesThenReportsDrained)
{
    FileAudioSource source;
    ASSERT_TRUE(source.open(nullptr));
    source.enqueue(std::vector<int16_t>(250, 7));
    EXPECT_FALSE(source.waitUntilDrained(std::chrono::milliseconds(20)));
    std::vector<int16_t> block(100);
    EXPECT_EQ(source.read(block.data(), 100), 100);
    EXPECT_EQ(source.read(block.data(), 100), 100);
    EXPECT_EQ(source.read(block.data(), 100), 50);
    EXPECT_EQ(block[49], 7);
    // The reader coming back for more is what marks the queue drained.
    std::thread reader([&] { source.read(block.data(), 100); });
    EXPECT_TRUE(source.waitUntilDrained(std::chrono::seconds(5)));
    source.interrupt();
    reader.join();
}

TEST(FileAudioSource, RealTimePaceTakesAsLongAsTheAudio)
{
    FileAudioSource source(FileAudioSource::Pace::RealTime);
    ASSERT_TRUE(source.open(nullptr));
    source.enqueue(std::vector<int16_t>(AudioSource::sampleRate / 5, 0));
    std::vector<int16_t> block(800);
    const auto start = std::chrono::steady_clock::now();
    int total = 0;
    while (total < AudioSource::sampleRate / 5)
        total += source.read(block.data(), 800);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(190));
}

TEST(FileAudioSource, UnavailableDeviceFailsToOpen)
{
    FileAudioSource source;
    source.setAvailable(false);
    QString error;
    EXPECT_FALSE(source.open(&error));
    EXPECT_FALSE(error.isEmpty());
    source.setAvailable(true);
    EXPECT_TRUE(source.open(nullptr));
    EXPECT_EQ(source.openCount(), 2);
}
