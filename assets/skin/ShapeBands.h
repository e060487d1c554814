#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

// One rectangle of a window shape; right and bottom are exclusive.
struct ShapeRect {
    int left, top, right, bottom;

    friend bool operator==(const ShapeRect &, const ShapeRect &) = default;
};

// Turns the see-through colour of a picture into a window shape. The rectangles come in
// horizontal bands from top to bottom, the form a windowing system keeps shapes in, so a
// shape handed over this way is taken as it is instead of being re-sorted.
namespace ShapeBands {

// The pixels of the columns [sliceLeft, sliceLeft + width) that are not `blue` (alpha aside),
// relative to the slice. Consecutive rows with the same runs share one band, each run of a
// band is one rectangle, and rows without any pixel give none.
QList<ShapeRect> derive(const QImage &picture, QRgb blue, int sliceLeft, int width);

// The smallest rectangle holding all of them; all zero for no rectangles.
ShapeRect bounds(const QList<ShapeRect> &rects);

} // namespace ShapeBands
