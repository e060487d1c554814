#pragma once

#include <QString>

// Every data path of the program is the application folder followed by a fixed relative path.
class AppPaths {
public:
    explicit AppPaths(QString appFolder);

    // The folder the binary runs from; QUILLET_APP_DIR overrides it for tests.
    static AppPaths fromApplication();

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
