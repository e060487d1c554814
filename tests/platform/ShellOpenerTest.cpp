#include "FakeShellOpener.h"
#include "RecordingProgram.h"
#include "XdgShellOpener.h"

#include <QTemporaryDir>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QStringList args(const QString &target)
{
    return {"arg:" + target, "state:"};
}

} // namespace

class XdgShellOpenerTest : public testing::Test {
protected:
    QTemporaryDir dir;
    RecordingProgram handler{dir.filePath("opener"), dir.filePath("opened.txt")};
    XdgShellOpener opener{handler.path()};
};

TEST_F(XdgShellOpenerTest, HandsDocumentsFoldersAndAddressesOverAsOneArgument)
{
    const QString document = dir.filePath("my notes \"draft\" $HOME;.txt");
    QFile file(document);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString url = "https://example.org/a b?x=1&y=$(id)";

    EXPECT_TRUE(opener.open(document));
    ASSERT_EQ(handler.waitForRuns(1).size(), 1);
    EXPECT_TRUE(opener.open(dir.path()));
    ASSERT_EQ(handler.waitForRuns(2).size(), 2);
    EXPECT_TRUE(opener.open(url));
    EXPECT_EQ(handler.waitForRuns(3),
              (QList<QStringList>{args(document), args(dir.path()), args(url)}));
}

TEST_F(XdgShellOpenerTest, StartsAnExecutableFileItself)
{
    RecordingProgram program(dir.filePath("a program/run me"), dir.filePath("ran.txt"));
    EXPECT_TRUE(opener.open(program.path()));
    EXPECT_EQ(program.waitForRuns(1), QList<QStringList>{{"state:"}});

    // The opener was not asked: the only thing it sees is what comes next.
    EXPECT_TRUE(opener.open("mailto:someone@example.org"));
    EXPECT_EQ(handler.waitForRuns(1), QList<QStringList>{args("mailto:someone@example.org")});
}

TEST_F(XdgShellOpenerTest, ExecutableFilesThatAreNoProgramsGoToTheOpener)
{
    // A document on a stick that marks every file executable, an empty file, and a
    // script whose interpreter is missing, which cannot be started itself.
    const QList<QPair<QString, QByteArray>> files = {
        {"report.pdf", "%PDF-1.7\n"},
        {"empty", ""},
        {"orphan script", "#!/no/such/interpreter\n"},
    };
    int runs = 0;
    for (const auto &[name, bytes] : files) {
        const QString path = dir.filePath(name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        ASSERT_TRUE(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));

        EXPECT_TRUE(opener.open(path)) << qPrintable(name);
        const QList<QStringList> records = handler.waitForRuns(++runs);
        ASSERT_EQ(records.size(), runs) << qPrintable(name);
        EXPECT_EQ(records.last(), args(path));
    }
}

TEST_F(XdgShellOpenerTest, FailsForNothingAndForAMissingOpener)
{
    EXPECT_FALSE(opener.open(""));
    EXPECT_FALSE(opener.open("   "));
    XdgShellOpener missing(dir.filePath("no such opener"));
    EXPECT_FALSE(missing.open("https://example.org"));
}

TEST_F(XdgShellOpenerTest, OpenerComesFromTheEnvironmentOrIsXdgOpen)
{
    qputenv("QUILLET_OPENER", handler.path().toUtf8());
    EXPECT_EQ(XdgShellOpener().opener(), handler.path());
    EXPECT_EQ(XdgShellOpener("other").opener(), "other");
    qunsetenv("QUILLET_OPENER");
    EXPECT_EQ(XdgShellOpener().opener(), "xdg-open");
}

TEST(FakeShellOpener, RecordsTargets)
{
    FakeShellOpener opener;
    EXPECT_TRUE(opener.open("/a"));
    opener.setSucceeds(false);
    EXPECT_FALSE(opener.open("/b"));
    EXPECT_EQ(opener.opened(), (QStringList{"/a", "/b"}));
}
