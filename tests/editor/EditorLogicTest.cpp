// The editor's rules that need no window: paths, scrolling, names, fields and edits.
#include "ChooserScroll.h"
#include "CommandEditing.h"
#include "CommandList.h"
#include "FileBrowsing.h"
#include "RecordingDialogs.h"
#include "ScriptName.h"
#include "TempAppFolder.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ChosenPath, JoinsFolderAndFileWithOneSlash)
{
    EXPECT_EQ(FileBrowsing::chosenPath("/", "x.sh"), "/x.sh");
    EXPECT_EQ(FileBrowsing::chosenPath("/opt/tools", "x.sh"), "/opt/tools/x.sh");
    EXPECT_EQ(FileBrowsing::chosenPath("/media/usb/", "x.sh"), "/media/usb/x.sh");
    EXPECT_EQ(FileBrowsing::chosenPath("/opt/tools", ""), "/opt/tools");
    EXPECT_EQ(FileBrowsing::chosenPath("/", ""), "/");
}

TEST(FolderRows, RunFromTheVolumeRootToTheOpenFolderThenItsFolders)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("a/b/zeta");
    QDir(dir.path()).mkpath("a/b/Alpha");
    QDir(dir.path()).mkpath("a/b/.hidden");
    const QList<FileBrowsing::FolderRow> rows =
        FileBrowsing::folderRows(dir.path(), dir.path() + "/a/b");
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0].path, dir.path());
    EXPECT_EQ(rows[1].path, dir.path() + "/a");
    EXPECT_EQ(rows[2].name, "b");
    EXPECT_EQ(rows[2].depth, 2);
    EXPECT_TRUE(rows[2].open);
    EXPECT_EQ(rows[3].name, "Alpha");
    EXPECT_EQ(rows[4].path, dir.path() + "/a/b/zeta");
    EXPECT_EQ(rows[4].depth, 3);
    EXPECT_FALSE(rows[4].open);

    // From the file system's root the paths keep one slash.
    const QList<FileBrowsing::FolderRow> fromRoot = FileBrowsing::folderRows("/", dir.path());
    EXPECT_EQ(fromRoot[0].path, "/");
    EXPECT_EQ(fromRoot[1].path, "/" + dir.path().section('/', 1, 1));
    // A folder outside the volume opens the volume's root.
    EXPECT_EQ(FileBrowsing::folderRows(dir.path() + "/a", "/etc").size(),
              1 + QDir(dir.path() + "/a").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

TEST(Volumes, RootFirstHomeNextAndAFolderFindsItsOwn)
{
    const QList<FileBrowsing::Volume> volumes = FileBrowsing::volumes();
    ASSERT_GE(volumes.size(), 1);
    EXPECT_EQ(volumes[0].root, "/");
    const QList<FileBrowsing::Volume> made = {
        {"Computer (/)", "/"}, {"Home", "/home/sam"}, {"USB", "/media/sam/USB"}};
    EXPECT_EQ(FileBrowsing::volumeOf(made, "/media/sam/USB/photos").root, "/media/sam/USB");
    EXPECT_EQ(FileBrowsing::volumeOf(made, "/home/sam").root, "/home/sam");
    EXPECT_EQ(FileBrowsing::volumeOf(made, "/home/samuel").root, "/");
}

TEST(ChooserScroll, MovesARowAtATimeWithinItsBounds)
{
    EXPECT_EQ(ChooserScroll::up(0), 0);
    EXPECT_EQ(ChooserScroll::up(-905), 0);
    EXPECT_EQ(ChooserScroll::down(0, 855), 0);
    EXPECT_EQ(ChooserScroll::down(0, 1710), -905);
    EXPECT_EQ(ChooserScroll::down(0, 2565), -905);
    EXPECT_EQ(ChooserScroll::down(-905, 2565), -905);
}

TEST(ScriptName, OnlyASingleFileOfTheDataFolder)
{
    EXPECT_TRUE(ScriptName::isUsable("Lights"));
    EXPECT_TRUE(ScriptName::isUsable("turn on the lights.txt"));
    EXPECT_TRUE(ScriptName::isUsable("a..b"));
    for (const QString &bad :
         {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("a/b"),
          QStringLiteral("a\\b"), QStringLiteral("tab\there"), QStringLiteral("line\nbreak"),
          QString(QChar(0)) + "x"})
        EXPECT_FALSE(ScriptName::isUsable(bad)) << bad.toStdString();
}

TEST(CommandListFields, ALineBreakIsRefusedWhateverTheCaller)
{
    CommandList list;
    EXPECT_FALSE(list.append({"two\nlines", "Speak", "x"}));
    EXPECT_FALSE(list.append({"phrase", "Speak", "x\r"}));
    ASSERT_TRUE(list.append({"phrase", "Speak", "x"}));
    EXPECT_FALSE(list.setPhrase(0, "a\r\nb"));
    EXPECT_FALSE(list.setArgument(0, "a\nb"));
    EXPECT_FALSE(list.setKind(0, "Speak\n"));
    EXPECT_FALSE(list.setEntry(0, {"fine", "Speak", "not\nfine"}));
    EXPECT_EQ(list.entry(0), (CommandList::Entry{"phrase", "Speak", "x"}));
    EXPECT_EQ(list.shownPhrase(0), "phrase");
    EXPECT_EQ(list.count(), 1);
}

TEST(CommandEditing, TheReservedEntriesAreNeitherChangedNorRemovedWhoeverAsks)
{
    TempAppFolder app;
    app.writeCommandList("say hi\r\nSpeak\r\nhello\r\n");
    CommandList list;
    ASSERT_TRUE(list.load(app.paths().brainlistPath(), nullptr));
    RecordingDialogs dialogs;
    CommandEditing editing(app.paths(), list, dialogs);
    int saves = 0;
    editing.setSaveTheList([&saves] { ++saves; });
    editing.setYield([] {});
    const QByteArray before = list.serialize();
    for (int row = 0; row < CommandList::kReservedCount; ++row) {
        EXPECT_FALSE(editing.isEditable(row));
        EXPECT_FALSE(editing.saveChange(row, "greet", "Hi"));
        editing.remove(row);
    }
    EXPECT_EQ(list.serialize(), before);
    EXPECT_EQ(saves, 0);

    EXPECT_TRUE(editing.isEditable(4));
    EXPECT_TRUE(editing.saveChange(4, "greet", "Hi"));
    editing.remove(4);
    EXPECT_EQ(list.count(), CommandList::kReservedCount);
    EXPECT_EQ(saves, 2);
}

} // namespace
