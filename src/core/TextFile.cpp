#include "TextFile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned bytes map to
// their C1 control code points, as Windows itself does.
const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeCp1252(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(b >= 0x80 && b < 0xA0 ? QChar(kCp1252High[b - 0x80]) : QChar(b));
    }
    return out;
}

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// One save: the bytes go to a new file beside the target, which replaces the target only once
// every byte is known to be on the disk. Buffered writers report a full disk late or not at
// all, so each write, the sync and the close are checked here, and the size is read back.
class AtomicWrite {
public:
    explicit AtomicWrite(const QString &path)
        : m_target(resolved(path))
    {}

    bool run(const QByteArray &bytes, QString *reason)
    {
        const QByteArray target = QFile::encodeName(m_target);
        struct stat old {};
        const bool exists = ::stat(target.constData(), &old) == 0;
        if (exists && !S_ISREG(old.st_mode))
            return fail(reason, QStringLiteral("it is not a file"));
        // A file the user made read-only stays as it is, even where the folder would let a
        // rename replace it.
        if (exists && ::access(target.constData(), W_OK) != 0)
            return fail(reason, systemError(errno));
        const int fd = openTemporary(exists ? (old.st_mode & 07777) : 0666);
        if (fd < 0)
            return fail(reason, systemError(errno));
        if (!writeAll(fd, bytes) || ::fsync(fd) != 0 || !hasSize(fd, bytes.size())) {
            const int code = errno;
            ::close(fd);
            return discard(reason, code);
        }
        if (::close(fd) != 0)
            return discard(reason, errno);
        if (::rename(m_temporary.constData(), target.constData()) != 0)
            return discard(reason, errno);
        syncFolder();
        return true;
    }

private:
    // Saving through a link writes the file it points to and keeps the link.
    static QString resolved(const QString &path)
    {
        const QFileInfo info(path);
        return info.isSymLink() ? info.symLinkTarget() : path;
    }

    int openTemporary(mode_t mode)
    {
        static std::mt19937 names{std::random_device{}()};
        const QByteArray base = QFile::encodeName(m_target);
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_temporary = base + ".tmp" + QByteArray::number(quint32(names()), 36);
            const int fd =
                ::open(m_temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            if (fd >= 0 || errno != EEXIST)
                return fd;
        }
        errno = EEXIST;
        return -1;
    }

    static bool writeAll(int fd, const QByteArray &bytes)
    {
        const char *data = bytes.constData();
        qsizetype left = bytes.size();
        while (left > 0) {
            const ssize_t n = ::write(fd, data, size_t(left));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                if (n == 0)
                    errno = ENOSPC;
                return false;
            }
            data += n;
            left -= n;
        }
        return true;
    }

    static bool hasSize(int fd, qsizetype size)
    {
        struct stat st {};
        if (::fstat(fd, &st) != 0)
            return false;
        if (st.st_size != size) {
            errno = EIO;
            return false;
        }
        return true;
    }

    // The rename itself reaches the disk only with the folder's entry.
    void syncFolder() const
    {
        const QByteArray folder = QFile::encodeName(QFileInfo(m_target).absolutePath());
        const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }

    bool discard(QString *reason, int code)
    {
        ::unlink(m_temporary.constData());
        return fail(reason, systemError(code));
    }

    static bool fail(QString *reason, const QString &text)
    {
        *reason = text;
        return false;
    }

    QString m_target;
    QByteArray m_temporary;
};

// False when the bytes are not valid UTF-8.
bool decodeUtf8(const QByteArray &bytes, QString *text)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    *text = utf8.decode(bytes);
    return !utf8.hasError();
}

} // namespace

namespace TextFile {

QString decode(const QByteArray &bytes)
{
    QString text;
    if (!decodeUtf8(bytes, &text)) {
        text.clear();
        // One line typed in another editor must not turn every other line's accents into
        // pairs of wrong letters, which the next save would write back as the user's text:
        // each line is read as UTF-8 where it is, and only the others as Windows-1252.
        text.reserve(bytes.size());
        qsizetype start = 0;
        while (start <= bytes.size()) {
            qsizetype end = bytes.indexOf('\n', start);
            if (end < 0)
                end = bytes.size();
            const QByteArray line = bytes.mid(start, end - start);
            QString utf8;
            text += decodeUtf8(line, &utf8) ? utf8 : decodeCp1252(line);
            if (end < bytes.size())
                text += '\n';
            start = end + 1;
        }
    }
    // Files written with a byte-order mark over one that was already there start with several;
    // none is text, and keeping one would lose it at the next save, which writes no mark.
    while (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QByteArray encode(const QString &text)
{
    return text.toUtf8();
}

QStringList splitLines(const QString &text)
{
    if (text.isEmpty())
        return {};
    QStringList lines = text.split('\n');
    if (text.endsWith('\n'))
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

bool readLines(const QString &path, QStringList *lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *lines = splitLines(decode(file.readAll()));
    return true;
}

QByteArray joinLines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines) {
        out += encode(line);
        out += "\r\n";
    }
    return out;
}

bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QString reason;
    const bool written = AtomicWrite(path).run(bytes, &reason);
    if (error)
        *error = reason;
    return written;
}

} // namespace TextFile
