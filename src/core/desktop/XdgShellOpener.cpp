#include "XdgShellOpener.h"

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
    const QFileInfo file(target);
    if (file.isFile() && file.isExecutable())
        return QProcess::startDetached(file.absoluteFilePath(), {});
    return QProcess::startDetached(m_opener, {target});
}
