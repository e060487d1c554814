#pragma once

#include <QImage>
#include <QRegion>

// The outline of a character: the pixels of frame 0 that are not exactly the transparent
// colour. Built from the runs of each row, so a frame costs one region set-up instead of one
// region operation per cut-out pixel.
class OutlineRegion {
public:
    // The region of the w x h rectangle at the picture's top-left corner whose pixels differ
    // from transparentColor in any channel. Columns and rows beyond the picture count as
    // transparent.
    static QRegion build(const QImage &picture, int w, int h, QRgb transparentColor);
};
