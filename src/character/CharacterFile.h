#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A character file: a bitmap strip of 14 frames whose first byte ("B") is stored as 0, so
// that it is no picture file to anything but this program. The file is only ever read; the
// missing byte is put back in a copy in memory.
class CharacterFile {
public:
    static constexpr char kFirstByte = 'B'; // 66

    // The strip, or a null image when the file is missing, unreadable or does not decode.
    static QImage load(const QString &path);
    // The strip in the bytes of a character file; a null image when they do not decode.
    static QImage decode(QByteArray bytes);
    // The bytes of a character file for a strip: a bitmap with its first byte set to 0.
    static QByteArray encode(const QImage &strip);
};
