#pragma once

#include "ShapeBands.h"

// The editor turning over like a card: each frame shows one 287 px wide slice of the
// `flipstrip` picture and cuts the window to that slice's card. The shapes are worked out
// from the picture when it is drawn, so turning the page costs no scan of the strip.
namespace FlipShapes {

constexpr int kFrames = 17;
// The strip's see-through colour.
constexpr QRgb kBlue = qRgb(4, 4, 252);

// Where frame `frame`'s slice starts in the strip, in its pixels.
int sliceLeft(int frame);
// The same place as the offset the strip is laid at behind the window, in twips.
int flippiLeftTwips(int frame);
// The window shape of the frame, relative to its slice; empty for frames that do not exist.
const QList<ShapeRect> &shape(int frame);

} // namespace FlipShapes
