#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(TextFile, SplitsCrLfAndLfAndDropsOnlyTheFinalLineEnd)
{
    EXPECT_EQ(TextFile::splitLines("a\r\nb\nc"), QStringList({"a", "b", "c"}));
    EXPECT_EQ(TextFile::splitLines("a\r\n\r\n"), QStringList({"a", ""}));
    EXPECT_EQ(TextFile::splitLines("trailing \r\n"), QStringList({"trailing "}));
    EXPECT_EQ(TextFile::splitLines(""), QStringList());
    EXPECT_EQ(TextFile::joinLines({"a", "", "b "}), QByteArray("a\r\n\r\nb \r\n"));
}

TEST(TextFile, DecodesUtf8AndFallsBackToWindows1252)
{
    EXPECT_EQ(TextFile::decode("gr\xc3\xbc\xc3\x9f"), QString::fromUtf8("grüß"));
    EXPECT_EQ(TextFile::decode("gr\xfc\xdf \x93q\x94 \x80"), QString::fromUtf8("grüß “q” €"));
    EXPECT_EQ(TextFile::decode("\xef\xbb\xbfhi"), "hi");
    // Marks written over marks: what is read must survive a save, which writes none.
    const QString marked = TextFile::decode("\xef\xbb\xbf\xef\xbb\xbf\xef\xbb\xbfhi");
    EXPECT_EQ(marked, "hi");
    EXPECT_EQ(TextFile::decode(TextFile::encode(marked)), marked);
    // A mark past the start is the text's own.
    EXPECT_EQ(TextFile::decode("a\xef\xbb\xbf"), QString::fromUtf16(u"a\uFEFF"));
}

TEST(TextFile, DecodesEachLineThatIsNotUtf8AloneAsWindows1252)
{
    // One line saved by another editor in Windows-1252 among UTF-8 lines.
    EXPECT_EQ(TextFile::decode("caf\xc3\xa9\r\nna\xefve\r\n\xe2\x82\xac 5\n\x80 6\r\n"),
              QString::fromUtf8("café\r\nnaïve\r\n€ 5\n€ 6\r\n"));
    // The bad byte at the very end, and a line of its own.
    EXPECT_EQ(TextFile::decode("\xc3\xa9\n\xe9"), QString::fromUtf8("é\né"));
    EXPECT_EQ(TextFile::decode("\xef\xbb\xbf"
                               "caf\xc3\xa9\n\xe9\n"),
              QString::fromUtf8("café\né\n"));
    // A character cut by a line end is no UTF-8 on either side.
    EXPECT_EQ(TextFile::decode("\xc3\n\xa9"), QString::fromUtf8("Ã\n©"));
}

TEST(TextFile, MixedListIsSavedWithTheTextTheUserWrote)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list");
    ASSERT_TRUE(TextFile::writeAtomically(path, "say caf\xc3\xa9\r\nSpeak\r\nna\xefve\r\n"));
    QStringList lines;
    ASSERT_TRUE(TextFile::readLines(path, &lines));
    ASSERT_TRUE(TextFile::writeAtomically(path, TextFile::joinLines(lines)));
    EXPECT_EQ(readAll(path), "say caf\xc3\xa9\r\nSpeak\r\nna\xc3\xafve\r\n");
}

TEST(TextFile, SaveKeepsTheFilesModeAndWritesThroughALink)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list");
    ASSERT_TRUE(TextFile::writeAtomically(path, "old\r\n"));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(QFile::link(path, dir.filePath("link")));
    ASSERT_TRUE(TextFile::writeAtomically(dir.filePath("link"), "new\r\n"));
    EXPECT_EQ(readAll(path), "new\r\n");
    EXPECT_TRUE(QFileInfo(dir.filePath("link")).isSymLink());
    EXPECT_EQ(QFile::permissions(path) & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
}

TEST(TextFile, AtomicWriteReplacesWholeFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list");
    ASSERT_TRUE(TextFile::writeAtomically(path, "old\r\n"));
    ASSERT_TRUE(TextFile::writeAtomically(path, "new\r\n"));
    EXPECT_EQ(readAll(path), "new\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"list"}));
}

TEST(TextFile, FailedWriteLeavesOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list");
    ASSERT_TRUE(TextFile::writeAtomically(path, "old\r\n"));
    // A folder in the way of the temporary file's rename: the write must fail cleanly.
    const QString blocked = dir.filePath("blocked");
    ASSERT_TRUE(QDir(dir.path()).mkdir("blocked"));
    EXPECT_FALSE(TextFile::writeAtomically(blocked, "x"));
    EXPECT_FALSE(TextFile::writeAtomically(dir.filePath("no/such/folder/list"), "x"));
    EXPECT_EQ(readAll(path), "old\r\n");
}

TEST(TextFile, WriteKilledHalfwayLeavesOldOrNewFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list");
    const QByteArray old = "old list\r\n";
    ASSERT_TRUE(TextFile::writeAtomically(path, old));
    const QByteArray big(64 * 1024 * 1024, 'x');

    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        for (;;)
            TextFile::writeAtomically(path, big);
    }
    usleep(200 * 1000);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    const QByteArray now = readAll(path);
    EXPECT_TRUE(now == old || now == big) << "file is " << now.size() << " bytes";
}

} // namespace
