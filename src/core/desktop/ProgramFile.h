#pragma once

#include <QString>

// Whether a path names a program that may be started directly. The execute bit alone says
// nothing: exFAT, NTFS and FAT media show it on every file, so a document there looks just
// like a program. Only what the kernel can run counts.
class ProgramFile {
public:
    // An executable regular file that starts with the ELF magic (0x7F 'E' 'L' 'F') or with
    // "#!". Anything else, a missing file or an unreadable one included, is no program.
    static bool isProgram(const QString &path);
};
