#include "DetachedProcessStarter.h"
#include "FakeProcessStarter.h"
#include "FakeShellOpener.h"
#include "RecordingProgram.h"

#include <QTemporaryDir>

#include "QtPrinters.h"

#include <gtest/gtest.h>

class DetachedProcessStarterTest : public testing::Test {
protected:
    QTemporaryDir dir;
    // A path with blanks, as plugin folders may have.
    RecordingProgram program{dir.filePath("my plugins/rec tool"), dir.filePath("record.txt")};
    FakeShellOpener *opener = new FakeShellOpener;
    DetachedProcessStarter starter{std::unique_ptr<ShellOpener>(opener)};

    QString executableFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        EXPECT_TRUE(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
        return path;
    }
};

TEST_F(DetachedProcessStarterTest, WholeLineNamingAFileRunsWithoutArguments)
{
    EXPECT_TRUE(starter.start(program.path(), WindowState::NormalNoActivate));
    EXPECT_EQ(program.waitForRuns(1), QList<QStringList>{{"state:normal-no-activate"}});
}

TEST_F(DetachedProcessStarterTest, ArgumentsAreSplitLikeAShellWithoutOne)
{
    EXPECT_TRUE(starter.start("'" + program.path() + "' a 'b c' d\\ e $HOME ;x |y",
                              WindowState::MinimizedActive));
    const QStringList expected{"arg:a",  "arg:b c", "arg:d e",        "arg:$HOME",
                               "arg:;x", "arg:|y",  "state:minimized"};
    EXPECT_EQ(program.waitForRuns(1), QList<QStringList>{expected});
}

TEST_F(DetachedProcessStarterTest, UnquotedPathWithBlanksTakesArguments)
{
    EXPECT_TRUE(starter.start(program.path() + " x \"y z\"", WindowState::MaximizedActive));
    const QStringList expected{"arg:x", "arg:y z", "state:maximized"};
    EXPECT_EQ(program.waitForRuns(1), QList<QStringList>{expected});
}

TEST_F(DetachedProcessStarterTest, ProgramsAreStartedAndNeverOpened)
{
    EXPECT_TRUE(starter.start(program.path() + " x", WindowState::NormalNoActivate));
    EXPECT_EQ(program.waitForRuns(1), (QList<QStringList>{{"arg:x", "state:normal-no-activate"}}));
    EXPECT_TRUE(starter.start("sh -c 'exit 0'", WindowState::NormalNoActivate));
    EXPECT_TRUE(opener->opened().isEmpty());
}

TEST_F(DetachedProcessStarterTest, ExecutableDocumentsAreOpenedWithoutTheirArguments)
{
    const QString report = executableFile("usb stick/report.pdf", "%PDF-1.7\n");
    const QString empty = executableFile("usb stick/empty", "");
    EXPECT_TRUE(starter.start(report, WindowState::MaximizedActive));
    EXPECT_TRUE(starter.start(report + " --page 3", WindowState::MinimizedActive));
    EXPECT_TRUE(starter.start("'" + empty + "'", WindowState::NormalNoActivate));
    EXPECT_EQ(opener->opened(), (QStringList{report, report, empty}));

    opener->setSucceeds(false);
    EXPECT_FALSE(starter.start(report, WindowState::NormalNoActivate));
}

TEST_F(DetachedProcessStarterTest, AProgramFileThatWillNotStartIsOpened)
{
    const QString orphan = executableFile("orphan", "#!/no/such/interpreter\n");
    EXPECT_TRUE(starter.start(orphan + " a", WindowState::NormalNoActivate));
    EXPECT_EQ(opener->opened(), QStringList{orphan});
}

TEST_F(DetachedProcessStarterTest, ResolvesProgramsOnThePath)
{
    const auto resolved = DetachedProcessStarter::resolve("  sh -c 'exit 0'  ");
    ASSERT_TRUE(resolved);
    EXPECT_EQ(resolved->program, "sh");
    EXPECT_EQ(resolved->arguments, (QStringList{"-c", "exit 0"}));
}

TEST_F(DetachedProcessStarterTest, FailsWhenNothingCanBeStarted)
{
    EXPECT_FALSE(starter.start("", WindowState::NormalNoActivate));
    EXPECT_FALSE(starter.start("   ", WindowState::NormalNoActivate));
    EXPECT_FALSE(
        starter.start(dir.filePath("missing program") + " arg", WindowState::NormalNoActivate));
    EXPECT_FALSE(starter.start("'unclosed", WindowState::NormalNoActivate));
    // A folder is no program.
    EXPECT_FALSE(starter.start(dir.path(), WindowState::NormalNoActivate));
    // Only files are handed to the opener.
    EXPECT_TRUE(opener->opened().isEmpty());
}

TEST_F(DetachedProcessStarterTest, WaitingGivesTheExitCodeOfTheProgramItself)
{
    EXPECT_EQ(starter.startAndWait("sh -c 'exit 3'", WindowState::NormalNoActivate), 3);
    EXPECT_EQ(starter.startAndWait("true", WindowState::NormalNoActivate), 0);
    // A program killed by a signal ends the way a shell reports it.
    EXPECT_EQ(starter.startAndWait("sh -c 'kill -TERM $$'", WindowState::NormalNoActivate),
              128 + 15);
    EXPECT_EQ(starter.startAndWait(program.path() + " waited", WindowState::MaximizedActive), 0);
    EXPECT_EQ(program.waitForRuns(1), (QList<QStringList>{{"arg:waited", "state:maximized"}}));
    EXPECT_TRUE(opener->opened().isEmpty());
}

TEST_F(DetachedProcessStarterTest, WaitingNeverOpensDocumentsNorStartsWhatIsMissing)
{
    const QString report = executableFile("report.pdf", "%PDF-1.7\n");
    EXPECT_EQ(starter.startAndWait(report, WindowState::NormalNoActivate), std::nullopt);
    EXPECT_EQ(starter.startAndWait(dir.filePath("missing") + " x", WindowState::NormalNoActivate),
              std::nullopt);
    EXPECT_EQ(starter.startAndWait("", WindowState::NormalNoActivate), std::nullopt);
    EXPECT_EQ(starter.startAndWait(executableFile("orphan", "#!/no/such/interpreter\n"),
                                   WindowState::NormalNoActivate),
              std::nullopt);
    EXPECT_TRUE(opener->opened().isEmpty());
}

TEST(FakeProcessStarter, RecordsCommandLinesAndStates)
{
    FakeProcessStarter starter;
    EXPECT_TRUE(starter.start("a b", WindowState::MinimizedActive));
    starter.setSucceeds(false);
    EXPECT_FALSE(starter.start("c", WindowState::MaximizedActive));
    EXPECT_EQ(starter.starts(),
              (QList<FakeProcessStarter::Start>{{"a b", WindowState::MinimizedActive},
                                                {"c", WindowState::MaximizedActive}}));
}
