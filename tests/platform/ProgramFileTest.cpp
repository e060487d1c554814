#include "ProgramFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ProgramFileTest : public testing::Test {
protected:
    QString make(const QString &name, const QByteArray &bytes, bool executable = true)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        if (executable)
            permissions |= QFileDevice::ExeOwner;
        EXPECT_TRUE(file.setPermissions(permissions));
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(ProgramFileTest, ElfBinariesAndScriptsWithAnInterpreterArePrograms)
{
    EXPECT_TRUE(ProgramFile::isProgram(make("binary", QByteArray("\x7F"
                                                                 "ELF\x02\x01\x01\0",
                                                                 8))));
    EXPECT_TRUE(ProgramFile::isProgram(make("script", "#!/bin/sh\necho hi\n")));
    EXPECT_TRUE(ProgramFile::isProgram(make("bare", "#!")));
    EXPECT_TRUE(ProgramFile::isProgram("/bin/sh"));
}

TEST_F(ProgramFileTest, TheExecuteBitAloneMakesNoProgram)
{
    // As every file on an exFAT or NTFS stick looks.
    EXPECT_FALSE(ProgramFile::isProgram(make("report.pdf", "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n")));
    EXPECT_FALSE(ProgramFile::isProgram(make("empty", "")));
    EXPECT_FALSE(ProgramFile::isProgram(make("short", "\x7F"
                                                      "EL")));
    EXPECT_FALSE(ProgramFile::isProgram(make("hash", "# a note, not a script\n")));
    EXPECT_FALSE(ProgramFile::isProgram(make("shell words", "echo hi\n")));
}

TEST_F(ProgramFileTest, WhatCannotBeRunIsNoProgram)
{
    EXPECT_FALSE(ProgramFile::isProgram(make("not executable", "#!/bin/sh\n", false)));
    EXPECT_FALSE(ProgramFile::isProgram(dir.filePath("missing")));
    EXPECT_FALSE(ProgramFile::isProgram(dir.path()));
    EXPECT_FALSE(ProgramFile::isProgram(""));
}

} // namespace
