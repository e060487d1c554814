#include "FlipShapes.h"
#include "EditorSkin.h"

#include <ostream>

#include <gtest/gtest.h>

void PrintTo(const ShapeRect &r, std::ostream *os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

constexpr QRgb kRed = qRgb(200, 30, 30);
constexpr QRgb kBlue = qRgb(0, 0, 255);

// A picture all blue but for the given rectangles, painted red.
QImage picture(int width, int height, const QList<ShapeRect> &red)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(kBlue);
    for (const ShapeRect &r : red)
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                image.setPixel(x, y, kRed);
    return image;
}

TEST(ShapeBands, RowsWithTheSameRunsShareOneBand)
{
    const QImage image = picture(10, 6, {{2, 1, 7, 4}, {3, 4, 5, 5}});
    EXPECT_EQ(ShapeBands::derive(image, kBlue, 0, 10),
              (QList<ShapeRect>{{2, 1, 7, 4}, {3, 4, 5, 5}}));
}

TEST(ShapeBands, EachRunOfABandIsOneRectangle)
{
    // The second row has the same two runs as the first; the third joins them into one.
    const QImage image = picture(10, 3, {{0, 0, 2, 2}, {5, 0, 10, 2}, {0, 2, 10, 3}});
    EXPECT_EQ(ShapeBands::derive(image, kBlue, 0, 10),
              (QList<ShapeRect>{{0, 0, 2, 2}, {5, 0, 10, 2}, {0, 2, 10, 3}}));
}

TEST(ShapeBands, RowsWithoutPixelsEndABandAndGiveNothing)
{
    const QImage image = picture(6, 7, {{1, 1, 4, 3}, {1, 5, 4, 6}});
    EXPECT_EQ(ShapeBands::derive(image, kBlue, 0, 6),
              (QList<ShapeRect>{{1, 1, 4, 3}, {1, 5, 4, 6}}));
    EXPECT_TRUE(ShapeBands::derive(picture(6, 7, {}), kBlue, 0, 6).isEmpty());
}

TEST(ShapeBands, ASliceSeesOnlyItsColumnsCountedFromItsLeft)
{
    // Pixels on both sides of the slice, and runs crossing its edges, are cut at them; rows
    // that differ only outside the slice are the same row to it.
    const QImage image =
        picture(20, 4, {{0, 0, 20, 1}, {2, 1, 7, 2}, {9, 1, 13, 4}, {16, 2, 19, 3}});
    EXPECT_EQ(ShapeBands::derive(image, kBlue, 5, 10),
              (QList<ShapeRect>{{0, 0, 10, 1}, {0, 1, 2, 2}, {4, 1, 8, 2}, {4, 2, 8, 4}}));
    // A slice reaching past the picture only sees what is there.
    EXPECT_EQ(ShapeBands::derive(image, kBlue, 15, 10),
              (QList<ShapeRect>{{0, 0, 5, 1}, {1, 2, 4, 3}}));
    EXPECT_EQ(ShapeBands::derive(image, kBlue, -3, 5), (QList<ShapeRect>{{3, 0, 5, 1}}));
}

TEST(ShapeBands, OnlyTheExactColourIsSeeThrough)
{
    QImage image = picture(4, 1, {});
    image.setPixel(1, 0, qRgb(0, 0, 254));
    image.setPixel(2, 0, qRgba(0, 0, 255, 128));
    // Half see-through blue is still the blue; a near blue is not.
    EXPECT_EQ(ShapeBands::derive(image, kBlue, 0, 4), (QList<ShapeRect>{{1, 0, 2, 1}}));
}

TEST(ShapeBands, BoundsHoldEveryRectangle)
{
    EXPECT_EQ(ShapeBands::bounds({{5, 2, 7, 9}, {1, 4, 3, 5}, {2, 0, 4, 1}}),
              (ShapeRect{1, 0, 7, 9}));
    EXPECT_EQ(ShapeBands::bounds({}), (ShapeRect{0, 0, 0, 0}));
}

constexpr int kSlice = 287;

// The card's extent in every frame: the window is cut to these, so a frame drawn a pixel
// off shows as the window jumping.
constexpr ShapeRect kCardBounds[FlipShapes::kFrames] = {
    {16, 27, 269, 262},  {31, 23, 245, 266},  {49, 22, 227, 267},  {62, 23, 206, 265},
    {82, 24, 180, 266},  {100, 23, 168, 266}, {114, 23, 152, 265}, {124, 26, 139, 265},
    {131, 31, 135, 264}, {136, 19, 152, 272}, {125, 22, 165, 269}, {112, 19, 182, 268},
    {100, 21, 198, 269}, {77, 22, 221, 267},  {58, 19, 237, 270},  {42, 22, 256, 267},
    {18, 27, 271, 262}};

QImage strip()
{
    return EditorSkin::image(QStringLiteral("flipstrip"));
}

TEST(FlipShapes, TheStripHoldsEveryFrameSideBySide)
{
    const QImage image = strip();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(4873, 287));
    EXPECT_EQ(FlipShapes::sliceLeft(FlipShapes::kFrames - 1) + kSlice, image.width());
    // The slices follow the strip's offsets behind the window, 15 twips to the pixel.
    for (int k = 0; k < FlipShapes::kFrames; ++k)
        EXPECT_EQ(FlipShapes::sliceLeft(k), qRound(-FlipShapes::flippiLeftTwips(k) / 15.0)) << k;
}

TEST(FlipShapes, CompiledShapesAreTheStripsOwn)
{
    const QImage image = strip();
    ASSERT_FALSE(image.isNull());
    for (int k = 0; k < FlipShapes::kFrames; ++k) {
        SCOPED_TRACE(k);
        const QList<ShapeRect> &shape = FlipShapes::shape(k);
        EXPECT_EQ(shape,
                  ShapeBands::derive(image, FlipShapes::kBlue, FlipShapes::sliceLeft(k), kSlice));
        EXPECT_EQ(ShapeBands::bounds(shape), kCardBounds[k]);
        // The window system takes a shape with more rectangles than this only slowly.
        EXPECT_LE(shape.size(), 154);
    }
}

// The frames must read as one card, not a card with stray pixels round it: every frame is one
// piece, every row of it one run, from the near edge spanning the full height.
TEST(FlipShapes, EachFrameIsOneSolidCard)
{
    for (int k = 0; k < FlipShapes::kFrames; ++k) {
        SCOPED_TRACE(k);
        const QList<ShapeRect> &shape = FlipShapes::shape(k);
        ASSERT_FALSE(shape.isEmpty());
        for (qsizetype i = 1; i < shape.size(); ++i) {
            const ShapeRect &above = shape.at(i - 1), &below = shape.at(i);
            EXPECT_EQ(below.top, above.bottom) << "a band with two runs or a gap at " << i;
            EXPECT_LT(below.left, above.right);
            EXPECT_GT(below.right, above.left);
        }
    }
}

TEST(FlipShapes, NoFrameHasAShapeOutsideTheAnimation)
{
    EXPECT_TRUE(FlipShapes::shape(-1).isEmpty());
    EXPECT_TRUE(FlipShapes::shape(FlipShapes::kFrames).isEmpty());
}

} // namespace
