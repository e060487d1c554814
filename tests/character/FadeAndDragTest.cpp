#include "CharacterWindow.h"
#include "MenuState.h"
#include "OutlineRegion.h"
#include "TickTimer.h"
#include "WindowMover.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

QImage stripOf(int frameW, int h, QRgb colour, int whiteColumns)
{
    QImage strip(frameW * 14, h, QImage::Format_RGB32);
    strip.fill(colour);
    for (int x = 0; x < whiteColumns; ++x)
        for (int y = 0; y < h; ++y)
            strip.setPixel(x, y, qRgb(255, 255, 255));
    return strip;
}

class RecordingMover : public WindowMover {
public:
    bool startMove(QWidget &) override
    {
        ++calls;
        return offersMove;
    }
    int calls = 0;
    bool offersMove = true;
};

void press(QWidget &w, Qt::MouseButton button, QPoint local)
{
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(local), QPointF(w.mapToGlobal(local)),
                      button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}

void mouse(QWidget &w, QEvent::Type type, QPoint global)
{
    QMouseEvent event(type, QPointF(w.mapFromGlobal(global)), QPointF(global), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}

class FadeTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.setCharacterPicture(stripOf(20, 30, qRgb(200, 40, 40), 0));
        window.MakeTransparent();
        window.setSaveTheList([this] { ++saves; });
        window.show();
    }
    // As the chooser starts a switch.
    void startFade(int from)
    {
        window.setTempPicture(next);
        window.trans = qint16(from);
        window.a = 0;
        menu.setEnabled(MenuState::Semitransparent, false);
        window.fadeinout()->setEnabled(true);
    }
    int opacityLevel() const { return qRound(window.windowOpacity() * 255); }

    MenuState menu;
    CharacterWindow window{menu};
    const QImage next = stripOf(25, 40, qRgb(30, 90, 30), 3);
    int saves = 0;
};

} // namespace

TEST_F(FadeTest, FadesOutInFiftyTicksSwitchesAndFadesInInFifty)
{
    startFade(250);
    EXPECT_TRUE(window.isFading());
    for (int tick = 1; tick < 50; ++tick) {
        window.fadeTick();
        EXPECT_EQ(window.trans, 250 - 5 * tick);
        EXPECT_EQ(opacityLevel(), window.trans);
    }
    EXPECT_EQ(saves, 0);
    EXPECT_NE(window.picture(), next);

    window.fadeTick(); // 50: invisible, the picture changes
    EXPECT_EQ(opacityLevel(), 0);
    EXPECT_EQ(window.trans, 5);
    EXPECT_EQ(window.a, 1);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(window.picture(), next);
    EXPECT_TRUE(window.temp.isNull());
    EXPECT_FLOAT_EQ(window.widthofguy, 25 * 15);
    EXPECT_EQ(window.size(), QSize(25, 40));
    EXPECT_TRUE(window.mask().xored(OutlineRegion::build(next, 25, 40, 0xFFFFFF)).isEmpty());

    for (int tick = 1; tick < 50; ++tick) {
        window.fadeTick();
        EXPECT_EQ(window.trans, 5 + 5 * tick);
        EXPECT_EQ(opacityLevel(), window.trans);
        EXPECT_TRUE(window.isFading());
    }
    EXPECT_FALSE(menu.isEnabled(MenuState::Semitransparent));
    window.fadeTick(); // 50: opaque
    EXPECT_EQ(window.trans, 255);
    EXPECT_FALSE(window.isFading());
    EXPECT_EQ(window.a, 0);
    EXPECT_TRUE(menu.isEnabled(MenuState::Semitransparent));
    EXPECT_EQ(saves, 1);
}

TEST_F(FadeTest, WithSemitransparentOnTheFadeStopsAt150)
{
    menu.setChecked(MenuState::Semitransparent, true);
    startFade(150);
    for (int tick = 0; tick < 30; ++tick)
        window.fadeTick();
    ASSERT_EQ(window.a, 1);
    EXPECT_EQ(window.trans, 5);
    for (int tick = 1; tick <= 29; ++tick)
        window.fadeTick();
    EXPECT_EQ(window.trans, 150);
    EXPECT_TRUE(window.isFading());
    window.fadeTick(); // the stop takes a tick of its own
    EXPECT_EQ(window.trans, 150);
    EXPECT_EQ(opacityLevel(), 150);
    EXPECT_FALSE(window.isFading());
    EXPECT_EQ(window.a, 0);
    EXPECT_TRUE(menu.isEnabled(MenuState::Semitransparent));
}

TEST_F(FadeTest, WhileAsleepEveryTickShowsTheSleepFrame)
{
    menu.setChecked(MenuState::Sleep, true);
    startFade(250);
    for (int tick = 0; tick < 100; ++tick) {
        window.showframe(0);
        window.fadeTick();
        // The switch tick shows the new strip at the old frame width, unseen at level 0.
        if (tick == 49)
            ASSERT_EQ(opacityLevel(), 0);
        else
            ASSERT_DOUBLE_EQ(window.shownFrame(), 1) << "tick " << tick;
    }
    EXPECT_FALSE(window.isFading());
}

TEST_F(FadeTest, AHiddenWindowIsShownWithTheNewPictureAtTheFirstTick)
{
    window.hide();
    startFade(5);
    window.fadeTick();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.picture(), next);
    EXPECT_EQ(opacityLevel(), 0);
    window.fadeTick();
    EXPECT_EQ(opacityLevel(), 10);
}

TEST_F(FadeTest, TransAppliesThroughTheWindowOpacity)
{
    window.trans = 150;
    window.settingtrans();
    EXPECT_EQ(opacityLevel(), 150);
    window.SetTrans(300);
    EXPECT_EQ(opacityLevel(), 255);
    window.SetTrans(0);
    EXPECT_EQ(opacityLevel(), 0);
}

TEST_F(FadeTest, KeepontopKeepsPlaceSizeAndVisibility)
{
    window.move(123, 77);
    const QSize size = window.size();
    window.keepontop();
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.pos(), QPoint(123, 77));
    EXPECT_EQ(window.size(), size);
}

TEST_F(FadeTest, DraggingIsRefusedWhileAFadeRunsButTheMenuStillOpens)
{
    RecordingMover mover;
    window.setWindowMover(&mover);
    QList<QPoint> menuAt;
    QObject::connect(&window, &CharacterWindow::menuRequested,
                     [&](const QPoint &at) { menuAt.append(at); });

    press(window, Qt::LeftButton, {5, 5});
    EXPECT_EQ(mover.calls, 1);

    startFade(250);
    press(window, Qt::LeftButton, {5, 5});
    EXPECT_EQ(mover.calls, 1);
    press(window, Qt::RightButton, {6, 7});
    EXPECT_EQ(mover.calls, 1);
    ASSERT_EQ(menuAt.size(), 1);
    EXPECT_EQ(menuAt.first(), window.mapToGlobal(QPoint(6, 7)));
}

TEST_F(FadeTest, WithoutAWindowManagerMoveTheWindowFollowsTheMouse)
{
    RecordingMover mover;
    mover.offersMove = false;
    window.setWindowMover(&mover);
    window.move(100, 100);
    press(window, Qt::LeftButton, {10, 12});
    mouse(window, QEvent::MouseMove, {300, 250});
    EXPECT_EQ(window.pos(), QPoint(290, 238));
    mouse(window, QEvent::MouseButtonRelease, {300, 250});
    mouse(window, QEvent::MouseMove, {400, 400});
    EXPECT_EQ(window.pos(), QPoint(290, 238));
}

TEST(Keepontop, BeforeTheWindowIsShownItOnlySetsTheFlag)
{
    MenuState menu;
    CharacterWindow window(menu);
    window.move(40, 50);
    window.keepontop();
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.pos(), QPoint(40, 50));
}
