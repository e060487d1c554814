#include "BubbleShape.h"
#include "BubbleWindow.h"
#include "CharacterWindow.h"
#include "MenuState.h"
#include "TickTimer.h"
#include "WaitFor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QStringList>

#include <functional>

#include <gtest/gtest.h>

namespace {

// The bubble's rows as drawn up: left top right bottom, in stored order.
const char *const kRows =
    "18 5 167 6; 15 6 170 7; 13 7 172 8; 11 8 174 9; 10 9 175 10; 9 10 176 11; 8 11 177 12;"
    "7 12 178 13; 6 13 178 14; 6 14 179 15; 5 15 179 16; 5 16 180 17; 4 17 180 18; 4 18 181 21;"
    "3 21 181 107; 4 107 181 109; 4 109 180 110; 5 110 180 111; 5 111 179 112; 6 112 179 113;"
    "7 113 178 114; 7 114 177 115; 8 115 176 116; 9 116 175 117; 10 117 174 118; 11 118 173 119;"
    "13 119 172 120; 15 120 170 121; 18 121 167 122; 37 122 57 123; 38 123 57 124;"
    "39 124 58 125; 40 125 58 126; 41 126 58 127; 42 127 58 128; 43 128 59 129; 44 129 59 130;"
    "45 130 59 131; 46 131 60 132; 47 132 60 133; 48 133 60 134; 49 134 60 135; 50 135 61 136;"
    "51 136 61 137; 52 137 61 138; 53 138 62 139; 54 139 62 140; 55 140 62 141; 56 141 62 142;"
    "57 142 63 143; 58 143 63 144; 59 144 63 145; 60 145 64 146; 61 146 64 147; 62 147 64 148";

std::vector<int> rowNumbers()
{
    std::vector<int> out;
    for (const QString &row : QString::fromLatin1(kRows).split(';'))
        for (const QString &n : row.split(' ', Qt::SkipEmptyParts))
            out.push_back(n.toInt());
    return out;
}

qint32 le32(const unsigned char *at)
{
    return qint32(at[0] | at[1] << 8 | at[2] << 16 | quint32(at[3]) << 24);
}

} // namespace

TEST(BubbleShape, RegionDataByteForByte)
{
    const auto &data = BubbleShape::regionData();
    ASSERT_EQ(data.size(), 912u);
    const unsigned char header[32] = {32, 0, 0, 0, 1, 0, 0, 0, 55,  0, 0, 0, 0x70, 3, 0, 0,
                                      3,  0, 0, 0, 5, 0, 0, 0, 181, 0, 0, 0, 148,  0, 0, 0};
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(data[i], header[i]) << "header byte " << i;
    const std::vector<int> numbers = rowNumbers();
    ASSERT_EQ(numbers.size(), 55u * 4);
    for (size_t i = 0; i < numbers.size(); ++i) {
        const unsigned char *at = &data[32 + i * 4];
        EXPECT_EQ(le32(at), numbers[i]) << "rectangle " << i / 4 + 1 << " field " << i % 4;
        // Every value is small and positive: three zero bytes above the first.
        EXPECT_EQ(at[1] | at[2] | at[3], 0);
    }
}

TEST(BubbleShape, RegionIsTheUnionOfTheRectangles)
{
    const std::vector<int> n = rowNumbers();
    QRegion expected;
    for (size_t i = 0; i < n.size(); i += 4)
        expected += QRect(n[i], n[i + 1], n[i + 2] - n[i], n[i + 3] - n[i + 1]);
    const QRegion region = BubbleShape::region();
    EXPECT_TRUE(region.xored(expected).isEmpty());
    EXPECT_EQ(region.boundingRect(), QRect(QPoint(3, 5), QPoint(180, 147)));
    // The tail tip: pixels 62 and 63 of row 147, not 64.
    EXPECT_TRUE(region.contains(QPoint(62, 147)));
    EXPECT_TRUE(region.contains(QPoint(63, 147)));
    EXPECT_FALSE(region.contains(QPoint(64, 147)));
    EXPECT_FALSE(region.contains(QPoint(18, 4)));
    EXPECT_FALSE(region.contains(QPoint(3, 20)));
    EXPECT_TRUE(region.contains(QPoint(3, 21)));
}

TEST(BubbleShape, DataThatIsNoRectangleListGivesNoRegion)
{
    auto data = BubbleShape::regionData();
    EXPECT_FALSE(BubbleShape::regionFromData(data.data(), 912).isEmpty());
    EXPECT_TRUE(BubbleShape::regionFromData(data.data(), 900).isEmpty());
    data[4] = 2;
    EXPECT_TRUE(BubbleShape::regionFromData(data.data(), 912).isEmpty());
}

TEST(BubbleShape, BackgroundIsAPaleBlueBubbleOnWhite)
{
    const QImage bg = BubbleShape::background();
    ASSERT_EQ(bg.size(), QSize(186, 155));
    EXPECT_EQ(bg.pixel(90, 70) & 0xFFFFFF, 0xEAF5FDu);
    EXPECT_EQ(bg.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(bg.pixel(185, 154) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(bg.pixel(120, 140) & 0xFFFFFF, 0xFFFFFFu); // right of the tail
    // The tail runs down and to the right inside the outline.
    EXPECT_NE(bg.pixel(50, 128) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_NE(bg.pixel(61, 144) & 0xFFFFFF, 0xFFFFFFu);
    // A rim darker than the fill along the outline's edge, still blue.
    const QColor rim = bg.pixelColor(90, 7);
    EXPECT_LT(rim.red(), 234);
    EXPECT_GT(rim.blue(), rim.red());
}

class BubbleWindowTest : public testing::Test {
protected:
    MenuState menu;
    CharacterWindow character{menu};
    BubbleWindow bubble{character};
};

TEST_F(BubbleWindowTest, IsAFramelessTopmostToolWindowCutToTheBubble)
{
    EXPECT_EQ(bubble.objectName(), "Bubble");
    EXPECT_TRUE(bubble.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(bubble.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(bubble.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_DOUBLE_EQ(bubble.windowOpacity(), 210 / 255.0);
    EXPECT_TRUE(bubble.mask().xored(BubbleShape::region()).isEmpty());
    EXPECT_EQ(bubble.size(), QSize(186, 155));
    EXPECT_TRUE(bubble.timer1()->isEnabled());
    EXPECT_EQ(bubble.timer1()->interval(), 1);
    bubble.SetTrans(100);
    EXPECT_DOUBLE_EQ(bubble.windowOpacity(), 100 / 255.0);
}

TEST_F(BubbleWindowTest, SpeechWrapsAndIsCutOffInsideItsLabel)
{
    QLabel *speech = bubble.speech();
    EXPECT_EQ(speech->objectName(), "speech");
    EXPECT_EQ(speech->geometry(), QRect(16, 16, 153, 97));
    EXPECT_TRUE(speech->wordWrap());
    EXPECT_TRUE(bubble.text().isEmpty());
    const QString longText = QString("a rather long sentence ").repeated(30);
    bubble.setText(longText);
    EXPECT_EQ(bubble.text(), longText);
    EXPECT_EQ(speech->geometry(), QRect(16, 16, 153, 97));
    EXPECT_EQ(bubble.size(), QSize(186, 155));
}

TEST_F(BubbleWindowTest, WidthCarriesVisibility)
{
    bubble.setWidthTwips(BubbleWindow::kClosedWidthTwips);
    EXPECT_FALSE(bubble.isOpen());
    EXPECT_EQ(bubble.widthTwips(), 10);
    // Under a pixel wide: the one pixel the window keeps lies outside the outline.
    EXPECT_LE(bubble.width(), 1);
    EXPECT_TRUE(bubble.mask().intersected(bubble.rect()).isEmpty());
    bubble.setWidthTwips(BubbleWindow::kOpenWidthTwips);
    EXPECT_TRUE(bubble.isOpen());
    EXPECT_EQ(bubble.width(), 186);
    EXPECT_EQ(bubble.height(), 155);
}

TEST_F(BubbleWindowTest, PutinplaceSitsTheOpenBubbleOnTheCharactersTopEdge)
{
    character.move(300, 400);
    bubble.setWidthTwips(BubbleWindow::kOpenWidthTwips);
    bubble.putinplace();
    // 2790 / 6 = 465 twips, 31 pixels, left of the character; bottom edge on its top edge.
    EXPECT_EQ(bubble.pos(), QPoint(269, 245));
    EXPECT_EQ(bubble.y() + bubble.height(), character.y());
}

TEST_F(BubbleWindowTest, PutinplaceMovesTheClosedBubbleToo)
{
    character.move(7, 300);
    bubble.setWidthTwips(BubbleWindow::kClosedWidthTwips);
    bubble.putinplace();
    // 10 / 6 twips is under a pixel left of the character.
    EXPECT_EQ(bubble.pos(), QPoint(7, 145));
    // Near the top of the screen it goes above the screen and stays there.
    character.move(50, 20);
    bubble.putinplace();
    EXPECT_EQ(bubble.pos(), QPoint(50, -135));
}

TEST_F(BubbleWindowTest, Timer1FollowsTheCharacter)
{
    character.move(500, 500);
    emit bubble.timer1()->tick();
    EXPECT_EQ(bubble.pos(), QPoint(469, 345));
    character.move(600, 520);
    emit bubble.timer1()->tick();
    EXPECT_EQ(bubble.pos(), QPoint(569, 365));
}

TEST_F(BubbleWindowTest, Timer1FollowsOnItsOwnAndSleepsWhileInPlace)
{
    // Only a shown window hears of its moves at once.
    character.show();
    QSignalSpy ticks(bubble.timer1(), &TickTimer::tick);
    character.move(500, 500);
    ASSERT_TRUE(waitFor([&] { return bubble.pos() == QPoint(469, 345); }));
    ticks.clear();
    EXPECT_FALSE(ticks.wait(150)) << "nothing to follow, nothing to tick for";
    bubble.setWidthTwips(BubbleWindow::kOpenWidthTwips);
    ASSERT_TRUE(waitFor([&] { return bubble.pos() == QPoint(469, 345); }));
    character.move(80, 400);
    EXPECT_TRUE(waitFor([&] { return bubble.pos() == QPoint(49, 245); }));
    bubble.setWidthTwips(BubbleWindow::kClosedWidthTwips);
    EXPECT_TRUE(waitFor([&] { return bubble.pos() == QPoint(80, 245); }));
}
