// The command editor of the whole program, driven through the X server as a user drives it:
// pointer and keyboard come from xdotool, so window placement, focus and the window's shape
// all take part. The command added is then said into the microphone and must be answered;
// an entry is changed, with keys pressed between Change and Save, and removed.
#include "BrainWindow.h"
#include "BubbleWindow.h"
#include "CharacterWindow.h"
#include "CommandList.h"
#include "MenuState.h"
#include "PocketSphinxRecognizer.h"
#include "Program.h"
#include "RecordingDialogs.h"
#include "Synthesizer.h"
#include "TempAppFolder.h"
#include "WaitFor.h"

#include "MicrophoneFeeder.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QSignalSpy>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>

namespace {

// Runs xdotool while the program keeps handling the events it causes; its output, or an
// empty text with *ok false when it failed.
QString xdotool(const QStringList &arguments, bool *ok = nullptr)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    const bool started = process.waitForStarted(10000);
    const bool finished =
        started && waitFor([&] { return process.state() == QProcess::NotRunning; }, 30000);
    if (!finished)
        process.kill();
    const bool fine =
        finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!fine)
        std::fprintf(stderr, "xdotool %s failed: %s\n", qPrintable(arguments.join(' ')),
                     process.readAllStandardError().constData());
    if (ok)
        *ok = fine;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The window's origin on the screen as the X server has it, once the window is viewable.
std::optional<QPoint> screenOrigin(const QString &title)
{
    bool found = false;
    const QString ids =
        xdotool({"search", "--onlyvisible", "--name", '^' + title + '$'}, &found).trimmed();
    if (!found || ids.isEmpty() || ids.contains('\n'))
        return std::nullopt;
    bool read = false;
    const QString shell = xdotool({"getwindowgeometry", "--shell", ids}, &read);
    if (!read)
        return std::nullopt;
    QPoint origin(-1, -1);
    for (const QString &line : shell.split('\n')) {
        if (line.startsWith("X="))
            origin.setX(line.mid(2).toInt());
        else if (line.startsWith("Y="))
            origin.setY(line.mid(2).toInt());
    }
    if (origin.x() < 0 || origin.y() < 0)
        return std::nullopt;
    return origin;
}

// A press and release at the centre of a rectangle given in pixels of the window at origin.
bool clickAt(const QPoint &origin, const QRect &inWindow)
{
    const QPoint at = origin + inWindow.center();
    bool ok = false;
    xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click", "1"},
            &ok);
    return ok;
}

bool typeText(const QString &text)
{
    bool ok = false;
    xdotool({"type", "--delay", "30", text}, &ok);
    return ok;
}

TEST(EditorEndToEnd, CommandAddedWithMouseAndKeyboardIsSavedAndHeard)
{
    const QString fifo = qEnvironmentVariable("QUILLET_MIC_FIFO");
    ASSERT_FALSE(fifo.isEmpty()) << "run through with-desktop.sh --sound";
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "the clicks go through an X server";

    TempAppFolder app;
    app.writeCommandList("say hello\r\nSpeak\r\nHello from the test\r\n");

    MicrophoneFeeder mic(fifo);
    ASSERT_TRUE(mic.isOpen());

    RecordingDialogs dialogs;
    // The microphone outlives the program: a real one never stops delivering audio.
    Program program(app.paths(), Program::desktopServices(), dialogs);
    ASSERT_TRUE(program.start());
    BrainWindow &brain = program.brain();
    auto control = [&](const char *name) {
        return brain.findChild<QWidget *>(QString::fromLatin1(name));
    };
    if (auto *sphinx = qobject_cast<PocketSphinxRecognizer *>(&program.reco())) {
        QObject::connect(sphinx, &PocketSphinxRecognizer::utteranceScored,
                         [](const QStringList &words, double confidence, bool accepted) {
                             std::fprintf(stderr, "heard \"%s\" confidence %.0f%s\n",
                                          qPrintable(words.join(' ')), confidence,
                                          accepted ? "" : " (rejected)");
                         });
    }

    // Opened as the tray menu's "Edit brain" opens it.
    program.menu().action(MenuState::EditBrain)->trigger();
    ASSERT_TRUE(brain.brainOpen);
    ASSERT_TRUE(waitFor(
        [&] {
            return brain.isVisible() && brain.windowHandle() && brain.windowHandle()->isExposed();
        },
        20000))
        << "the editor was not mapped";
    // The window manager has placed the window once the X server and the program agree on where
    // it is.
    std::optional<QPoint> origin;
    ASSERT_TRUE(waitFor(
        [&] {
            origin = screenOrigin(brain.windowTitle());
            return origin && *origin == brain.mapToGlobal(QPoint(0, 0));
        },
        20000))
        << "the editor's place on the screen did not settle";
    const QPoint at = *origin;

    ASSERT_TRUE(clickAt(at, {13, 219, 82, 27})); // addnewbutton
    // The card has turned over to the add page once it stands at the last step of the turn.
    ASSERT_TRUE(
        waitFor([&] { return control("addform")->isVisible() && brain.flipp == 19; }, 10000))
        << "the click on Add new did not open the add page";
    EXPECT_EQ(brain.Commandtype, "Speak");

    ASSERT_TRUE(clickAt(at, {24, 88, 233, 17})); // phrasetext
    ASSERT_TRUE(waitFor([&] { return brain.phrasetext()->hasFocus(); }, 10000))
        << "the phrase box did not take the keyboard";
    ASSERT_TRUE(typeText("switch on the radio"));
    ASSERT_TRUE(waitFor([&] { return brain.phrasetext()->text() == "switch on the radio"; }, 10000))
        << "phrase box holds \"" << brain.phrasetext()->text().toStdString() << '"';

    ASSERT_TRUE(clickAt(at, {24, 140, 233, 17})); // action
    ASSERT_TRUE(waitFor([&] { return brain.action()->hasFocus(); }, 10000))
        << "the action box did not take the keyboard";
    ASSERT_TRUE(typeText("The radio is on"));
    ASSERT_TRUE(waitFor([&] { return brain.action()->text() == "The radio is on"; }, 10000))
        << "action box holds \"" << brain.action()->text().toStdString() << '"';
    ASSERT_TRUE(waitFor([&] { return control("add")->isVisible(); }, 10000));

    ASSERT_TRUE(clickAt(at, {16, 221, 82, 27})); // add
    ASSERT_TRUE(waitFor([&] { return program.commands().count() == 6; }, 10000))
        << "the click on Add did not add";
    // The card turns back to the list over several ticks after the add.
    EXPECT_TRUE(waitFor([&] { return !control("addform")->isVisible(); }, 10000));
    EXPECT_TRUE(app.read("data/brainlist")
                    .endsWith("say hello\r\nSpeak\r\nHello from the test\r\n"
                              "switch on the radio\r\nSpeak\r\nThe radio is on\r\n"));
    EXPECT_TRUE(app.read("data/Temp").contains("\r\n<start>=switch on the radio\r\n"));
    EXPECT_TRUE(brain.phrasetext()->text().isEmpty());
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join('\n').toStdString();

    QSignalSpy starts(&program.mun(), &Synthesizer::speechstart);
    ASSERT_TRUE(mic.say("Pebble listen"));
    ASSERT_TRUE(waitFor([&] { return program.character().listen == -1; }, 30000))
        << "the wake phrase was not heard";
    ASSERT_TRUE(
        waitFor([&] { return program.bubble().text() == "I hear you" && mic.idle(); }, 10000));

    ASSERT_TRUE(mic.say("switch on the radio"));
    ASSERT_TRUE(waitFor([&] { return program.bubble().text() == "The radio is on"; }, 30000))
        << "the new command was not heard; the bubble says \""
        << program.bubble().text().toStdString() << '"';
    EXPECT_EQ(program.character().listen, 0);
    // Both answers are spoken aloud, the new command's as well.
    ASSERT_TRUE(waitFor([&] { return starts.count() >= 2; }, 15000));
    ASSERT_TRUE(waitFor([&] { return !program.mun().isSpeaking(); }, 20000));

    // Changed: the row clicked, Change, then keys pressed on the list, which keeps the keyboard,
    // before the new phrase is typed and saved. The change goes to the row it was opened on.
    const CommandList &list = program.commands();
    auto *view = brain.findChild<QListView *>(QStringLiteral("FalseBrainlist"));
    const QRect row4(view->viewport()->mapTo(&brain, view->visualRect(list.index(4, 0)).topLeft()),
                     view->visualRect(list.index(4, 0)).size());
    ASSERT_TRUE(clickAt(at, row4));
    ASSERT_TRUE(
        waitFor([&] { return list.selectedIndex(CommandList::FalseBrainlist) == 4; }, 10000))
        << "the click on the row did not select it";
    ASSERT_TRUE(clickAt(at, {193, 220, 82, 27})); // changeB
    ASSERT_TRUE(waitFor([&] { return control("changebox")->isVisible(); }, 10000))
        << "the click on Change did not open the change box";
    bool keyed = false;
    xdotool({"key", "--delay", "30", "Home", "p", "Up"}, &keyed);
    ASSERT_TRUE(keyed);
    ASSERT_TRUE(clickAt(at, {24, 106, 233, 19})); // changephrase
    ASSERT_TRUE(waitFor([&] { return control("changephrase")->hasFocus(); }, 10000));
    xdotool({"key", "ctrl+a"}, &keyed);
    ASSERT_TRUE(typeText("say hi there"));
    ASSERT_TRUE(waitFor(
        [&] { return brain.findChild<QLineEdit *>("changephrase")->text() == "say hi there"; },
        10000));
    EXPECT_EQ(list.selectedIndex(CommandList::FalseBrainlist), 4) << "the keys moved the list";
    ASSERT_TRUE(clickAt(at, {13, 220, 82, 27})); // changeb2
    ASSERT_TRUE(waitFor([&] { return !control("changebox")->isVisible(); }, 10000))
        << "the click on Save did not save; shown: " << dialogs.shown.join('\n').toStdString();
    EXPECT_TRUE(app.read("data/brainlist")
                    .startsWith(TempAppFolder::reservedEntries +
                                QByteArray("say hi there\r\nSpeak\r\nHello from the test\r\n")));
    EXPECT_TRUE(app.read("data/Temp").contains("\r\n<start>=say hi there\r\n"));
    EXPECT_FALSE(app.read("data/Temp").contains("<start>=say hello"));
    EXPECT_TRUE(app.read("data/Temp").contains("\r\n<start>=Pebble listen\r\n"));

    // Removed: the changed row is still the selected one.
    ASSERT_TRUE(clickAt(at, {102, 220, 82, 27})); // removeB
    ASSERT_TRUE(waitFor([&] { return list.count() == 5; }, 10000))
        << "the click on Remove did not remove";
    EXPECT_EQ(app.read("data/brainlist"),
              TempAppFolder::reservedEntries +
                  QByteArray("switch on the radio\r\nSpeak\r\nThe radio is on\r\n"));
    EXPECT_FALSE(app.read("data/Temp").contains("say hi there"));
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join('\n').toStdString();
}

} // namespace
