#pragma once

#include "ProcessStarter.h"

#include <QStringList>

#include <optional>

// Starts command lines as detached processes, never through a shell. The program is found
// like this: the whole (trimmed) line if it names a file, so that an unquoted
// "/path/with spaces/plugin" works; else the first word of CommandLine::split() if it names
// a file or a program on PATH; else the longest start of the line, cut at a blank, that
// names a file, with the rest split as its arguments.
//
// X11 has no way to ask a window manager for the first state of another program's window,
// so the state is handed on only as the environment variable QUILLET_WINDOW_STATE
// ("normal-no-activate", "minimized", "maximized") for programs that want to honour it.
class DetachedProcessStarter : public ProcessStarter {
public:
    bool start(const QString &commandLine, WindowState state) override;

    struct Resolved {
        QString program;
        QStringList arguments;
    };
    // The program and arguments a command line runs, or nothing when it names none.
    static std::optional<Resolved> resolve(const QString &commandLine);

    static QString windowStateName(WindowState state);
};
