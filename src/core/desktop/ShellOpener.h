#pragma once

#include <QString>

// Opens a document, folder or web address with the program the desktop associates with it,
// or starts a program file.
class ShellOpener {
public:
    virtual ~ShellOpener() = default;

    // Whether the open could be started; callers may ignore a failure.
    virtual bool open(const QString &target) = 0;
};
