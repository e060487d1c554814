#include "ProgramFile.h"

#include <QFile>
#include <QFileInfo>

bool ProgramFile::isProgram(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isExecutable())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(4);
    return start == QByteArrayLiteral("\x7F"
                                      "ELF") ||
           start.startsWith("#!");
}
