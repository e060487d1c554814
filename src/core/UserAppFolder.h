#pragma once

#include <QString>
#include <QStringList>

// An installed program's files lie read-only under /usr/share/quillet; each user runs from an
// application folder of their own, made from those files. Whatever the user has there is
// theirs: the command list and the scripts are copied only where they are missing, and a
// character or plugin of the user's own is never replaced. The shipped characters, plugins
// and help are linked, not copied, so an upgrade reaches every user.
class UserAppFolder {
public:
    UserAppFolder(QString shippedFolder, QString userFolder);

    // Makes or completes the user's folder. False, with *error saying what could not be done,
    // when the folder cannot be made or the command list cannot be written; a link that cannot
    // be made only leaves that file out.
    bool prepare(QString *error);

    // The character the shipped command list names until the user chooses another.
    static QString firstCharacter() { return QStringLiteral("Pebble"); }

    // The shipped list with its placeholders filled in for this folder.
    static QString fillTemplate(const QString &text, const QString &appFolder, const QString &home);

private:
    bool makeFolder(const QString &path, QString *error) const;
    bool writeListIfMissing(QString *error) const;
    bool copyScriptsIfMissing(QString *error) const;
    void linkShipped(const QString &folderName) const;
    void linkFolderIfMissing(const QString &folderName) const;
    void dropStaleLinks(const QString &folderName) const;

    QString m_shipped;
    QString m_user;
};
