#pragma once

#include <QString>

// How the started program's window should first appear.
enum class WindowState {
    NormalNoActivate, // normal size and place, the focus stays where it is
    MinimizedActive,
    MaximizedActive,
};

// Starts a program from a command line and forgets it: nothing is waited for or watched.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;

    // Whether the program could be started; callers may ignore a failure.
    virtual bool start(const QString &commandLine, WindowState state) = 0;
};
