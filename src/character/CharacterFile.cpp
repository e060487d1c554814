#include "CharacterFile.h"

#include <QBuffer>
#include <QFile>

QImage CharacterFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decode(file.readAll());
}

QImage CharacterFile::decode(QByteArray bytes)
{
    if (bytes.isEmpty())
        return {};
    bytes[0] = kFirstByte;
    QImage image;
    if (!image.loadFromData(bytes, "BMP"))
        return {};
    return image;
}

QByteArray CharacterFile::encode(const QImage &strip)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (strip.isNull() || !strip.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP"))
        return {};
    bytes[0] = 0;
    return bytes;
}
