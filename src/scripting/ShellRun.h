#pragma once

#include <QString>

class ProcessStarter;
class ShellOpener;

// WScript.Shell's Run on this desktop, by the rule the Open command follows: a program is
// started directly with its arguments; anything else the line names (a document, a folder,
// a web address) goes to the desktop's opener, as Open would hand it over. A program that
// cannot be started after all is handed to the opener too. What is opened is not waited for:
// the opener passes it to a program that may have been running long before.
class ShellRun {
public:
    ShellRun(ShellOpener &opener, ProcessStarter &starter)
        : m_opener(opener)
        , m_starter(starter)
    {}

    // The program's exit code when waiting for it, else 0. Throws vbs::ScriptError, as the
    // other system's Run does, when the line names nothing that can be started or opened.
    int run(const QString &commandLine, int windowStyle, bool wait);

private:
    // What the opener should get: the whole line or its first word when either names a file
    // or folder, else the line when it reads as an address; empty for none.
    static QString openable(const QString &line);
    // Whether the resolved program is one to start rather than a document to open.
    static bool isProgram(const QString &program);
    int open(const QString &target);

    ShellOpener &m_opener;
    ProcessStarter &m_starter;
};
