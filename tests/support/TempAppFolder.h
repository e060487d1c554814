#pragma once

#include "AppPaths.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A fresh application folder with data/, Character/ (the shipped characters) and Plugins/.
class TempAppFolder {
public:
    TempAppFolder()
    {
        QDir root(m_dir.path());
        root.mkpath("data");
        root.mkpath("Character");
        root.mkpath("Plugins");
        const QDir shipped(QStringLiteral(QUILLET_APP_DIR "/Character"));
        for (const QString &file : shipped.entryList({"*.qlc"}, QDir::Files))
            QFile::copy(shipped.filePath(file), root.filePath("Character/" + file));
    }

    QString path() const { return m_dir.path(); }
    AppPaths paths() const { return AppPaths(m_dir.path()); }

    void write(const QString &relative, const QByteArray &bytes) const
    {
        QFile file(m_dir.filePath(relative));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QByteArray read(const QString &relative) const
    {
        QFile file(m_dir.filePath(relative));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    bool exists(const QString &relative) const { return QFile::exists(m_dir.filePath(relative)); }

private:
    QTemporaryDir m_dir;
};
