#pragma once

#include "ShellOpener.h"

// Opens through the desktop's opener program (xdg-open), which gets the target as its one
// argument, never through a shell. A path to a program (see ProgramFile) is started directly
// instead, the way a double click on a program starts it; if it cannot be started, it goes to
// the opener like any other file.
class XdgShellOpener : public ShellOpener {
public:
    // opener: the program to hand targets to; empty means $QUILLET_OPENER if set, else
    // "xdg-open".
    explicit XdgShellOpener(const QString &opener = {});

    bool open(const QString &target) override;

    QString opener() const { return m_opener; }

private:
    QString m_opener;
};
