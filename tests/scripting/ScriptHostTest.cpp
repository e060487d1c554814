#include "ScriptHost.h"
#include "BubbleWindow.h"
#include "CharacterWindow.h"
#include "FakeServices.h"
#include "MenuState.h"
#include "Program.h"
#include "RecordingDialogs.h"
#include "TempAppFolder.h"
#include "TickTimer.h"

#include <QLabel>

#include <clocale>
#include <string>

#include <gtest/gtest.h>

namespace {

class ScriptHostTest : public testing::Test {
protected:
    ScriptHostTest()
    {

        m_app.writeCommandList();
        m_program = std::make_unique<Program>(m_app.paths(), m_fakes.make(), m_dialogs);
        m_program->setExit([this] { ++m_exits; });
        EXPECT_TRUE(m_program->start());
    }

    // Runs a script file with the given lines and returns the boxes it showed.
    QStringList run(const QString &body, const QString &name = "test script.txt")
    {
        m_app.write("data/" + name, body.toUtf8());
        m_dialogs.shown.clear();
        m_fakes.mun->clearCalls();
        m_program->scriptHost().runScript(name);
        return m_dialogs.shown;
    }
    QString box(const QString &text) const { return "Quillet|" + text; }

    TempAppFolder m_app;
    FakeServices m_fakes;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Program> m_program;
    int m_exits = 0;
};

TEST_F(ScriptHostTest, SpeakWithAndWithoutTheObjectName)
{
    EXPECT_TRUE(run("QL.speak \"Hello there\"\r\n").isEmpty());
    EXPECT_EQ(m_fakes.mun->calls(), QStringList({"stop", "speak Hello there"}));
    EXPECT_EQ(m_program->bubble().text(), "Hello there");

    EXPECT_TRUE(run("speak \"Second\"").isEmpty());
    EXPECT_EQ(m_fakes.mun->calls(), QStringList({"stop", "speak Second"}));
    EXPECT_EQ(m_program->bubble().text(), "Second");
}

TEST_F(ScriptHostTest, CodeIsTheFileWrappedInMain)
{
    EXPECT_TRUE(run("").isEmpty());
    EXPECT_EQ(m_program->scriptHost().lastCode(), "Sub Main\r\nEnd sub\r\n");
    run("Dim a\r\na = 1\n");
    EXPECT_EQ(m_program->scriptHost().lastCode(), "Sub Main\r\nDim a\r\na = 1\r\nEnd sub\r\n");
}

TEST_F(ScriptHostTest, ProcedureInTheFileFailsToCompile)
{
    EXPECT_EQ(run("Sub Inner\r\n  speak \"no\"\r\nEnd Sub\r\n"),
              QStringList({box("Syntax error\n\nLine 1 of the script.")}));
    EXPECT_TRUE(m_fakes.mun->spoken().isEmpty());
}

TEST_F(ScriptHostTest, RunTimeErrorShowsTheDescriptionAndItsLine)
{
    EXPECT_EQ(run("Dim x\r\nx = 1 / 0\r\nspeak \"after\""),
              QStringList({box("Division by zero\n\nLine 2 of the script.")}));
    EXPECT_TRUE(m_fakes.mun->spoken().isEmpty());
}

TEST_F(ScriptHostTest, EveryRunStartsFromAResetEngine)
{
    EXPECT_TRUE(run("speak \"one\"").isEmpty());
    EXPECT_TRUE(run("speak \"two\"").isEmpty());
    EXPECT_EQ(m_fakes.mun->spoken(), QStringList({"two"}));
}

TEST_F(ScriptHostTest, MissingOrOutsideFilesAreReportedNotRun)
{
    m_program->scriptHost().runScript("no such script.txt");
    EXPECT_EQ(m_dialogs.shown,
              QStringList({box("The script file \"no such script.txt\" could not be read.")}));

    m_app.write("outside.txt", "speak \"escaped\"");
    for (const QString &name : QStringList{"../outside.txt", "sub/x.txt", "..\\outside.txt", ""}) {
        m_dialogs.shown.clear();
        m_program->scriptHost().runScript(name);
        EXPECT_EQ(m_dialogs.shown, QStringList({box(ScriptHost::unreadableMessage(name))}))
            << qPrintable(name);
    }
    EXPECT_TRUE(m_fakes.mun->spoken().isEmpty());
}

TEST_F(ScriptHostTest, QLFunctionsReturnEmptyAndSwallowFailures)
{
    m_fakes.opener->setSucceeds(false);
    m_fakes.starter->setSucceeds(false);
    EXPECT_TRUE(run("Dim r(4)\r\n"
                    "r(0) = QL.run(\"/no/such/file\")\r\n"
                    "r(1) = sendkeys(\"abc\")\r\n"
                    "r(2) = QL.cmd(\"/bin/true -x\")\r\n"
                    "r(3) = shellcommand(\"top\")\r\n"
                    "r(4) = QL.speak(\"\")\r\n"
                    "Dim i, all\r\nall = True\r\n"
                    "For i = 0 To 4\r\n  If Not IsEmpty(r(i)) Then all = False\r\nNext\r\n"
                    "If all Then Bubble.Caption = \"all empty\"\r\n")
                    .isEmpty());
    EXPECT_EQ(m_program->bubble().text(), "all empty");
    EXPECT_EQ(m_fakes.opener->opened(), QStringList({"/no/such/file"}));
    EXPECT_EQ(m_fakes.keys->requests(), QStringList({"abc"}));
    ASSERT_EQ(m_fakes.starter->starts().size(), 2);
    EXPECT_EQ(m_fakes.starter->starts()[0].state, WindowState::MinimizedActive);
    EXPECT_EQ(m_fakes.starter->starts()[1].state, WindowState::MaximizedActive);
    // speak "" stops, speaks nothing and empties the bubble before the caption is set.
    EXPECT_EQ(m_fakes.mun->calls(), QStringList({"stop", "speak "}));
}

TEST_F(ScriptHostTest, AnimationReadsAndSetsTheShownFrame)
{
    EXPECT_TRUE(run("If animation = \"0\" Then speak \"rest\"\r\n"
                    "QL.animation = \"3\"\r\n"
                    "speak QL.animation\r\n"
                    "animation = \"not a number\"\r\n"
                    "speak animation\r\n")
                    .isEmpty());
    EXPECT_EQ(m_fakes.mun->spoken(), QStringList({"rest", "3", "3"}));
    EXPECT_EQ(qRound(m_program->character().shownFrame()), 3);
}

TEST_F(ScriptHostTest, AutolistenSwitchesTheMenuWithoutSpeaking)
{
    EXPECT_TRUE(run("autolisten True").isEmpty());
    MenuState &menu = m_program->menu();
    EXPECT_TRUE(menu.isChecked(MenuState::AutoListen));
    EXPECT_FALSE(menu.isEnabled(MenuState::Listen));
    EXPECT_EQ(m_program->character().listen, -1);
    EXPECT_TRUE(run("QL.autolisten False").isEmpty());
    EXPECT_FALSE(menu.isChecked(MenuState::AutoListen));
    EXPECT_TRUE(menu.isEnabled(MenuState::Listen));
    EXPECT_TRUE(menu.isChecked(MenuState::Listen));
    EXPECT_TRUE(m_fakes.mun->spoken().isEmpty());
}

TEST_F(ScriptHostTest, TheOtherObjectsReachTheirTargets)
{
    EXPECT_TRUE(run("Mouth.Rate = 220\r\n"
                    "Bubble.Caption = \"caption\"\r\n"
                    "wink.Enabled = False\r\n"
                    "character.trans = 100\r\n"
                    "character.settingtrans\r\n"
                    "Mouth.Speak character.nameoftheguy & \" \" & wink.Interval\r\n")
                    .isEmpty());
    EXPECT_EQ(m_fakes.mun->rate(), 220);
    EXPECT_EQ(m_program->bubble().speech()->text(), "caption");
    EXPECT_FALSE(m_program->character().wink()->isEnabled());
    EXPECT_EQ(m_program->character().trans, 100);
    EXPECT_NEAR(m_program->character().windowOpacity(), 100 / 255.0, 0.01);
    // The engine's own Speak leaves the bubble alone.
    EXPECT_EQ(m_fakes.mun->calls(), QStringList({"speak Pebble 10"}));
    EXPECT_EQ(m_program->bubble().text(), "caption");
}

// The program's windowing library sets the C library to the user's locale; one whose decimal
// separator is a comma must change nothing in how scripts read and write numbers.
TEST_F(ScriptHostTest, NumbersKeepTheirPointUnderACommaDecimalLocale)
{
    struct RestoreLocale {
        std::string name = std::setlocale(LC_ALL, nullptr);
        ~RestoreLocale() { std::setlocale(LC_ALL, name.c_str()); }
    } restore;
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not generated (scripts/setup.sh does it)";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");

    EXPECT_TRUE(run("x = 2.5\r\n"
                    "speak x * 2 & \" \" & FormatNumber(1234.5) & \" \" & CDbl(\"0.25\") + x & "
                    "\" \" & 1 / 8\r\n")
                    .isEmpty());
    EXPECT_EQ(m_fakes.mun->spoken(), QStringList({"5 1,234.50 2.75 0.125"}));
}

TEST_F(ScriptHostTest, CancellingInputBoxGivesEmptyAndAnEmptyAnswerDoesNot)
{
    const QString script = "answer = InputBox(\"Name?\")\r\n"
                           "speak IsEmpty(answer) & \" \" & TypeName(answer) & \" [\" & answer & "
                           "\"]\"\r\n";
    const QStringList asked({"VBScript|Name?"});
    m_dialogs.inputAccepted = false;
    EXPECT_EQ(run(script), asked);
    EXPECT_EQ(m_fakes.mun->spoken(), QStringList({"True Empty []"}));
    m_dialogs.inputAccepted = true;
    m_dialogs.inputText = "";
    EXPECT_EQ(run(script), asked);
    EXPECT_EQ(m_fakes.mun->spoken(), QStringList({"False String []"}));
}

TEST_F(ScriptHostTest, UnknownMemberIsAnError)
{
    EXPECT_EQ(run("QL.fly"),
              QStringList({box("Object doesn't support this property or method\n\nLine 1 of the "
                               "script.")}));
}

TEST_F(ScriptHostTest, QuitEndsTheProgram)
{
    run("QL.quit");
    EXPECT_EQ(m_exits, 1);
}

} // namespace
