#include "UserAppFolder.h"
#include "AppPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
    file.write(bytes);
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

class UserAppFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_shipped = m_dir.filePath("usr/share/quillet");
        m_user = m_dir.filePath("home/.local/share/quillet");
        write(m_shipped + "/data/brainlist.in",
              "@CHARACTER@ listen\nSpeak\nI hear you\nnotes\nPlugin\n@APP@/Plugins/notes\n");
        write(m_shipped + "/data/greet me.txt", "MsgBox \"hi\"\nMsgBox \"there\"\n");
        write(m_shipped + "/data/not a script.md", "left where it is\n");
        write(m_shipped + "/Character/Pebble.qlc", "pebble");
        write(m_shipped + "/Character/Clover.qlc", "clover");
        write(m_shipped + "/Plugins/notes", "#!/bin/sh\n");
        write(m_shipped + "/Help/index.html", "<html></html>");
    }

    bool prepare(QString *error = nullptr)
    {
        QString ignored;
        return UserAppFolder(m_shipped, m_user).prepare(error ? error : &ignored);
    }

    QString linkTarget(const QString &relative) const
    {
        const QFileInfo info(m_user + '/' + relative);
        return info.isSymLink() ? QDir::cleanPath(info.symLinkTarget()) : QString();
    }

    QTemporaryDir m_dir;
    QString m_shipped;
    QString m_user;
};

TEST_F(UserAppFolderTest, FirstStartMakesTheFolderFromTheShippedFiles)
{
    ASSERT_TRUE(prepare());
    // The list is the program's own file: CR LF, the placeholders filled for this folder.
    EXPECT_EQ(read(m_user + "/data/brainlist"),
              "Pebble listen\r\nSpeak\r\nI hear you\r\nnotes\r\nPlugin\r\n" +
                  (m_user + "/Plugins/notes\r\n").toUtf8());
    EXPECT_EQ(read(m_user + "/data/greet me.txt"), "MsgBox \"hi\"\r\nMsgBox \"there\"\r\n");
    EXPECT_FALSE(QFileInfo::exists(m_user + "/data/not a script.md"));
    EXPECT_EQ(linkTarget("Character/Pebble.qlc"), m_shipped + "/Character/Pebble.qlc");
    EXPECT_EQ(linkTarget("Character/Clover.qlc"), m_shipped + "/Character/Clover.qlc");
    EXPECT_EQ(linkTarget("Plugins/notes"), m_shipped + "/Plugins/notes");
    EXPECT_EQ(linkTarget("Help"), m_shipped + "/Help");
    EXPECT_EQ(read(m_user + "/Help/index.html"), "<html></html>");
}

TEST_F(UserAppFolderTest, LaterStartsKeepWhatTheUserHasAndFollowThePackage)
{
    ASSERT_TRUE(prepare());
    write(m_user + "/data/brainlist", "Mine listen\r\nSpeak\r\nYes?\r\n");
    write(m_user + "/data/greet me.txt", "MsgBox \"my own\"\r\n");
    QFile::remove(m_user + "/Character/Clover.qlc");
    write(m_user + "/Character/Clover.qlc", "the user's own Clover");
    write(m_user + "/Character/Mine.qlc", "mine");
    QFile::remove(m_user + "/Plugins/notes");
    write(m_user + "/Plugins/notes", "my notes plugin");
    QFile::link(m_dir.filePath("elsewhere/gone.qlc"), m_user + "/Character/Linked.qlc");
    // The package drops a character and brings another between the two starts.
    QFile::remove(m_shipped + "/Character/Pebble.qlc");
    write(m_shipped + "/Character/Nova.qlc", "nova");

    ASSERT_TRUE(prepare());
    EXPECT_EQ(read(m_user + "/data/brainlist"), "Mine listen\r\nSpeak\r\nYes?\r\n");
    EXPECT_EQ(read(m_user + "/data/greet me.txt"), "MsgBox \"my own\"\r\n");
    EXPECT_EQ(read(m_user + "/Character/Clover.qlc"), "the user's own Clover");
    EXPECT_EQ(read(m_user + "/Character/Mine.qlc"), "mine");
    EXPECT_EQ(read(m_user + "/Plugins/notes"), "my notes plugin");
    EXPECT_EQ(linkTarget("Character/Nova.qlc"), m_shipped + "/Character/Nova.qlc");
    EXPECT_FALSE(QFileInfo(m_user + "/Character/Pebble.qlc").isSymLink())
        << "a link to a character the package no longer has stays listed as broken";
    EXPECT_TRUE(QFileInfo(m_user + "/Character/Linked.qlc").isSymLink())
        << "the user's own link was taken away";
}

TEST_F(UserAppFolderTest, ADeletedScriptOrListIsCopiedAgain)
{
    ASSERT_TRUE(prepare());
    QFile::remove(m_user + "/data/greet me.txt");
    QFile::remove(m_user + "/data/brainlist");
    ASSERT_TRUE(prepare());
    EXPECT_EQ(read(m_user + "/data/greet me.txt"), "MsgBox \"hi\"\r\nMsgBox \"there\"\r\n");
    EXPECT_TRUE(read(m_user + "/data/brainlist").startsWith("Pebble listen\r\n"));
}

TEST_F(UserAppFolderTest, AFolderThatCannotBeMadeIsReportedAndNothingIsWritten)
{
    write(m_dir.filePath("home/.local/share"), "a file where the folder should be");
    QString error;
    EXPECT_FALSE(prepare(&error));
    EXPECT_TRUE(error.contains(m_user)) << qPrintable(error);
    EXPECT_EQ(QDir(m_shipped + "/data").entryList(QDir::Files).size(), 3);
}

TEST_F(UserAppFolderTest, AShippedListThatCannotBeReadIsReported)
{
    QFile::remove(m_shipped + "/data/brainlist.in");
    QString error;
    EXPECT_FALSE(prepare(&error));
    EXPECT_TRUE(error.contains("brainlist.in")) << qPrintable(error);
    EXPECT_FALSE(QFileInfo::exists(m_user + "/data/brainlist"));
}

TEST_F(UserAppFolderTest, OnlyAnInstalledBinaryRunsFromTheUsersFolder)
{
    const QString bin = m_dir.filePath("usr/bin");
    QDir().mkpath(bin);
    EXPECT_EQ(AppPaths::shippedFolder(bin), m_shipped);
    // A binary with its data beside it (the build's or run.sh's folder) runs there.
    QDir().mkpath(bin + "/data");
    EXPECT_EQ(AppPaths::shippedFolder(bin), QString());
    QDir().mkpath(m_dir.filePath("opt/bin"));
    EXPECT_EQ(AppPaths::shippedFolder(m_dir.filePath("opt/bin")), QString());

    const bool wasSet = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", m_dir.filePath("data home").toUtf8());
    EXPECT_EQ(AppPaths::userFolder(), m_dir.filePath("data home/quillet"));
    if (wasSet)
        qputenv("XDG_DATA_HOME", saved);
    else
        qunsetenv("XDG_DATA_HOME");
}

} // namespace
