#include "CharacterFile.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>

QImage CharacterFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decode(file.readAll());
}

namespace {

// Whether the bitmap in the bytes holds every pixel its header claims. The picture reader
// makes the whole picture its header asks for and fills it row by row before it finds the
// data missing: a few bytes claiming millions of rows would cost seconds and a hundred
// megabytes. A file that is cut short is damaged anyway.
bool holdsItsPixels(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    // Shorter files have no sizes to check; the reader turns them down.
    if (bytes.size() < 26)
        return true;
    const quint32 headerSize = qFromLittleEndian<quint32>(data + 14);
    qint64 width = 0;
    qint64 height = 0;
    qint64 bitsPerPixel = 0;
    quint32 compression = 0;
    if (headerSize == 12) {
        width = qFromLittleEndian<quint16>(data + 18);
        height = qFromLittleEndian<quint16>(data + 20);
        bitsPerPixel = qFromLittleEndian<quint16>(data + 24);
    } else {
        if (bytes.size() < 34)
            return true;
        width = std::abs(qint64(qFromLittleEndian<qint32>(data + 18)));
        height = std::abs(qint64(qFromLittleEndian<qint32>(data + 22)));
        bitsPerPixel = qFromLittleEndian<quint16>(data + 28);
        compression = qFromLittleEndian<quint32>(data + 30);
    }
    // The pixels start where the file header says; a file that does not say is taken whole.
    const qint64 start = std::min<qint64>(qFromLittleEndian<quint32>(data + 10), bytes.size());
    const qint64 available = bytes.size() - start;
    constexpr quint32 runLength8 = 1;
    constexpr quint32 runLength4 = 2;
    if (compression == runLength8 || compression == runLength4) {
        // Two bytes of a run give at most 255 pixels.
        return width * height <= available * 128;
    }
    // Each factor fits in 48 bits, their product need not.
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    return height == 0 || rowBytes <= available / height;
}

} // namespace

QImage CharacterFile::decode(QByteArray bytes)
{
    if (bytes.isEmpty())
        return {};
    bytes[0] = kFirstByte;
    if (!holdsItsPixels(bytes))
        return {};
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
