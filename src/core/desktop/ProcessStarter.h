#pragma once

#include <QString>

#include <optional>

// How the started program's window should first appear.
enum class WindowState {
    NormalNoActivate, // normal size and place, the focus stays where it is
    MinimizedActive,
    MaximizedActive,
};

// Starts a program from a command line, and forgets it or waits for its end.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;

    // Whether the program could be started; callers may ignore a failure.
    virtual bool start(const QString &commandLine, WindowState state) = 0;
    // Starts the program and returns its exit code once it has ended (128 plus the signal for
    // one that was killed); nothing when it could not be started. Documents are never opened
    // here: a caller that waits wants what only a program can tell.
    virtual std::optional<int> startAndWait(const QString &commandLine, WindowState state) = 0;
};
