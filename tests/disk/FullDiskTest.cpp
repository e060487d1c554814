// What the program does when data/ is full or read-only. Each test mounts a tmpfs of its own on
// data/ (the binary runs in a mount namespace of its own), fills it or remounts it read-only,
// and checks that every file the user has keeps its bytes.
#include "CommandEditing.h"
#include "CommandList.h"
#include "Engine.h"
#include "FakeServices.h"
#include "ListSaver.h"
#include "MenuState.h"
#include "Program.h"
#include "RecordingDialogs.h"
#include "SmallDisk.h"
#include "TempAppFolder.h"
#include "TextFile.h"

#include <QAction>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

const QByteArray kList = QByteArray(TempAppFolder::reservedEntries) +
                         "say hi\r\nSpeak\r\nhello there, caf\xc3\xa9\r\n"
                         "greet\r\nScript\r\ngreet.txt\r\n";
const QByteArray kScript = "Mouth.speak \"hi\"\r\n";

// The tests run as root of a mount namespace of their own, where a tmpfs can always be mounted.
// Only a user whose desktop refuses user namespaces runs them outside one: there they say why
// they cannot run instead of failing.
#define REQUIRE_MOUNTED(disk)                                                                      \
    if (!(disk).mounted() && ::getuid() != 0)                                                      \
        GTEST_SKIP() << "no user namespace here to mount a tmpfs in";                              \
    ASSERT_TRUE((disk).mounted()) << "no tmpfs could be mounted: " << qPrintable((disk).whyNot())

TEST(FullDisk, FailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    QTemporaryDir dir;
    SmallDisk disk(dir.filePath("data"), 64);
    REQUIRE_MOUNTED(disk);
    const QString path = dir.filePath("data/brainlist");
    ASSERT_TRUE(TextFile::writeAtomically(path, kList));
    ASSERT_TRUE(disk.fill());

    // Small enough that a buffered writer keeps it all until the close.
    QString why;
    EXPECT_FALSE(TextFile::writeAtomically(path, kList + "one more\r\nSpeak\r\nx\r\n", &why));
    EXPECT_EQ(why, QString::fromLocal8Bit(strerror(ENOSPC)));
    EXPECT_FALSE(TextFile::writeAtomically(path, QByteArray(200 * 1024, 'x')));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kList);
    EXPECT_EQ(SmallDisk::entries(dir.filePath("data")), QStringList({".filler", "brainlist"}));

    disk.makeRoom();
    EXPECT_TRUE(TextFile::writeAtomically(path, "new\r\n", &why)) << qPrintable(why);
}

TEST(FullDisk, ReadOnlyDiskKeepsTheOldFile)
{
    QTemporaryDir dir;
    SmallDisk disk(dir.filePath("data"), 64);
    REQUIRE_MOUNTED(disk);
    const QString path = dir.filePath("data/brainlist");
    ASSERT_TRUE(TextFile::writeAtomically(path, kList));
    ASSERT_TRUE(disk.setReadOnly(true));

    QString why;
    EXPECT_FALSE(TextFile::writeAtomically(path, "new\r\n", &why));
    EXPECT_EQ(why, QString::fromLocal8Bit(strerror(EROFS)));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kList);
    ASSERT_TRUE(disk.setReadOnly(false));
}

TEST(FullDisk, ScriptIsToldThatItsTextFileDidNotFit)
{
    QTemporaryDir dir;
    SmallDisk disk(dir.filePath("data"), 64);
    REQUIRE_MOUNTED(disk);
    ASSERT_TRUE(disk.fill());
    std::vector<std::string> shown;
    vbs::HostServices services;
    services.msgBox = [&shown](const std::string &text, int, const std::string &) {
        shown.push_back(text);
        return 1;
    };
    vbs::Engine engine(services);
    const std::string path = dir.filePath("data/log.txt").toStdString();
    ASSERT_TRUE(engine.addCode("Set fso = CreateObject(\"Scripting.FileSystemObject\")\r\n"
                               "On Error Resume Next\r\n"
                               "Set f = fso.CreateTextFile(\"" +
                               path +
                               "\")\r\n"
                               "f.WriteLine \"a line that does not fit\"\r\n"
                               "f.Close\r\n"
                               "MsgBox Err.Number & \" \" & Err.Description\r\n"))
        << engine.lastError().description;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "61 Disk full");

    // A read-only disk refuses the file at once.
    disk.makeRoom();
    ASSERT_TRUE(disk.setReadOnly(true));
    shown.clear();
    ASSERT_TRUE(engine.addCode("Set fso = CreateObject(\"Scripting.FileSystemObject\")\r\n"
                               "On Error Resume Next\r\n"
                               "Set f = fso.CreateTextFile(\"" +
                               path +
                               "\")\r\n"
                               "MsgBox Err.Number\r\n"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "70");
    ASSERT_TRUE(disk.setReadOnly(false));
}

// The whole program on a data/ that runs out of room or is made read-only after it started.
class DiskProgramTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_disk = std::make_unique<SmallDisk>(m_app.path() + "/data", 64);
        REQUIRE_MOUNTED(*m_disk);
        m_app.write("data/brainlist", kList);
        m_app.write("data/greet.txt", kScript);
    }

    Program &program()
    {
        if (!m_program)
            m_program = std::make_unique<Program>(m_app.paths(), m_fakes.make(), m_dialogs);
        return *m_program;
    }
    void trigger(MenuState::Item item) { program().menu().action(item)->trigger(); }
    QStringList saveFailures() const
    {
        return m_dialogs.shown.filter("Your commands could not be saved in");
    }

    TempAppFolder m_app;
    std::unique_ptr<SmallDisk> m_disk;
    FakeServices m_fakes;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Program> m_program;
};

TEST_F(DiskProgramTest, FullDiskKeepsTheFilesAndTheChangesAndSaysSoOnce)
{
    ASSERT_TRUE(program().start());
    const QByteArray grammar = m_app.read("data/Temp");
    ASSERT_TRUE(grammar.contains("<start>=say hi"));
    ASSERT_TRUE(m_disk->fill());

    trigger(MenuState::Bubble);
    trigger(MenuState::Semitransparent);
    EXPECT_EQ(m_app.read("data/brainlist"), kList);
    EXPECT_EQ(m_app.read("data/Temp"), grammar);
    ASSERT_EQ(saveFailures().size(), 1) << qPrintable(m_dialogs.shown.join('\n'));
    EXPECT_TRUE(saveFailures().first().contains(m_app.paths().brainlistPath()));
    EXPECT_TRUE(saveFailures().first().contains(strerror(ENOSPC)));
    // The changes are still the program's: the next save that can be written has them.
    EXPECT_TRUE(program().commands().option(CommandList::BubbleOffOption));
    EXPECT_TRUE(program().commands().option(CommandList::SemitransparentOption));

    m_disk->makeRoom();
    trigger(MenuState::AutoListen);
    const QByteArray saved = m_app.read("data/brainlist");
    CommandList reread;
    QString name;
    ASSERT_TRUE(reread.load(m_app.paths().brainlistPath(), &name));
    EXPECT_TRUE(reread.option(CommandList::BubbleOffOption));
    EXPECT_TRUE(reread.option(CommandList::SemitransparentOption));
    EXPECT_TRUE(reread.option(CommandList::AutoListenOption));
    EXPECT_EQ(reread.argument(4), QString::fromUtf8("hello there, café"));
    EXPECT_EQ(saveFailures().size(), 1);

    // A disk that fills up again is said again.
    ASSERT_TRUE(m_disk->fill());
    trigger(MenuState::Bubble);
    EXPECT_EQ(m_app.read("data/brainlist"), saved);
    EXPECT_EQ(saveFailures().size(), 2);
}

TEST_F(DiskProgramTest, QuitWithUnsavedCommandsTriesAgainAndAsks)
{
    ASSERT_TRUE(program().start());
    int exits = 0;
    program().setExit([&exits] { ++exits; });
    ASSERT_TRUE(m_disk->fill());
    trigger(MenuState::Bubble);

    // No: the program stays, and so do the changes.
    m_dialogs.answer = 7;
    trigger(MenuState::Quit);
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(m_dialogs.shown.filter(Program::unsavedQuitQuestion()).size(), 1);
    EXPECT_EQ(saveFailures().size(), 1);

    // With room again, Quit saves them first and asks nothing.
    m_disk->makeRoom();
    trigger(MenuState::Quit);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(m_dialogs.shown.filter(Program::unsavedQuitQuestion()).size(), 1);
    CommandList reread;
    ASSERT_TRUE(reread.load(m_app.paths().brainlistPath(), nullptr));
    EXPECT_TRUE(reread.option(CommandList::BubbleOffOption));

    // Yes: it ends without them.
    ASSERT_TRUE(m_disk->fill());
    trigger(MenuState::Semitransparent);
    m_dialogs.answer = 6;
    trigger(MenuState::Quit);
    EXPECT_EQ(exits, 2);
}

TEST_F(DiskProgramTest, ReadOnlyDataKeepsTheFilesAndSaysSo)
{
    ASSERT_TRUE(program().start());
    const QByteArray grammar = m_app.read("data/Temp");
    ASSERT_TRUE(m_disk->setReadOnly(true));

    trigger(MenuState::Bubble);
    EXPECT_EQ(m_app.read("data/brainlist"), kList);
    EXPECT_EQ(m_app.read("data/Temp"), grammar);
    ASSERT_EQ(saveFailures().size(), 1);
    EXPECT_TRUE(saveFailures().first().contains(strerror(EROFS)));
    EXPECT_TRUE(program().commands().option(CommandList::BubbleOffOption));
    ASSERT_TRUE(m_disk->setReadOnly(false));
}

TEST_F(DiskProgramTest, StartOnAFullDiskLeavesTheListAsItWas)
{
    // Written with LF line ends: a save would rewrite them as CR LF.
    QByteArray lf = kList;
    lf.replace("\r\n", "\n");
    m_app.write("data/brainlist", lf);
    ASSERT_TRUE(m_disk->fill());
    ASSERT_TRUE(program().start());
    EXPECT_EQ(m_app.read("data/brainlist"), lf);
    EXPECT_FALSE(m_app.exists("data/Temp"));
    EXPECT_EQ(saveFailures().size(), 1);
    EXPECT_EQ(program().commands().argument(4), QString::fromUtf8("hello there, café"));
}

TEST_F(DiskProgramTest, ScriptThatCannotBeSavedKeepsItsFileAndTheList)
{
    ASSERT_TRUE(program().start());
    const AppPaths paths = m_app.paths();
    CommandEditing editing(paths, program().commands(), m_dialogs);
    editing.setSaveTheList([this] { program().listSaver().savethelist(); });
    const int row = program().commands().selectByPhrase("greet");
    ASSERT_EQ(row, 5);
    ASSERT_TRUE(m_disk->fill());

    EXPECT_FALSE(editing.saveChange(row, "greet", "Mouth.speak \"hello, all of you\"\n"));
    EXPECT_EQ(m_app.read("data/greet.txt"), kScript);
    EXPECT_EQ(m_app.read("data/brainlist"), kList);
    EXPECT_EQ(m_dialogs.shown.filter("The script could not be saved").size(), 1);

    // A new script command on the full disk is refused whole: no entry without its file.
    const int count = program().commands().count();
    EXPECT_FALSE(editing.add("wave", "Script", QString(), "Mouth.speak \"bye\"\n"));
    EXPECT_EQ(program().commands().count(), count);
    EXPECT_FALSE(m_app.exists("data/wave.txt"));
}

} // namespace
