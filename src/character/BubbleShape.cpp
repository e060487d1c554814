#include "BubbleShape.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// left, top, right, bottom: rows of the rounded top, the body, the rounded bottom and the
// tail, whose tip points down and to the right.
constexpr int kRects[BubbleShape::kRectCount][4] = {
    {18, 5, 167, 6},     {15, 6, 170, 7},     {13, 7, 172, 8},     {11, 8, 174, 9},
    {10, 9, 175, 10},    {9, 10, 176, 11},    {8, 11, 177, 12},    {7, 12, 178, 13},
    {6, 13, 178, 14},    {6, 14, 179, 15},    {5, 15, 179, 16},    {5, 16, 180, 17},
    {4, 17, 180, 18},    {4, 18, 181, 21},    {3, 21, 181, 107},   {4, 107, 181, 109},
    {4, 109, 180, 110},  {5, 110, 180, 111},  {5, 111, 179, 112},  {6, 112, 179, 113},
    {7, 113, 178, 114},  {7, 114, 177, 115},  {8, 115, 176, 116},  {9, 116, 175, 117},
    {10, 117, 174, 118}, {11, 118, 173, 119}, {13, 119, 172, 120}, {15, 120, 170, 121},
    {18, 121, 167, 122}, {37, 122, 57, 123},  {38, 123, 57, 124},  {39, 124, 58, 125},
    {40, 125, 58, 126},  {41, 126, 58, 127},  {42, 127, 58, 128},  {43, 128, 59, 129},
    {44, 129, 59, 130},  {45, 130, 59, 131},  {46, 131, 60, 132},  {47, 132, 60, 133},
    {48, 133, 60, 134},  {49, 134, 60, 135},  {50, 135, 61, 136},  {51, 136, 61, 137},
    {52, 137, 61, 138},  {53, 138, 62, 139},  {54, 139, 62, 140},  {55, 140, 62, 141},
    {56, 141, 62, 142},  {57, 142, 63, 143},  {58, 143, 63, 144},  {59, 144, 63, 145},
    {60, 145, 64, 146},  {61, 146, 64, 147},  {62, 147, 64, 148},
};

void putLe32(unsigned char *at, qint32 value)
{
    const auto v = quint32(value);
    at[0] = v & 0xFF;
    at[1] = (v >> 8) & 0xFF;
    at[2] = (v >> 16) & 0xFF;
    at[3] = (v >> 24) & 0xFF;
}

qint32 getLe32(const unsigned char *at)
{
    return qint32(quint32(at[0]) | quint32(at[1]) << 8 | quint32(at[2]) << 16 |
                  quint32(at[3]) << 24);
}

std::array<unsigned char, BubbleShape::kDataSize> buildData()
{
    std::array<unsigned char, BubbleShape::kDataSize> data{};
    QRect bounds;
    for (const QRect &r : BubbleShape::rectangles())
        bounds |= r;
    putLe32(&data[0], BubbleShape::kHeaderSize);
    putLe32(&data[4], 1); // a list of rectangles
    putLe32(&data[8], BubbleShape::kRectCount);
    putLe32(&data[12], BubbleShape::kRectCount * 16);
    putLe32(&data[16], bounds.left());
    putLe32(&data[20], bounds.top());
    putLe32(&data[24], bounds.left() + bounds.width());
    putLe32(&data[28], bounds.top() + bounds.height());
    for (int i = 0; i < BubbleShape::kRectCount; ++i) {
        unsigned char *at = &data[BubbleShape::kHeaderSize + i * 16];
        for (int f = 0; f < 4; ++f)
            putLe32(at + f * 4, kRects[i][f]);
    }
    return data;
}

} // namespace

const std::array<QRect, BubbleShape::kRectCount> &BubbleShape::rectangles()
{
    static const auto rects = [] {
        std::array<QRect, kRectCount> out;
        for (int i = 0; i < kRectCount; ++i)
            out[i] = QRect(QPoint(kRects[i][0], kRects[i][1]),
                           QPoint(kRects[i][2] - 1, kRects[i][3] - 1));
        return out;
    }();
    return rects;
}

const std::array<unsigned char, BubbleShape::kDataSize> &BubbleShape::regionData()
{
    static const auto data = buildData();
    return data;
}

QRegion BubbleShape::regionFromData(const unsigned char *data, int size)
{
    if (size < kHeaderSize)
        return {};
    const qint32 headerSize = getLe32(data);
    const qint32 type = getLe32(data + 4);
    const qint32 count = getLe32(data + 8);
    if (headerSize < kHeaderSize || type != 1 || count < 0 ||
        qint64(headerSize) + qint64(count) * 16 > size)
        return {};
    QRegion region;
    for (qint32 i = 0; i < count; ++i) {
        const unsigned char *at = data + headerSize + i * 16;
        const int left = getLe32(at), top = getLe32(at + 4);
        const int right = getLe32(at + 8), bottom = getLe32(at + 12);
        if (right > left && bottom > top)
            region += QRect(left, top, right - left, bottom - top);
    }
    return region;
}

QRegion BubbleShape::region()
{
    static const QRegion r = regionFromData(regionData().data(), kDataSize);
    return r;
}

QImage BubbleShape::background()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The body follows the outline a little inside it, so the rim stays whole where the
    // window's edge cuts the picture.
    QPainterPath body;
    body.addRoundedRect(QRectF(4.5, 6.5, 175, 114), 17, 17);
    // The tail's edges run along the outline's: from 37 and 57 on the body's last row down
    // to the tip at 62 to 64, starting a little inside the body so the two join smoothly.
    QPainterPath tail;
    tail.moveTo(33, 118);
    tail.lineTo(56, 118);
    tail.lineTo(64, 148);
    tail.lineTo(62, 148);
    tail.closeSubpath();
    const QPainterPath shape = body.united(tail).simplified();
    p.setPen(QPen(QColor::fromRgb(kRim), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor::fromRgb(kFill));
    p.drawPath(shape);
    // A soft highlight along the top makes the bubble read as a rounded surface.
    p.setPen(QPen(QColor(250, 253, 254), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(14, 10, 60, 30), 100 * 16, 60 * 16);
    return image;
}
