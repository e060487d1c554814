// WScript.Shell in the program's scripts: Run by the Open command's rule, Exec, AppActivate,
// through the program's desktop services (doubles here, but for Exec's real programs).
#include "BubbleWindow.h"
#include "FakeServices.h"
#include "Program.h"
#include "RecordingDialogs.h"
#include "ScriptHost.h"
#include "TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ScriptHostShellTest : public testing::Test {
protected:
    ScriptHostShellTest()
    {
        // The start-up wants a command list with its four reserved entries.
        m_app.writeCommandList();
        m_program = std::make_unique<Program>(m_app.paths(), m_fakes.make(), m_dialogs);
        m_program->setExit([] {});
        EXPECT_TRUE(m_program->start());
    }

    // Runs the lines with sh set to a WScript.Shell and returns the boxes shown.
    QStringList run(const QString &body)
    {
        m_app.write("data/shell.txt",
                    ("Set sh = CreateObject(\"WScript.Shell\")\r\n" + body).toUtf8());
        m_dialogs.shown.clear();
        m_fakes.mun->clearCalls();
        m_program->scriptHost().runScript("shell.txt");
        return m_dialogs.shown;
    }
    QString error(const QString &text, int line) const
    {
        return "Quillet|" + text + QString("\n\nLine %1 of the script.").arg(line);
    }
    QString file(const QString &name, const QByteArray &bytes, bool executable = true)
    {
        const QString path = m_files.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        if (executable)
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return path;
    }
    // A real program: the ELF of /bin/true under another name.
    QString elf(const QString &name)
    {
        QFile in("/bin/true");
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        return file(name, in.readAll());
    }
    static QString quoted(const QString &s) { return "\"\"" + s + "\"\""; }

    QTemporaryDir m_files;
    TempAppFolder m_app;
    FakeServices m_fakes;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Program> m_program;
};

TEST_F(ScriptHostShellTest, ProgramsStartWithTheirArgumentsAndEverythingElseIsOpened)
{
    const QString tool = elf("bin/tool");
    const QString script = file("bin/hello.sh", "#!/bin/sh\necho hello\n");
    const QString pdf = file("usb stick/report.pdf", "%PDF-1.7\n");
    QDir().mkpath(m_files.filePath("folder"));
    const QString folder = m_files.filePath("folder");

    EXPECT_TRUE(run("r = sh.Run(\"" + tool +
                    " --flag x\", 3)\r\n"
                    "r = r + sh.Run(\"" +
                    script +
                    "\", 2)\r\n"
                    "r = r + sh.Run(\"sh -c exit\")\r\n"
                    "r = r + sh.Run(\"" +
                    quoted(pdf) +
                    " --page 3\", 1, True)\r\n"
                    "r = r + sh.Run(\"" +
                    quoted(pdf) +
                    "\")\r\n"
                    "r = r + sh.Run(\"" +
                    folder +
                    "\")\r\n"
                    "r = r + sh.Run(\"https://example.org/a?b=c\", 1, True)\r\n"
                    "r = r + sh.Run(\"mailto:someone@example.org\")\r\n"
                    "speak r\r\n")
                    .isEmpty());
    EXPECT_EQ(m_fakes.mun->spoken(), QStringList{"0"});
    EXPECT_EQ(
        m_fakes.starter->starts(),
        (QList<FakeProcessStarter::Start>{{tool + " --flag x", WindowState::MaximizedActive, false},
                                          {script, WindowState::MinimizedActive, false},
                                          {"sh -c exit", WindowState::NormalNoActivate, false}}));
    // A document with the execute bit (as every file on some media has) is no program.
    EXPECT_EQ(m_fakes.opener->opened(), (QStringList{pdf, pdf, folder, "https://example.org/a?b=c",
                                                     "mailto:someone@example.org"}));
}

TEST_F(ScriptHostShellTest, WaitingGivesTheProgramsExitCode)
{
    m_fakes.starter->setExitCode(3);
    const QString tool = elf("tool");
    EXPECT_TRUE(run("speak sh.Run(\"sh -c " + quoted("exit 3") +
                    "\", 0, True)\r\n"
                    "speak sh.Run(\"" +
                    tool +
                    "\", , True)\r\n"
                    "speak sh.Run(\"" +
                    tool + "\", 1, False)\r\n")
                    .isEmpty());
    EXPECT_EQ(m_fakes.mun->spoken(), (QStringList{"3", "3", "0"}));
    EXPECT_EQ(
        m_fakes.starter->starts(),
        (QList<FakeProcessStarter::Start>{{"sh -c \"exit 3\"", WindowState::NormalNoActivate, true},
                                          {tool, WindowState::NormalNoActivate, true},
                                          {tool, WindowState::NormalNoActivate, false}}));
    EXPECT_TRUE(m_fakes.opener->opened().isEmpty());
}

TEST_F(ScriptHostShellTest, AProgramFileThatWillNotStartIsOpenedInstead)
{
    m_fakes.starter->setSucceeds(false);
    const QString tool = elf("tool");
    EXPECT_TRUE(run("speak sh.Run(\"" + tool +
                    " -x\")\r\n"
                    "speak sh.Run(\"" +
                    tool + "\", 1, True)\r\n")
                    .isEmpty());
    EXPECT_EQ(m_fakes.mun->spoken(), (QStringList{"0", "0"}));
    EXPECT_EQ(m_fakes.opener->opened(), (QStringList{tool, tool}));
    EXPECT_EQ(m_fakes.starter->starts().size(), 2);

    // A program found on the path is no file to open: its failure is the script's error.
    EXPECT_EQ(run("sh.Run \"sh -c exit\"\r\nspeak \"after\""),
              QStringList{error("The system cannot find the file specified.", 2)});
    EXPECT_TRUE(m_fakes.mun->spoken().isEmpty());
    EXPECT_EQ(m_fakes.opener->opened().size(), 2);
}

TEST_F(ScriptHostShellTest, WhatCannotBeStartedOrOpenedIsTheScriptsError)
{
    const QString missing = m_files.filePath("no such program");
    for (const QString &line :
         {"\"" + m_files.filePath("missing") + " --flag\"", QString("\"no-such-program-x\""),
          QString("\"\""), QString("\"  \""), "\"" + quoted(missing) + "\"",
          QString("\"'unclosed\"")}) {
        EXPECT_EQ(run("On Error Resume Next\r\nsh.Run " + line +
                      "\r\nspeak Err.Number & \" \" & Err.Description\r\n"),
                  QStringList{})
            << qPrintable(line);
        EXPECT_EQ(m_fakes.mun->spoken(),
                  QStringList{"-2147024894 The system cannot find the file specified."})
            << qPrintable(line);
    }
    EXPECT_TRUE(m_fakes.starter->starts().isEmpty());
    EXPECT_TRUE(m_fakes.opener->opened().isEmpty());

    // An opener that fails says so too.
    m_fakes.opener->setSucceeds(false);
    EXPECT_EQ(run("sh.Run \"https://example.org\""),
              QStringList{error("The system cannot find the file specified.", 2)});
}

TEST_F(ScriptHostShellTest, AppActivateTakesTheBestMatchingWindow)
{
    m_fakes.windows->setTitles({"Untitled - Text Editor", "Text Editor Help", "Calculator"});
    EXPECT_TRUE(run("speak sh.AppActivate(\"text editor help\")\r\n"
                    "speak sh.AppActivate(\"Text\")\r\n"
                    "speak sh.AppActivate(\"calc\")\r\n"
                    "speak sh.AppActivate(\"HELP\")\r\n"
                    "speak sh.AppActivate(\"Browser\")\r\n")
                    .isEmpty());
    EXPECT_EQ(m_fakes.mun->spoken(), (QStringList{"True", "True", "True", "True", "False"}));
    EXPECT_EQ(m_fakes.windows->requests(),
              (QStringList{"text editor help", "Text", "calc", "HELP", "Browser"}));
    EXPECT_EQ(m_fakes.windows->active(), "Text Editor Help");
    EXPECT_EQ(run("sh.AppActivate \"Calculator\"\r\nspeak \"called as a statement\""),
              QStringList{});
    EXPECT_EQ(m_fakes.windows->active(), "Calculator");
}

TEST_F(ScriptHostShellTest, AppActivateTakesANumberForTheProcessAndTextForATitle)
{
    m_fakes.windows->setTitles({"4321", "Calculator"});
    m_fakes.windows->setProcessIds({10, 4321});
    EXPECT_TRUE(run("speak sh.AppActivate(4321)\r\n"
                    "speak sh.AppActivate(\"4321\")\r\n"
                    "speak sh.AppActivate(99)\r\n")
                    .isEmpty());
    EXPECT_EQ(m_fakes.mun->spoken(), (QStringList{"True", "True", "False"}));
    EXPECT_EQ(m_fakes.windows->requests(), (QStringList{"process 4321", "4321", "process 99"}));
    EXPECT_EQ(m_fakes.windows->active(), "4321");
}

TEST_F(ScriptHostShellTest, ExecRunsARealProgramWithItsWordsSplitLikeAShellWithoutOne)
{
    EXPECT_TRUE(run("Set e = sh.Exec(\"printf '%s|' 'two words' second\")\r\n"
                    "speak e.StdOut.ReadAll\r\n"
                    "Set e = sh.Exec(\"sh -c 'exit 4'\")\r\n"
                    "Do While e.Status = 0\r\nLoop\r\n"
                    "speak e.ExitCode\r\n"
                    "Set e = sh.Exec(\"cat\")\r\n"
                    "e.StdIn.Write \"through the pipe\"\r\n"
                    "e.StdIn.Close\r\n"
                    "speak e.StdOut.ReadLine\r\n")
                    .isEmpty());
    EXPECT_EQ(m_fakes.mun->spoken(), (QStringList{"two words|second|", "4", "through the pipe"}));
    EXPECT_EQ(run("Set e = sh.Exec(\"" + m_files.filePath("missing") + "\")"),
              QStringList{error("The system cannot find the file specified.", 2)});
    // Exec never hands anything to the opener or the starter.
    EXPECT_TRUE(m_fakes.opener->opened().isEmpty());
    EXPECT_TRUE(m_fakes.starter->starts().isEmpty());
}

// A script as users write them: a program's report picked apart and the result kept in the
// user's documents, which the desktop's user-dirs file names in the user's language.
TEST_F(ScriptHostShellTest, AScriptKeepsWhatAProgramReportedInTheUsersDocuments)
{
    struct RestoreVariable {
        const char *name;
        QByteArray value = qgetenv(name);
        bool wasSet = qEnvironmentVariableIsSet(name);
        ~RestoreVariable() { wasSet ? qputenv(name, value) : qunsetenv(name); }
    } home{"HOME"}, config{"XDG_CONFIG_HOME"};
    QTemporaryDir folder;
    qputenv("HOME", folder.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    QDir(folder.path()).mkpath(".config");
    QDir(folder.path()).mkpath("Papiere");
    QFile dirs(folder.filePath(".config/user-dirs.dirs"));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\nXDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\n");
    dirs.close();

    EXPECT_TRUE(
        run("Set e = sh.Exec(\"printf '%s\\n' 'disk 40%' 'memory 75%' 'swap 0%' 'cpu 90%'\")\r\n"
            "busy = \"\"\r\n"
            "Do Until e.StdOut.AtEndOfStream\r\n"
            "  parts = Split(e.StdOut.ReadLine, \" \")\r\n"
            "  If CInt(Replace(parts(1), \"%\", \"\")) > 50 Then busy = busy & parts(0) & \" \"\r\n"
            "Loop\r\n"
            "docs = sh.SpecialFolders(\"MyDocuments\")\r\n"
            "Set fso = CreateObject(\"Scripting.FileSystemObject\")\r\n"
            "Set f = fso.CreateTextFile(fso.BuildPath(docs, \"busy.txt\"))\r\n"
            "f.Write Trim(busy)\r\n"
            "f.Close\r\n"
            "speak \"kept in \" & fso.GetFileName(docs)\r\n")
            .isEmpty());
    EXPECT_EQ(m_fakes.mun->spoken(), QStringList{"kept in Papiere"});
    QFile note(folder.filePath("Papiere/busy.txt"));
    ASSERT_TRUE(note.open(QIODevice::ReadOnly));
    EXPECT_EQ(note.readAll(), "memory cpu");
}

// A script run on its own changes only its own process; here the change ends with the script.
TEST_F(ScriptHostShellTest, TheWorkingFolderAndEnvironmentComeBackAfterTheScript)
{
    const QString folder = QDir::currentPath();
    qunsetenv("QX_FROM_SCRIPT");
    qputenv("QX_KEPT", "kept");
    const QString body = "sh.CurrentDirectory = \"" + m_files.path() +
                         "\"\r\n"
                         "Set env = sh.Environment(\"PROCESS\")\r\n"
                         "env(\"QX_FROM_SCRIPT\") = \"set\"\r\n"
                         "env.Remove \"QX_KEPT\"\r\n"
                         "speak sh.CurrentDirectory & \"|\" & "
                         "sh.ExpandEnvironmentStrings(\"%QX_FROM_SCRIPT%|%QX_KEPT%\")\r\n";
    EXPECT_TRUE(run(body).isEmpty());
    EXPECT_EQ(m_fakes.mun->spoken(), QStringList{m_files.path() + "|set|%QX_KEPT%"});
    EXPECT_EQ(QDir::currentPath(), folder);
    EXPECT_FALSE(qEnvironmentVariableIsSet("QX_FROM_SCRIPT"));
    EXPECT_EQ(qgetenv("QX_KEPT"), "kept");

    // A script that fails half-way is no different.
    EXPECT_EQ(run(body + "x = 1 / 0\r\n"), QStringList{error("Division by zero", 7)});
    EXPECT_EQ(QDir::currentPath(), folder);
    EXPECT_FALSE(qEnvironmentVariableIsSet("QX_FROM_SCRIPT"));
    EXPECT_EQ(qgetenv("QX_KEPT"), "kept");
    qunsetenv("QX_KEPT");
}

} // namespace
