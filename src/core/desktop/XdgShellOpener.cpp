#include "XdgShellOpener.h"

#include "ProgramFile.h"

#include <QFileInfo>
#include <QProcess>

XdgShellOpener::XdgShellOpener(const QString &opener)
    : m_opener(opener)
{
    if (m_opener.isEmpty())
        m_opener = qEnvironmentVariable("QUILLET_OPENER");
    if (m_opener.isEmpty())
        m_opener = QStringLiteral("xdg-open");
}

bool XdgShellOpener::open(const QString &target)
{
    if (target.trimmed().isEmpty())
        return false;
    // A program that will not start (a missing interpreter, a binary for another machine)
    // is still a file the desktop may know what to do with.
    if (ProgramFile::isProgram(target) &&
        QProcess::startDetached(QFileInfo(target).absoluteFilePath(), {}))
        return true;
    return QProcess::startDetached(m_opener, {target});
}
