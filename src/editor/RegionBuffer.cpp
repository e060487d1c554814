#include "RegionBuffer.h"

#include <QtEndian>

RegionBuffer::RegionBuffer()
    : m_bytes(kSize, '\0')
{}

bool RegionBuffer::fill(const QList<ShapeRect> &rects)
{
    m_bytes.fill('\0');
    if (rects.size() > kMaxRects)
        return false;
    const ShapeRect box = ShapeBands::bounds(rects);
    write(0, kHeaderSize);
    write(4, 1);
    write(8, qint32(rects.size()));
    write(12, qint32(rects.size() * 16));
    write(16, box.left);
    write(20, box.top);
    write(24, box.right);
    write(28, box.bottom);
    int offset = kHeaderSize;
    for (const ShapeRect &rect : rects) {
        write(offset, rect.left);
        write(offset + 4, rect.top);
        write(offset + 8, rect.right);
        write(offset + 12, rect.bottom);
        offset += 16;
    }
    return true;
}

int RegionBuffer::count() const
{
    return read(8);
}

ShapeRect RegionBuffer::bounds() const
{
    return {read(16), read(20), read(24), read(28)};
}

QList<ShapeRect> RegionBuffer::rects() const
{
    QList<ShapeRect> found;
    const int n = qBound(0, count(), kMaxRects);
    for (int i = 0; i < n; ++i) {
        const int offset = kHeaderSize + i * 16;
        found.append({read(offset), read(offset + 4), read(offset + 8), read(offset + 12)});
    }
    return found;
}

QRegion RegionBuffer::region() const
{
    QRegion region;
    for (const ShapeRect &rect : rects()) {
        if (rect.right > rect.left && rect.bottom > rect.top)
            region += QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    }
    return region;
}

const QList<ShapeRect> &RegionBuffer::baseShape()
{
    static const QList<ShapeRect> shape = {
        {7, 32, 280, 33},   {5, 33, 282, 34},   {4, 34, 283, 35},   {3, 35, 284, 36},
        {2, 36, 285, 38},   {1, 38, 286, 249},  {2, 249, 285, 252}, {3, 252, 284, 253},
        {4, 253, 283, 254}, {7, 254, 280, 255},
    };
    return shape;
}

qint32 RegionBuffer::read(int offset) const
{
    return qFromLittleEndian<qint32>(m_bytes.constData() + offset);
}

void RegionBuffer::write(int offset, qint32 value)
{
    qToLittleEndian<qint32>(value, m_bytes.data() + offset);
}
