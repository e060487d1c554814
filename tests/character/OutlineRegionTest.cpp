#include "OutlineRegion.h"
#include "CharacterWindow.h"
#include "MenuState.h"

#include <QLabel>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kWhite = 0xFFFFFF;

// The outline as the window manager's region calls build it: the whole frame, then one
// exclusive-or per pixel that is exactly the transparent colour.
QRegion referenceOutline(const QImage &picture, int w, int h, QRgb key)
{
    QRegion region(0, 0, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((picture.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF))
                region ^= QRegion(x, y, 1, 1);
    return region;
}

void expectSameRegion(const QRegion &built, const QRegion &reference)
{
    EXPECT_TRUE(built.xored(reference).isEmpty());
    EXPECT_EQ(built, reference);
    EXPECT_EQ(built.boundingRect(), reference.boundingRect());
}

QImage randomPicture(int w, int h, int whitePercent, quint32 seed)
{
    QRandomGenerator rng(seed);
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool white = int(rng.bounded(100)) < whitePercent;
            // Near-white colours must stay opaque: only exact white is cut.
            const QRgb nearWhite[] = {qRgb(254, 255, 255), qRgb(255, 254, 255), qRgb(255, 255, 254),
                                      qRgb(10, 20, 30)};
            image.setPixel(x, y, white ? qRgb(255, 255, 255) : nearWhite[rng.bounded(4)]);
        }
    return image;
}

} // namespace

TEST(OutlineRegion, MatchesThePixelByPixelRegionOnRandomPictures)
{
    const struct {
        int w, h, whitePercent;
    } cases[] = {{31, 23, 50}, {40, 17, 10}, {17, 40, 90}, {1, 9, 50}, {9, 1, 50}};
    quint32 seed = 7;
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " " << c.whitePercent << "%");
        const QImage picture = randomPicture(c.w, c.h, c.whitePercent, seed++);
        expectSameRegion(OutlineRegion::build(picture, c.w, c.h, kWhite),
                         referenceOutline(picture, c.w, c.h, kWhite));
    }
}

TEST(OutlineRegion, EdgePictures)
{
    QImage solid(20, 12, QImage::Format_RGB32);
    solid.fill(qRgb(200, 30, 30));
    EXPECT_EQ(OutlineRegion::build(solid, 20, 12, kWhite), QRegion(0, 0, 20, 12));

    QImage white(20, 12, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_TRUE(OutlineRegion::build(white, 20, 12, kWhite).isEmpty());

    // A ring: a white hole inside the figure is cut out too, as are identical rows that
    // the builder merges into one band.
    QImage ring = solid;
    for (int y = 4; y < 8; ++y)
        for (int x = 6; x < 14; ++x)
            ring.setPixel(x, y, qRgb(255, 255, 255));
    const QRegion built = OutlineRegion::build(ring, 20, 12, kWhite);
    expectSameRegion(built, referenceOutline(ring, 20, 12, kWhite));
    EXPECT_FALSE(built.contains(QPoint(10, 6)));
    EXPECT_TRUE(built.contains(QPoint(5, 6)));

    // Only the first frame counts, even when the frames beyond it are white.
    QImage strip(60, 10, QImage::Format_RGB32);
    strip.fill(Qt::white);
    for (int x = 0; x < 20; ++x)
        strip.setPixel(x, 3, qRgb(0, 0, 0));
    expectSameRegion(OutlineRegion::build(strip, 20, 10, kWhite),
                     referenceOutline(strip, 20, 10, kWhite));
}

TEST(OutlineRegion, TheWindowTakesFrameZeroOfAStripWhoseWidthIsNoMultipleOf14)
{
    MenuState menu;
    CharacterWindow window(menu);
    const int frameW = 23, h = 19;
    const QImage strip = randomPicture(frameW * 14 + 5, h, 40, 99);
    window.setCharacterPicture(strip);
    window.MakeTransparent(kWhite);

    EXPECT_FLOAT_EQ(window.widthofguy, float((frameW * 14 + 5) * 15) / 14);
    const int w = qRound(window.widthofguy / 15);
    EXPECT_EQ(window.size(), QSize(w, h));
    expectSameRegion(window.mask(), referenceOutline(strip, w, h, kWhite));
}

TEST(OutlineRegion, AnAllWhiteFrameLeavesNothingOfTheWindow)
{
    MenuState menu;
    CharacterWindow window(menu);
    QImage strip(14 * 10, 10, QImage::Format_RGB32);
    strip.fill(Qt::white);
    window.setCharacterPicture(strip);
    window.MakeTransparent(kWhite);
    // Qt takes an empty mask for "no mask"; what is left must lie outside the window.
    EXPECT_FALSE(window.mask().isEmpty());
    EXPECT_TRUE(window.mask().intersected(window.rect()).isEmpty());
}
