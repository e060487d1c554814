#pragma once

#include <QRect>

#include <cmath>

// The editor's controls are placed in twips; the screen counts 15 of them to the pixel.
namespace Twips {

constexpr int kPerPixel = 15;

inline int toPixels(int twips)
{
    return int(std::lround(double(twips) / kPerPixel));
}

inline int fromPixels(int pixels)
{
    return pixels * kPerPixel;
}

inline QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips
