#pragma once

#include "ShapeBands.h"

#include <QByteArray>
#include <QList>
#include <QRegion>

// The editor's window shape as region data: a 32-byte header (its size, the type 1 for
// rectangles, the count, the size of the rectangle part, the bounds) followed by the
// rectangles, every number a 32-bit little-endian integer and every rectangle's right and
// bottom exclusive. Scripts and tests read these bytes; the window gets the region made of them.
class RegionBuffer {
public:
    static constexpr int kSize = 2501;
    static constexpr int kHeaderSize = 32;
    static constexpr int kMaxRects = (kSize - 1 - kHeaderSize) / 16;

    RegionBuffer();

    // Clears the whole buffer and writes the shape; false (buffer left cleared) when the shape
    // has more rectangles than the buffer holds.
    bool fill(const QList<ShapeRect> &rects);

    const QByteArray &bytes() const { return m_bytes; }
    int count() const;
    ShapeRect bounds() const;
    QList<ShapeRect> rects() const;
    QRegion region() const;

    // The card at rest: the outline of the front page's picture.
    static const QList<ShapeRect> &baseShape();

private:
    qint32 read(int offset) const;
    void write(int offset, qint32 value);

    QByteArray m_bytes;
};
