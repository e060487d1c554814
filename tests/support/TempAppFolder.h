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
    // The four entries every command list starts with: the wake phrase, "never mind", "stop
    // speak" and "go to sleep".
    static constexpr char reservedEntries[] =
        "Pebble listen\r\nSpeak\r\nI hear you\r\nnever mind\r\nSpeak\r\nWhat ever\r\n"
        "stop speak\r\nSpeak\r\nOk\r\ngo to sleep\r\nSpeak\r\nI hope I am sleepy\r\n";
    // Writes data/brainlist: the reserved entries, then `more` (whole entries, CRLF lines).
    void writeCommandList(const QByteArray &more = {}) const
    {
        write(QStringLiteral("data/brainlist"), reservedEntries + more);
    }
    bool exists(const QString &relative) const { return QFile::exists(m_dir.filePath(relative)); }

private:
    QTemporaryDir m_dir;
};
