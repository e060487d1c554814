#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

AppPaths::AppPaths(QString appFolder)
    : m_appFolder(QDir::cleanPath(std::move(appFolder)))
{}

AppPaths AppPaths::fromApplication()
{
    const QString overridden = qEnvironmentVariable("QUILLET_APP_DIR");
    if (!overridden.isEmpty())
        return AppPaths(QDir(overridden).absolutePath());
    const QString binaryFolder = QCoreApplication::applicationDirPath();
    if (!shippedFolder(binaryFolder).isEmpty())
        return AppPaths(userFolder());
    return AppPaths(binaryFolder);
}

QString AppPaths::shippedFolder(const QString &binaryFolder)
{
    if (QFileInfo(binaryFolder + "/data").isDir())
        return {};
    const QString shipped = QDir::cleanPath(binaryFolder + "/../share/quillet");
    if (!QFileInfo(shipped + "/data/brainlist.in").isFile())
        return {};
    return shipped;
}

QString AppPaths::userFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/quillet";
}

QString AppPaths::dataDir() const
{
    return m_appFolder + "/data";
}
QString AppPaths::brainlistPath() const
{
    return m_appFolder + "/data/brainlist";
}
QString AppPaths::grammarPath() const
{
    return m_appFolder + "/data/Temp";
}
QString AppPaths::scriptPath(const QString &fileName) const
{
    return m_appFolder + "/data/" + fileName;
}
QString AppPaths::characterDir() const
{
    return m_appFolder + "/Character";
}
QString AppPaths::characterFile(const QString &name) const
{
    return m_appFolder + "/Character/" + name + ".qlc";
}
QString AppPaths::pluginsDir() const
{
    return m_appFolder + "/Plugins";
}
QString AppPaths::helpPage() const
{
    return m_appFolder + "/Help/index.html";
}
