#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

// A tmpfs of a few pages mounted on a folder, to be filled up or made read-only while the
// program writes to it. The tests run in a mount namespace of their own, so a mount left by a
// crashed test goes with its process.
class SmallDisk {
public:
    SmallDisk(const QString &folder, int kibibytes)
        : m_folder(folder)
    {
        QDir().mkpath(folder);
        const QByteArray options = "size=" + QByteArray::number(kibibytes) + "k,mode=0755";
        m_mounted = ::mount("quillet-test", QFile::encodeName(folder).constData(), "tmpfs", 0,
                            options.constData()) == 0;
        if (!m_mounted)
            m_error = errno;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const { return m_mounted; }
    QString whyNot() const { return QString::fromLocal8Bit(strerror(m_error)); }

    // Writes a filler file until the disk says it is full; true when it did.
    bool fill()
    {
        const int fd = ::open(QFile::encodeName(fillerPath()).constData(),
                              O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (fd < 0)
            return false;
        const QByteArray block(512, 'f');
        bool full = false;
        for (int i = 0; i < 1 << 20 && !full; ++i)
            full = ::write(fd, block.constData(), size_t(block.size())) < 0 && errno == ENOSPC;
        // The last part-block may still fit one byte at a time.
        while (full && ::write(fd, "f", 1) == 1) {
        }
        ::close(fd);
        return full;
    }
    void makeRoom() { QFile::remove(fillerPath()); }

    bool setReadOnly(bool readOnly)
    {
        const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
        return ::mount(nullptr, QFile::encodeName(m_folder).constData(), nullptr, flags, nullptr) ==
               0;
    }

    // What a folder holds, for "no temporary file was left behind".
    static QStringList entries(const QString &folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }

private:
    QString fillerPath() const { return m_folder + QStringLiteral("/.filler"); }

    QString m_folder;
    bool m_mounted = false;
    int m_error = 0;
};
