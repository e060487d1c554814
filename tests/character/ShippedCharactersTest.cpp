#include "CharacterFile.h"
#include "OutlineRegion.h"

#include <QDir>
#include <QFile>

#include <queue>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kWhite = 0xFFFFFF;

bool isWhite(QRgb c)
{
    return (c & 0xFFFFFF) == kWhite;
}

class ShippedCharacter : public testing::TestWithParam<const char *> {
protected:
    void SetUp() override
    {
        const QString path = QStringLiteral(QUILLET_APP_DIR "/Character/%1.qlc").arg(GetParam());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = file.readAll();
        ASSERT_FALSE(bytes.isEmpty());
        EXPECT_EQ(bytes[0], 0) << "stored with its first byte blanked";
        strip = CharacterFile::load(path).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(strip.isNull());
        ASSERT_EQ(strip.width() % 14, 0);
        w = strip.width() / 14;
        h = strip.height();
    }
    QImage frame(int n) const { return strip.copy(n * w, 0, w, h); }

    QImage strip;
    int w = 0, h = 0;
};

} // namespace

TEST_P(ShippedCharacter, IsAStripOf14FramesOfAFriendlySize)
{
    EXPECT_GE(w, 100);
    EXPECT_LE(w, 130);
    EXPECT_GE(h, 130);
    EXPECT_LE(h, 160);
}

TEST_P(ShippedCharacter, EveryFrameFillsExactlyFrameZerosOutline)
{
    // Anything outside the outline would never be seen; white inside it would show white.
    const QRegion outline = OutlineRegion::build(frame(0), w, h, kWhite);
    ASSERT_FALSE(outline.isEmpty());
    for (int n = 1; n < 14; ++n) {
        SCOPED_TRACE(testing::Message() << "frame " << n);
        EXPECT_TRUE(OutlineRegion::build(frame(n), w, h, kWhite).xored(outline).isEmpty());
    }
}

TEST_P(ShippedCharacter, FrameZeroHasNoHolesAndADarkEdge)
{
    const QImage rest = frame(0);
    // Flood the white from the border: every white pixel must be reached, so the figure
    // has no white inside it.
    std::vector<char> seen(size_t(w * h), 0);
    std::queue<QPoint> todo;
    const auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h || seen[size_t(y * w + x)] ||
            !isWhite(rest.pixel(x, y)))
            return;
        seen[size_t(y * w + x)] = 1;
        todo.push({x, y});
    };
    for (int x = 0; x < w; ++x) {
        visit(x, 0);
        visit(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        visit(0, y);
        visit(w - 1, y);
    }
    while (!todo.empty()) {
        const QPoint p = todo.front();
        todo.pop();
        visit(p.x() + 1, p.y());
        visit(p.x() - 1, p.y());
        visit(p.x(), p.y() + 1);
        visit(p.x(), p.y() - 1);
    }
    int holes = 0, lightEdge = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = rest.pixel(x, y);
            if (isWhite(c)) {
                holes += !seen[size_t(y * w + x)];
                continue;
            }
            const bool edge = (x > 0 && isWhite(rest.pixel(x - 1, y))) ||
                              (x + 1 < w && isWhite(rest.pixel(x + 1, y))) ||
                              (y > 0 && isWhite(rest.pixel(x, y - 1))) ||
                              (y + 1 < h && isWhite(rest.pixel(x, y + 1)));
            if (edge && qGray(c) > 110)
                ++lightEdge;
        }
    EXPECT_EQ(holes, 0);
    EXPECT_EQ(lightEdge, 0) << "edge pixels lighter than the outline";
}

TEST_P(ShippedCharacter, PosesDiffer)
{
    const auto differs = [&](int a, int b) { return frame(a) != frame(b); };
    EXPECT_TRUE(differs(0, 1)) << "blink";
    for (int n : {2, 3, 4, 5, 6, 7, 8, 9, 10})
        EXPECT_TRUE(differs(0, n)) << "frame " << n;
    EXPECT_TRUE(differs(3, 4)) << "the wave moves";
    EXPECT_TRUE(differs(11, 12));
    EXPECT_TRUE(differs(12, 13));
    EXPECT_TRUE(differs(11, 13));
}

INSTANTIATE_TEST_SUITE_P(Characters, ShippedCharacter, testing::Values("Pebble", "Clover"));

TEST(ShippedCharacters, TheDefaultCharacterIsShipped)
{
    EXPECT_TRUE(QFile::exists(QStringLiteral(QUILLET_APP_DIR "/Character/Pebble.qlc")));
    const QStringList all = QDir(QStringLiteral(QUILLET_APP_DIR "/Character"))
                                .entryList({QStringLiteral("*.qlc")}, QDir::Files);
    EXPECT_GE(all.size(), 2);
    for (const QString &name : all)
        EXPECT_FALSE(name.section('.', 0, 0).contains(' ')) << name.toStdString();
}
