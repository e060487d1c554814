#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>

#include <array>

// The outline and background picture of the speech bubble. The outline is kept in the
// rectangle-list region format (a 32-byte header, then left, top, right, bottom per
// rectangle, every field a 32-bit little-endian integer) because that is how the bubble's
// shape was drawn up: one rectangle per pixel row of the rounded top, bottom and tail.
class BubbleShape {
public:
    static constexpr int kWidth = 186;
    static constexpr int kHeight = 155;
    static constexpr int kHeaderSize = 32;
    static constexpr int kRectCount = 55;
    static constexpr int kDataSize = kHeaderSize + kRectCount * 16;
    static_assert(kDataSize == 912);

    // The rectangles in window pixels, right and bottom exclusive, in stored order.
    static const std::array<QRect, kRectCount> &rectangles();
    // The region data as stored: header followed by the rectangles.
    static const std::array<unsigned char, kDataSize> &regionData();
    // The region the data describes; an empty region for data that is not a rectangle list.
    static QRegion regionFromData(const unsigned char *data, int size);
    static QRegion region();

    static constexpr QRgb kFill = 0xFFEAF5FD; // (234, 245, 253)
    static constexpr QRgb kRim = 0xFF9CC8EE;
    // The 186 x 155 background: the pale blue body with its rim and tail, on white.
    static QImage background();
};
