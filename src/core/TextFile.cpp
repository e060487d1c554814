#include "TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

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

} // namespace

namespace TextFile {

QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return decodeCp1252(bytes);
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

bool writeAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace TextFile
