#include "UserAppFolder.h"

#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A link counts as there even when what it points at is gone, so it is never made twice.
bool isThere(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::System,
                                  QDir::Name);
}

} // namespace

UserAppFolder::UserAppFolder(QString shippedFolder, QString userFolder)
    : m_shipped(QDir::cleanPath(std::move(shippedFolder)))
    , m_user(QDir::cleanPath(std::move(userFolder)))
{}

QString UserAppFolder::fillTemplate(const QString &text, const QString &appFolder,
                                    const QString &home)
{
    QString filled = text;
    filled.replace(QLatin1String("@CHARACTER@"), firstCharacter());
    filled.replace(QLatin1String("@APP@"), appFolder);
    filled.replace(QLatin1String("@HOME@"), home);
    return filled;
}

bool UserAppFolder::prepare(QString *error)
{
    for (const QString &folder :
         {m_user, m_user + "/data", m_user + "/Character", m_user + "/Plugins"}) {
        if (!makeFolder(folder, error))
            return false;
    }
    if (!writeListIfMissing(error) || !copyScriptsIfMissing(error))
        return false;
    for (const QString &folder : {QStringLiteral("Character"), QStringLiteral("Plugins")}) {
        dropStaleLinks(folder);
        linkShipped(folder);
    }
    linkFolderIfMissing(QStringLiteral("Help"));
    return true;
}

bool UserAppFolder::makeFolder(const QString &path, QString *error) const
{
    if (QFileInfo(path).isDir() || QDir().mkpath(path))
        return true;
    if (error) {
        *error = QFileInfo::exists(path)
                     ? QStringLiteral("\"%1\" is in the way of the folder Quillet needs").arg(path)
                     : QStringLiteral("the folder \"%1\" could not be made").arg(path);
    }
    return false;
}

bool UserAppFolder::writeListIfMissing(QString *error) const
{
    const QString target = m_user + "/data/brainlist";
    if (isThere(target))
        return true;
    const QString source = m_shipped + "/data/brainlist.in";
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("the shipped command list \"%1\" cannot be read").arg(source);
        return false;
    }
    const QString text = fillTemplate(TextFile::decode(in.readAll()), m_user, QDir::homePath());
    QString why;
    if (TextFile::writeAtomically(target, TextFile::joinLines(TextFile::splitLines(text)), &why))
        return true;
    if (error)
        *error = QStringLiteral("\"%1\" could not be written: %2").arg(target, why);
    return false;
}

bool UserAppFolder::copyScriptsIfMissing(QString *error) const
{
    const QDir shippedData(m_shipped + "/data");
    for (const QString &name : shippedData.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
        const QString target = m_user + "/data/" + name;
        if (isThere(target))
            continue;
        QStringList lines;
        if (!TextFile::readLines(shippedData.filePath(name), &lines))
            continue;
        QString why;
        if (!TextFile::writeAtomically(target, TextFile::joinLines(lines), &why)) {
            if (error)
                *error = QStringLiteral("\"%1\" could not be written: %2").arg(target, why);
            return false;
        }
    }
    return true;
}

void UserAppFolder::linkShipped(const QString &folderName) const
{
    const QString shipped = m_shipped + '/' + folderName;
    for (const QString &name : entries(shipped)) {
        const QString link = m_user + '/' + folderName + '/' + name;
        if (!isThere(link))
            QFile::link(shipped + '/' + name, link);
    }
}

void UserAppFolder::linkFolderIfMissing(const QString &folderName) const
{
    const QString shipped = m_shipped + '/' + folderName;
    const QString link = m_user + '/' + folderName;
    const QFileInfo info(link);
    if (info.isSymLink() && !info.exists())
        QFile::remove(link);
    if (QFileInfo(shipped).isDir() && !isThere(link))
        QFile::link(shipped, link);
}

// A shipped file the package no longer has would otherwise stay listed as a broken character
// or plugin; links to anything else are the user's own business.
void UserAppFolder::dropStaleLinks(const QString &folderName) const
{
    const QString folder = m_user + '/' + folderName;
    for (const QString &name : entries(folder)) {
        const QFileInfo info(folder + '/' + name);
        if (info.isSymLink() && !info.exists() &&
            QDir::cleanPath(info.symLinkTarget()).startsWith(m_shipped + '/'))
            QFile::remove(info.filePath());
    }
}
