// Runs on a test desktop with a sound server of its own, whose default source is a pipe that
// only hears what the test writes into $QUILLET_MIC_FIFO.
#include "PulseAudioSource.h"
#include "PocketSphinxRecognizer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

QString writeGrammar(QTemporaryDir &dir)
{
    QFile file(dir.filePath("Temp"));
    file.open(QIODevice::WriteOnly);
    file.write("[Grammer]\r\ntype=cfg\r\n[<start>]\r\n<start>=good morning\r\n\r\n");
    return file.fileName();
}

// Stopping must not wait on a microphone that delivers nothing: the recognizer is destroyed
// on another thread, and the test fails instead of hanging when that never ends.
bool stopsWithin(std::unique_ptr<PocketSphinxRecognizer> recognizer, std::chrono::seconds limit)
{
    auto stopped =
        std::async(std::launch::async, [r = std::move(recognizer)]() mutable { r.reset(); });
    if (stopped.wait_for(limit) == std::future_status::ready)
        return true;
    std::fprintf(stderr, "the recognizer did not stop\n");
    std::_Exit(1);
}

pid_t soundServerPid()
{
    const QByteArray folder = qgetenv("QUILLET_DESKTOP_DIR");
    for (const QString &entry : QDir("/proc").entryList(QDir::Dirs)) {
        QFile file("/proc/" + entry + "/cmdline");
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray commandLine = file.readAll();
        if (!folder.isEmpty() && commandLine.startsWith("pulseaudio") &&
            commandLine.contains(folder))
            return pid_t(entry.toInt());
    }
    return 0;
}

} // namespace

TEST(MicrophoneSource, ReadsWhatTheMicrophoneHears)
{
    PulseAudioSource source;
    QString error;
    ASSERT_TRUE(source.open(&error)) << qPrintable(error);

    std::vector<int16_t> tone(AudioSource::sampleRate);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = int16_t(10000 * std::sin(2 * M_PI * 440 * double(i) / AudioSource::sampleRate));
    const int fifo = ::open(qgetenv("QUILLET_MIC_FIFO").constData(), O_WRONLY);
    ASSERT_GE(fifo, 0);
    ASSERT_EQ(::write(fifo, tone.data(), tone.size() * sizeof(int16_t)),
              ssize_t(tone.size() * sizeof(int16_t)));

    int peak = 0;
    std::vector<int16_t> block(800);
    for (int reads = 0; reads < 200 && peak < 9000; ++reads) {
        const int count = source.read(block.data(), int(block.size()));
        ASSERT_GE(count, 0);
        for (int i = 0; i < count; ++i)
            peak = std::max(peak, std::abs(int(block[i])));
    }
    ::close(fifo);
    EXPECT_GE(peak, 9000);
}

TEST(MicrophoneSource, SilentMicrophoneDoesNotHoldUpStopping)
{
    PulseAudioSource source;
    ASSERT_TRUE(source.open(nullptr));
    // Nothing is written into the pipe: a read comes back empty-handed instead of waiting.
    std::vector<int16_t> block(800);
    EXPECT_EQ(source.read(block.data(), int(block.size())), 0);
    source.close();

    QTemporaryDir dir;
    auto recognizer = std::make_unique<PocketSphinxRecognizer>();
    ASSERT_TRUE(recognizer->loadGrammar(writeGrammar(dir)));
    recognizer->activate();
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(stopsWithin(std::move(recognizer), 30s));
}

TEST(MicrophoneSource, FrozenServerDoesNotHoldUpStopping)
{
    const pid_t server = soundServerPid();
    ASSERT_GT(server, 0);
    QTemporaryDir dir;
    auto recognizer = std::make_unique<PocketSphinxRecognizer>();
    ASSERT_TRUE(recognizer->loadGrammar(writeGrammar(dir)));
    recognizer->activate();
    std::this_thread::sleep_for(1s);

    ASSERT_EQ(kill(server, SIGSTOP), 0);
    struct Thaw {
        pid_t pid;
        ~Thaw() { kill(pid, SIGCONT); }
    } thaw{server};
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(stopsWithin(std::move(recognizer), 30s));
}
