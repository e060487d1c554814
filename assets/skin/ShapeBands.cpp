#include "ShapeBands.h"

#include <algorithm>
#include <utility>

namespace ShapeBands {

QList<ShapeRect> derive(const QImage &picture, QRgb blue, int sliceLeft, int width)
{
    // A picture with alpha may come back from its file premultiplied or indexed; the colour
    // is compared after conversion so the same file always gives the same shape.
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const int first = std::max(sliceLeft, 0);
    const int last = std::min(sliceLeft + width, image.width());
    const QRgb key = blue & RGB_MASK;

    QList<ShapeRect> rects;
    QList<std::pair<int, int>> band, row;
    int bandTop = 0;
    const auto closeBand = [&](int bottom) {
        for (const auto &[left, right] : std::as_const(band))
            rects.append({left - sliceLeft, bandTop, right - sliceLeft, bottom});
        band.clear();
    };

    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        row.clear();
        for (int x = first; x < last;) {
            if ((line[x] & RGB_MASK) == key) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < last && (line[x] & RGB_MASK) != key)
                ++x;
            row.append({start, x});
        }
        if (row == band)
            continue;
        closeBand(y);
        band = row;
        bandTop = y;
    }
    closeBand(image.height());
    return rects;
}

ShapeRect bounds(const QList<ShapeRect> &rects)
{
    if (rects.isEmpty())
        return {0, 0, 0, 0};
    ShapeRect all = rects.first();
    for (const ShapeRect &r : rects) {
        all.left = std::min(all.left, r.left);
        all.top = std::min(all.top, r.top);
        all.right = std::max(all.right, r.right);
        all.bottom = std::max(all.bottom, r.bottom);
    }
    return all;
}

} // namespace ShapeBands
