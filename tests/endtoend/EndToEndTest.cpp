#include "BubbleWindow.h"
#include "CharacterWindow.h"
#include "PocketSphinxRecognizer.h"
#include "Program.h"
#include "RecordingDialogs.h"
#include "Synthesizer.h"
#include "TempAppFolder.h"
#include "WaitFor.h"
#include "XdgShellOpener.h"

#include "MicrophoneFeeder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace {

// The peak sample of raw 16-bit audio.
int peak(const QByteArray &raw)
{
    int most = 0;
    const auto *samples = reinterpret_cast<const qint16 *>(raw.constData());
    for (qsizetype i = 0; i < raw.size() / 2; ++i)
        most = std::max(most, std::abs(int(samples[i])));
    return most;
}

TEST(EndToEnd, HearsWakePhraseAndCommandsAnswersAloudAndOpens)
{
    const QString fifo = qEnvironmentVariable("QUILLET_MIC_FIFO");
    ASSERT_FALSE(fifo.isEmpty()) << "run through with-desktop.sh --sound";

    TempAppFolder app;
    const QString notes = app.path() + "/notes.txt";
    const QString opened = app.path() + "/opened.txt";
    // The opener records what it was asked to open instead of opening it.
    app.write("open-recorder.sh", ("#!/bin/sh\nprintf '%s' \"$1\" > '" + opened + "'\n").toUtf8());
    QFile::setPermissions(app.path() + "/open-recorder.sh",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    app.write("data/brainlist",
              ("Pebble listen\r\nSpeak\r\nI hear you\r\nnever mind\r\nSpeak\r\nWhat ever\r\n"
               "stop speak\r\nSpeak\r\nOk\r\ngo to sleep\r\nSpeak\r\nI hope I am sleepy\r\n"
               "say hello\r\nSpeak\r\nHello from the test\r\n"
               "open my notes\r\nOpen\r\n" +
               notes + "\r\n")
                  .toUtf8());

    // What reaches the null sink.
    QProcess monitor;
    monitor.start("parec", {"-d", "out.monitor", "--format=s16le", "--rate=16000", "--channels=1",
                            "--latency-msec=50"});
    ASSERT_TRUE(monitor.waitForStarted(5000));

    // The microphone outlives the program: a real one never stops delivering audio.
    MicrophoneFeeder mic(fifo);
    ASSERT_TRUE(mic.isOpen());

    RecordingDialogs dialogs;
    Program::Services services = Program::desktopServices();
    services.opener = std::make_unique<XdgShellOpener>(app.path() + "/open-recorder.sh");
    Program program(app.paths(), std::move(services), dialogs);
    ASSERT_TRUE(program.start());
    QSignalSpy starts(&program.mun(), &Synthesizer::speechstart);
    if (auto *sphinx = qobject_cast<PocketSphinxRecognizer *>(&program.reco())) {
        QObject::connect(sphinx, &PocketSphinxRecognizer::utteranceScored,
                         [](const QStringList &words, double confidence, bool accepted) {
                             std::fprintf(stderr, "heard \"%s\" confidence %.0f%s\n",
                                          qPrintable(words.join(' ')), confidence,
                                          accepted ? "" : " (rejected)");
                         });
    }

    QByteArray heard;
    auto drainMonitor = [&] { heard += monitor.readAllStandardOutput(); };

    ASSERT_TRUE(mic.say("Pebble listen"));
    ASSERT_TRUE(waitFor([&] { return program.character().listen == -1; }, 30000))
        << "the wake phrase was not heard";
    EXPECT_EQ(program.bubble().text(), "I hear you");
    ASSERT_TRUE(
        waitFor([&] { return program.bubble().text() == "I hear you" && mic.idle(); }, 10000));

    ASSERT_TRUE(mic.say("say hello"));
    ASSERT_TRUE(waitFor([&] { return program.bubble().text() == "Hello from the test"; }, 30000))
        << "the Speak command was not carried out";
    EXPECT_EQ(program.character().listen, 0);
    ASSERT_TRUE(waitFor([&] { return starts.count() >= 2; }, 15000));
    ASSERT_TRUE(waitFor([&] { return !program.mun().isSpeaking(); }, 20000));
    drainMonitor();
    EXPECT_GT(peak(heard), 1000) << "no answer reached the sound server";

    ASSERT_TRUE(waitFor([&] { return mic.idle(); }, 10000));
    ASSERT_TRUE(mic.say("Pebble listen"));
    ASSERT_TRUE(waitFor([&] { return program.character().listen == -1; }, 30000));
    ASSERT_TRUE(waitFor([&] { return mic.idle(); }, 10000));
    ASSERT_TRUE(mic.say("open my notes"));
    ASSERT_TRUE(waitFor([&] { return QFile::exists(opened); }, 30000))
        << "the Open command was not carried out";
    QFile file(opened);
    ASSERT_TRUE(waitFor([&] { return QFile(opened).size() > 0; }, 5000));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), notes);
    EXPECT_EQ(program.bubble().text(), "Roger that");
    EXPECT_TRUE(dialogs.shown.isEmpty());

    monitor.kill();
    monitor.waitForFinished();
}

} // namespace
