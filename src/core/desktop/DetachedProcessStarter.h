#pragma once

#include "ProcessStarter.h"
#include "ShellOpener.h"

#include <QStringList>

#include <memory>
#include <optional>

// Starts command lines as detached processes, never through a shell. The program is found
// like this: the whole (trimmed) line if it names a file, so that an unquoted
// "/path/with spaces/plugin" works; else the first word of CommandLine::split() if it names
// a file or a program on PATH; else the longest start of the line, cut at a blank, that
// names a file, with the rest split as its arguments.
//
// A program named by its path that is no program to the kernel (a document on a medium that
// marks every file executable, a script without "#!") is handed to the shell opener, as is a
// program file that fails to start; a document takes no arguments, so those are dropped.
// Programs found on PATH are only ever started.
//
// X11 has no way to ask a window manager for the first state of another program's window,
// so the state is handed on only as the environment variable QUILLET_WINDOW_STATE
// ("normal-no-activate", "minimized", "maximized") for programs that want to honour it.
class DetachedProcessStarter : public ProcessStarter {
public:
    // opener: where documents go; none means the desktop's (XdgShellOpener).
    explicit DetachedProcessStarter(std::unique_ptr<ShellOpener> opener = {});
    ~DetachedProcessStarter() override;

    bool start(const QString &commandLine, WindowState state) override;
    // The program's events go on being handled while it runs, so the program's windows are
    // drawn and answer; only what the caller does next waits.
    std::optional<int> startAndWait(const QString &commandLine, WindowState state) override;

    struct Resolved {
        QString program;
        QStringList arguments;
    };
    // The program and arguments a command line runs, or nothing when it names none.
    static std::optional<Resolved> resolve(const QString &commandLine);

    static QString windowStateName(WindowState state);

private:
    std::unique_ptr<ShellOpener> m_opener;
};
