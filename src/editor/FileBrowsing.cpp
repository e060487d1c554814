#include "FileBrowsing.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace FileBrowsing {

namespace {

bool isUnder(const QString &folder, const QString &root)
{
    if (root == QLatin1String("/"))
        return folder.startsWith('/');
    return folder == root || folder.startsWith(root + '/');
}

bool isShownMount(const QStorageInfo &storage)
{
    const QString root = storage.rootPath();
    if (!storage.isValid() || !storage.isReady())
        return false;
    // Media a user plugs in or mounts by hand; system mounts elsewhere are not places to keep
    // documents.
    static const char *const kMediaFolders[] = {"/media/", "/run/media/", "/mnt/"};
    for (const char *prefix : kMediaFolders) {
        if (root.startsWith(QLatin1String(prefix)))
            return true;
    }
    return false;
}

} // namespace

QList<Volume> volumes()
{
    QList<Volume> found;
    found.append({QStringLiteral("Computer (/)"), QStringLiteral("/")});
    const QString home = QDir::homePath();
    if (home != QLatin1String("/"))
        found.append({QStringLiteral("Home (") + home + ')', home});
    QList<QStorageInfo> mounts = QStorageInfo::mountedVolumes();
    std::sort(mounts.begin(), mounts.end(), [](const QStorageInfo &a, const QStorageInfo &b) {
        return a.rootPath() < b.rootPath();
    });
    for (const QStorageInfo &storage : mounts) {
        if (!isShownMount(storage))
            continue;
        QString name = storage.displayName();
        if (name.isEmpty() || name == storage.rootPath())
            name = QFileInfo(storage.rootPath()).fileName();
        found.append({name + QStringLiteral(" (") + storage.rootPath() + ')', storage.rootPath()});
    }
    return found;
}

Volume volumeOf(const QList<Volume> &volumes, const QString &folder)
{
    Volume best{QStringLiteral("Computer (/)"), QStringLiteral("/")};
    int bestLength = -1;
    for (const Volume &volume : volumes) {
        if (isUnder(folder, volume.root) && volume.root.size() > bestLength) {
            best = volume;
            bestLength = int(volume.root.size());
        }
    }
    return best;
}

QList<FolderRow> folderRows(const QString &volumeRoot, const QString &folder)
{
    const QString open = isUnder(folder, volumeRoot) ? folder : volumeRoot;
    QList<FolderRow> rows;
    QString path = volumeRoot;
    rows.append({path, path, 0, true});
    const QString rest =
        volumeRoot == QLatin1String("/") ? open.mid(1) : open.mid(volumeRoot.size() + 1);
    int depth = 0;
    for (const QString &part : rest.split('/', Qt::SkipEmptyParts)) {
        path = path.endsWith('/') ? path + part : path + '/' + part;
        rows.append({path, part, ++depth, true});
    }
    const QStringList children =
        QDir(open).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &child : children) {
        const QString childPath = open.endsWith('/') ? open + child : open + '/' + child;
        rows.append({childPath, child, depth + 1, false});
    }
    return rows;
}

QStringList files(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

QString chosenPath(const QString &folder, const QString &file)
{
    if (file.isEmpty())
        return folder;
    if (folder.endsWith('/'))
        return folder + file;
    return folder + '/' + file;
}

} // namespace FileBrowsing
