// Runs under tests/support/with-desktop.sh --sound: a PulseAudio server of its own with the
// null sink "out", whose monitor shows what really reached the server.
#include "EspeakSynthesizer.h"
#include "SpeechEvents.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

namespace {

constexpr int rate = 22050;

// Records the null sink's monitor with parec, as mono samples at 22050 Hz.
class MonitorRecorder {
public:
    MonitorRecorder()
    {
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput,
                         [this] { m_data += m_process.readAllStandardOutput(); });
        m_process.start("parec",
                        {"-d", "out.monitor", "--raw", "--format=s16le",
                         "--rate=" + QString::number(rate), "--channels=1", "--latency-msec=20"});
    }
    ~MonitorRecorder()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    // Waits until the recording really runs.
    bool waitUntilRecording()
    {
        return waitUntil([this] { return samples() > rate / 5; }, 10000);
    }
    qsizetype samples() const { return m_data.size() / 2; }
    qint16 at(qsizetype index) const
    {
        return reinterpret_cast<const qint16 *>(m_data.constData())[index];
    }
    // The last sample from `from` on that is clearly not silence, or -1.
    qsizetype lastSound(qsizetype from) const
    {
        for (qsizetype i = samples() - 1; i >= from; --i) {
            if (std::abs(int(at(i))) > 300)
                return i;
        }
        return -1;
    }
    int peak(qsizetype from) const
    {
        int result = 0;
        for (qsizetype i = from; i < samples(); ++i)
            result = std::max(result, std::abs(int(at(i))));
        return result;
    }

private:
    QProcess m_process;
    QByteArray m_data;
};

TEST(PulseAudioOutput, AudioReachesTheSoundServerAndTheEventsCome)
{
    MonitorRecorder monitor;
    ASSERT_TRUE(monitor.waitUntilRecording());
    EspeakSynthesizer synthesizer;
    ASSERT_TRUE(synthesizer.isAudible());
    SpeechEvents events(synthesizer);

    const qsizetype before = monitor.samples();
    EXPECT_LT(monitor.peak(0), 300);
    synthesizer.speaktext("Hello, the sound server can hear me.");
    ASSERT_TRUE(waitUntil([&] { return events.events.size() >= 2; }))
        << events.events.join(" ").toStdString();
    EXPECT_EQ(events.events, (QStringList{"start", "end"}));
    EXPECT_FALSE(events.offUiThread);

    const qsizetype atEnd = monitor.samples();
    ASSERT_TRUE(waitUntil([&] { return monitor.samples() > atEnd + rate / 2; }));
    EXPECT_GT(monitor.peak(before), 3000);
    // The whole utterance, about two seconds, reached the sink, not just its first chunk.
    const qsizetype last = monitor.lastSound(before);
    qsizetype first = before;
    while (first < last && std::abs(int(monitor.at(first))) <= 300)
        ++first;
    EXPECT_GT(last - first, rate);
}

// The program's own synthesizer returns before the server has answered; what it is told to
// say at once must still be heard, not spoken into the silent stand-in.
TEST(PulseAudioOutput, ConnectingInBackgroundSpeaksWhatWasSaidAtOnce)
{
    MonitorRecorder monitor;
    ASSERT_TRUE(monitor.waitUntilRecording());
    const std::unique_ptr<EspeakSynthesizer> synthesizer =
        EspeakSynthesizer::connectingInBackground();
    SpeechEvents events(*synthesizer);
    const qsizetype before = monitor.samples();
    synthesizer->speaktext("Hello, the sound server can hear me.");
    ASSERT_TRUE(waitUntil([&] { return events.events.size() >= 2; }))
        << events.events.join(" ").toStdString();
    EXPECT_EQ(events.events, (QStringList{"start", "end"}));
    EXPECT_TRUE(synthesizer->isAudible());
    const qsizetype atEnd = monitor.samples();
    ASSERT_TRUE(waitUntil([&] { return monitor.samples() > atEnd + rate / 2; }));
    EXPECT_GT(monitor.peak(before), 3000);
}

TEST(PulseAudioOutput, StopSilencesTheSinkAtOnce)
{
    MonitorRecorder monitor;
    ASSERT_TRUE(monitor.waitUntilRecording());
    EspeakSynthesizer synthesizer;
    ASSERT_TRUE(synthesizer.isAudible());
    SpeechEvents events(synthesizer);

    const qsizetype before = monitor.samples();
    synthesizer.speaktext(longText);
    ASSERT_TRUE(waitUntil([&] { return !events.events.isEmpty(); }));
    runEventsFor(500);
    synthesizer.stopspeech();
    const qsizetype atStop = monitor.samples();
    QCoreApplication::processEvents();
    EXPECT_EQ(events.events, (QStringList{"start", "end"}));

    ASSERT_TRUE(waitUntil([&] { return monitor.samples() > atStop + 2 * rate; }));
    EXPECT_GT(monitor.peak(before), 3000);
    // The text would go on for ten seconds more; the monitor lags the stop by a little.
    EXPECT_LT(monitor.lastSound(before), atStop + rate / 2);
    EXPECT_EQ(events.events, (QStringList{"start", "end"}));
}

TEST(PulseAudioOutput, PausedAudioIsNotPlayed)
{
    MonitorRecorder monitor;
    ASSERT_TRUE(monitor.waitUntilRecording());
    EspeakSynthesizer synthesizer;
    SpeechEvents events(synthesizer);

    synthesizer.speaktext(longText);
    ASSERT_TRUE(waitUntil([&] { return !events.events.isEmpty(); }));
    synthesizer.pause();
    const qsizetype atPause = monitor.samples();
    ASSERT_TRUE(waitUntil([&] { return monitor.samples() > atPause + 2 * rate; }));
    EXPECT_LT(monitor.lastSound(atPause), atPause + rate / 2);
    const qsizetype atResume = monitor.samples();
    synthesizer.resume();
    ASSERT_TRUE(waitUntil([&] { return monitor.samples() > atResume + rate; }));
    EXPECT_GT(monitor.peak(atResume), 3000);
    synthesizer.stopspeech();
    QCoreApplication::processEvents();
    EXPECT_EQ(events.events, (QStringList{"start", "end"}));
}

// Run on a server of its own: it takes the server's client protocol away.
TEST(PulseAudioServerGone, SpeechCarriesOnSilentlyWhenTheServerGoesAway)
{
    EspeakSynthesizer synthesizer;
    ASSERT_TRUE(synthesizer.isAudible());
    SpeechEvents events(synthesizer);
    synthesizer.speaktext(longText);
    ASSERT_TRUE(waitUntil([&] { return !events.events.isEmpty(); }));

    QProcess pactl;
    pactl.start("pactl", {"unload-module", "module-native-protocol-unix"});
    pactl.waitForFinished(10000);

    ASSERT_TRUE(waitUntil([&] { return events.events.size() >= 2; }, 60000));
    EXPECT_FALSE(synthesizer.isAudible());
    synthesizer.speaktext("Still here");
    ASSERT_TRUE(waitUntil([&] { return events.events.size() >= 4; }));
    EXPECT_EQ(events.events, (QStringList{"start", "end", "start", "end"}));
    EXPECT_FALSE(events.offUiThread);
}

// The test desktop's sound server: the pulseaudio process whose command line names the
// desktop's folder.
pid_t soundServerPid()
{
    const QByteArray folder = qgetenv("QUILLET_DESKTOP_DIR");
    if (folder.isEmpty())
        return 0;
    const QStringList entries = QDir("/proc").entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool number = false;
        const int pid = entry.toInt(&number);
        QFile file("/proc/" + entry + "/cmdline");
        if (!number || !file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray commandLine = file.readAll();
        if (commandLine.startsWith("pulseaudio") && commandLine.contains(folder))
            return pid_t(pid);
    }
    return 0;
}

// Run on a server of its own: it freezes the server.
TEST(PulseAudioServerFrozen, SpeechCarriesOnSilentlyWhenTheServerStopsPlaying)
{
    const pid_t server = soundServerPid();
    ASSERT_GT(server, 0);
    EspeakSynthesizer synthesizer;
    ASSERT_TRUE(synthesizer.isAudible());
    SpeechEvents events(synthesizer);
    synthesizer.speaktext(longText);
    ASSERT_TRUE(waitUntil([&] { return !events.events.isEmpty(); }));

    ASSERT_EQ(kill(server, SIGSTOP), 0);
    struct Thaw {
        pid_t pid;
        ~Thaw() { kill(pid, SIGCONT); }
    } thaw{server};

    ASSERT_TRUE(waitUntil([&] { return events.events.size() >= 2; }, 60000));
    EXPECT_FALSE(synthesizer.isAudible());
    synthesizer.speaktext("Still here");
    ASSERT_TRUE(waitUntil([&] { return events.events.size() >= 4; }));
    EXPECT_EQ(events.events, (QStringList{"start", "end", "start", "end"}));
}

} // namespace
