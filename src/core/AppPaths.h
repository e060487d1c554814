#pragma once

#include <QString>

// Every data path of the program is the application folder followed by a fixed relative path.
class AppPaths {
public:
    explicit AppPaths(QString appFolder);

    // The folder the program runs from: QUILLET_APP_DIR when set (for tests); else the
    // binary's own folder when its data/ is beside it; else, for an installed program, the
    // user's own folder.
    static AppPaths fromApplication();

    // The read-only shipped files of a program installed as <prefix>/bin beside
    // <prefix>/share/quillet, or empty when the binary runs from an application folder.
    static QString shippedFolder(const QString &binaryFolder);

    // $XDG_DATA_HOME/quillet (~/.local/share/quillet by default), where run.sh installs too.
    static QString userFolder();

    QString appFolder() const { return m_appFolder; }
    QString dataDir() const;
    QString brainlistPath() const;
    QString grammarPath() const;
    QString scriptPath(const QString &fileName) const;
    QString characterDir() const;
    QString characterFile(const QString &name) const;
    QString pluginsDir() const;
    QString helpPage() const;

private:
    QString m_appFolder;
};
