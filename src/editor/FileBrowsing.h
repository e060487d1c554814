#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the editor's file browser lists: the machine's volumes, the folders on the way to the
// open folder and inside it, its files, and the path a choice stands for.
namespace FileBrowsing {

struct Volume {
    QString name; // what the drive label shows
    QString root;
};

// The root of the file system, the home folder and mounted removable media and disks, root
// first; pseudo file systems are left out.
QList<Volume> volumes();
// The volume whose root holds the folder (the longest root that does), or the root volume.
Volume volumeOf(const QList<Volume> &volumes, const QString &folder);

// The folder list: the folders from the volume's root down to the open folder, then the open
// folder's own folders one level deeper, each with its depth for indenting.
struct FolderRow {
    QString path;
    QString name;
    int depth = 0;
    bool open = false; // on the way to (or being) the open folder
};
QList<FolderRow> folderRows(const QString &volumeRoot, const QString &folder);

// Every file of the folder, hidden ones aside, sorted by name.
QStringList files(const QString &folder);

// The argument an Open command gets: with a file chosen, the folder and the file joined by one
// "/" (a root such as "/" already ends with it); with none, the folder itself.
QString chosenPath(const QString &folder, const QString &file);

} // namespace FileBrowsing
