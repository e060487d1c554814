#include "OutlineRegion.h"

#include <QList>
#include <QRect>

QRegion OutlineRegion::build(const QImage &picture, int w, int h, QRgb transparentColor)
{
    w = qMin(w, picture.width());
    h = qMin(h, picture.height());
    if (w <= 0 || h <= 0)
        return {};
    const QImage frame = picture.copy(0, 0, w, h).convertToFormat(QImage::Format_RGB32);
    const QRgb key = transparentColor & 0xFFFFFF;

    // QRegion::setRects wants y-x banded rectangles that neither overlap nor touch sideways.
    // Rows with the same runs as the row above extend that band, which is also how Qt
    // keeps a region it built itself, so the result compares equal to one built pixel by pixel.
    QList<QRect> rects;
    QList<QRect> previousRow;
    qsizetype bandStart = 0;
    QList<QRect> row;
    for (int y = 0; y < h; ++y) {
        row.clear();
        const auto *line = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
        int x = 0;
        while (x < w) {
            while (x < w && (line[x] & 0xFFFFFF) == key)
                ++x;
            if (x == w)
                break;
            const int start = x;
            while (x < w && (line[x] & 0xFFFFFF) != key)
                ++x;
            row.append(QRect(start, y, x - start, 1));
        }
        bool sameAsAbove = !row.isEmpty() && row.size() == previousRow.size() &&
                           !previousRow.isEmpty() && previousRow.first().bottom() == y - 1;
        for (qsizetype i = 0; sameAsAbove && i < row.size(); ++i)
            sameAsAbove =
                row[i].left() == previousRow[i].left() && row[i].right() == previousRow[i].right();
        if (sameAsAbove) {
            for (qsizetype i = bandStart; i < rects.size(); ++i)
                rects[i].setBottom(y);
            for (QRect &r : previousRow)
                r.setBottom(y);
        } else {
            bandStart = rects.size();
            rects.append(row);
            previousRow = row;
        }
    }
    QRegion region;
    region.setRects(rects.constData(), int(rects.size()));
    return region;
}
