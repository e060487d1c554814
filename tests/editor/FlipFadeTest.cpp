// The editor's shape, its flip to the add page and back, and its fade with the about picture,
// tick by tick as the timers would drive them.
#include "BrainWindow.h"
#include "FakeServices.h"
#include "FlipShapes.h"
#include "MenuState.h"
#include "PictureBox.h"
#include "Program.h"
#include "RecordingDialogs.h"
#include "ScriptHost.h"
#include "TempAppFolder.h"
#include "TickTimer.h"
#include "UserClick.h"

#include <QAction>

#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

class FlipFadeTest : public testing::Test {
protected:
    FlipFadeTest()
    {
        m_app.writeCommandList();
        m_program = std::make_unique<Program>(m_app.paths(), m_fakes.make(), m_dialogs);
        EXPECT_TRUE(m_program->start());
    }

    BrainWindow &brain() { return m_program->brain(); }
    MenuState &menu() { return m_program->menu(); }
    QWidget *control(const char *name) { return brain().findChild<QWidget *>(name); }

    void click(const char *name, Qt::MouseButton button = Qt::LeftButton)
    {
        QWidget *widget = control(name);
        ASSERT_TRUE(widget && widget->isVisible()) << name;
        QTest::mouseClick(widget, button, {}, widget->rect().center());
    }

    // Ticks the flip until its timer stops; the steps it went through.
    QList<int> runFlip()
    {
        QList<int> steps;
        while (brain().flippflopp()->isEnabled() && steps.size() < 40) {
            brain().flipTick();
            steps << int(brain().flipp);
        }
        return steps;
    }
    // Ticks the fade until its timer stops; the alpha after each tick.
    QList<int> runFade()
    {
        QList<int> alphas;
        while (brain().fadeinout()->isEnabled() && alphas.size() < 600) {
            brain().fadeTick();
            alphas << brain().trans;
            EXPECT_FALSE(menu().isEnabled(MenuState::About) && brain().fadeinout()->isEnabled());
            EXPECT_FALSE(menu().isEnabled(MenuState::EditBrain) &&
                         brain().fadeinout()->isEnabled());
        }
        return alphas;
    }
    static QList<int> steps(int from, int to, int by)
    {
        QList<int> values;
        for (int v = from; by > 0 ? v <= to : v >= to; v += by)
            values << v;
        return values;
    }
    qint32 word(int offset) const
    {
        return qFromLittleEndian<qint32>(m_program->brain().regionBuffer().bytes().constData() +
                                         offset);
    }

    TempAppFolder m_app;
    FakeServices m_fakes;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Program> m_program;
};

TEST_F(FlipFadeTest, AtRestTheWindowHasTheBaseShapeAndTheStripWaitsOffToTheRight)
{
    const QByteArray &bytes = brain().regionBuffer().bytes();
    ASSERT_EQ(bytes.size(), 2501);
    EXPECT_EQ(word(0), 32);
    EXPECT_EQ(word(4), 1);
    EXPECT_EQ(word(8), 10);
    EXPECT_EQ(word(12), 160);
    EXPECT_EQ((QList<qint32>{word(16), word(20), word(24), word(28)}),
              (QList<qint32>{1, 32, 286, 255}));
    EXPECT_EQ((QList<qint32>{word(32), word(36), word(40), word(44)}),
              (QList<qint32>{7, 32, 280, 33}));
    EXPECT_EQ(
        (QList<qint32>{word(32 + 5 * 16), word(36 + 5 * 16), word(40 + 5 * 16), word(44 + 5 * 16)}),
        (QList<qint32>{1, 38, 286, 249}));
    EXPECT_EQ(bytes.mid(32 + 160), QByteArray(2501 - 192, '\0'));
    EXPECT_EQ(brain().trans, 255);
    EXPECT_EQ(control("flippi")->x(), 288);
    EXPECT_EQ(control("aboutpicture")->pos(), QPoint(0, 32));
}

TEST_F(FlipFadeTest, OpeningTheAddPageTurnsThroughEveryFrameAndBack)
{
    brain().brainOpen = true;
    brain().show();
    click("addnewbutton");
    EXPECT_TRUE(brain().flippflopp()->isEnabled());
    EXPECT_EQ(brain().flipp, 1);
    QList<int> seen;
    while (brain().flippflopp()->isEnabled()) {
        brain().flipTick();
        const int step = int(brain().flipp);
        seen << step;
        if (step >= 2 && step <= 18) {
            EXPECT_EQ(brain().regionBuffer().rects(), FlipShapes::shape(step - 2)) << step;
            EXPECT_EQ(control("flippi")->x(), -FlipShapes::sliceLeft(step - 2)) << step;
            EXPECT_FALSE(control("addform")->isVisible()) << step;
        }
        ASSERT_LT(seen.size(), 40);
    }
    EXPECT_EQ(seen, steps(2, 19, 1));
    EXPECT_TRUE(control("addform")->isVisible());
    EXPECT_EQ(brain().addnewbuttonTag(), "false");
    EXPECT_EQ(brain().regionBuffer().rects(), RegionBuffer::baseShape());
    EXPECT_EQ(control("flippi")->x(), 288);

    click("cancelb");
    ASSERT_TRUE(brain().flippflopp()->isEnabled());
    brain().flipTick();
    EXPECT_EQ(brain().flipp, 18);
    EXPECT_FALSE(control("addform")->isVisible()) << "the page goes as the turn starts";
    EXPECT_EQ(runFlip(), steps(17, 1, -1));
    EXPECT_EQ(brain().addnewbuttonTag(), "true");
    EXPECT_EQ(brain().regionBuffer().rects(), RegionBuffer::baseShape());
}

TEST_F(FlipFadeTest, AboutWhileHiddenFadesInFromNothing)
{
    brain().aboutgrej();
    EXPECT_TRUE(brain().isVisible());
    EXPECT_EQ(brain().trans, 0);
    EXPECT_EQ(runFade(), steps(3, 255, 2));
    EXPECT_TRUE(control("aboutpicture")->isVisible());
    EXPECT_TRUE(control("aboutpicture")->isEnabled());
    EXPECT_DOUBLE_EQ(brain().windowOpacity(), 1.0);
    EXPECT_TRUE(menu().isEnabled(MenuState::About));

    // A left click fades the window out and hides it; the editor stays closed.
    click("aboutpicture");
    EXPECT_FALSE(menu().isEnabled(MenuState::EditBrain));
    // The last tick, at 0, takes the picture away and the window with it.
    EXPECT_EQ(runFade(), steps(252, 0, -2) << 0);
    EXPECT_FALSE(brain().isVisible());
    EXPECT_FALSE(control("aboutpicture")->isVisible());
    EXPECT_FALSE(brain().brainOpen);
    EXPECT_TRUE(menu().isEnabled(MenuState::About));
    EXPECT_TRUE(menu().isEnabled(MenuState::EditBrain));
}

TEST_F(FlipFadeTest, AboutOverTheOpenEditorAndClickedAwayAgain)
{
    brain().brainOpen = true;
    brain().show();
    brain().startFadeOut();
    EXPECT_EQ(brain().trans, 254);
    const QList<int> alphas = runFade();
    // Down to nothing, the picture comes, and back up: 127 ticks each way and one at 0.
    EXPECT_EQ(alphas.mid(0, 126), steps(252, 0, -2).mid(0, 126));
    EXPECT_EQ(alphas.size(), 127 + 127);
    EXPECT_EQ(alphas.last(), 255);
    EXPECT_TRUE(control("aboutpicture")->isVisible());

    // Right-clicked, it tells about the program and stays.
    click("aboutpicture", Qt::RightButton);
    ASSERT_EQ(m_dialogs.shown.size(), 1);
    EXPECT_TRUE(m_dialogs.shown[0].contains("Quillet"));
    EXPECT_EQ(m_dialogs.shown[0].count('\n'), 1) << "two lines";
    EXPECT_FALSE(brain().fadeinout()->isEnabled());

    click("aboutpicture");
    // While it fades the picture takes no clicks, so no second fade starts.
    brain().fadeTick();
    EXPECT_FALSE(control("aboutpicture")->isEnabled());
    runFade();
    EXPECT_TRUE(brain().isVisible()) << "the editor is open";
    EXPECT_FALSE(control("aboutpicture")->isVisible());
    EXPECT_EQ(brain().trans, 255);
}

TEST_F(FlipFadeTest, EditBrainWhileTheAboutPictureIsUpEndsOnTheEditor)
{
    brain().aboutgrej();
    runFade();
    brain().brainOpen = true;
    brain().startFadeOut();
    runFade();
    EXPECT_TRUE(brain().isVisible());
    EXPECT_FALSE(control("aboutpicture")->isVisible());
    EXPECT_EQ(brain().trans, 255);
}

// Whatever the user does while the picture fades, the fade ends, and About and Edit brain
// answer again afterwards.

TEST_F(FlipFadeTest, PressesOnThePictureWhileItFadesInChangeNothing)
{
    for (const bool editorOpen : {false, true}) {
        SCOPED_TRACE(editorOpen ? "over the editor" : "alone");
        brain().brainOpen = editorOpen;
        brain().aboutgrej();
        for (int i = 0; i < 20; ++i)
            brain().fadeTick();
        ASSERT_TRUE(brain().aboutPicture()->isVisible());
        UserClick::on(brain().aboutPicture());
        UserClick::on(brain().aboutPicture(), Qt::RightButton);
        EXPECT_TRUE(m_dialogs.shown.isEmpty());
        runFade();
        EXPECT_FALSE(brain().fadeinout()->isEnabled());
        EXPECT_EQ(brain().trans, 255);
        EXPECT_TRUE(brain().aboutPicture()->isVisible());
        EXPECT_TRUE(brain().aboutPicture()->isEnabled());
        EXPECT_TRUE(menu().isEnabled(MenuState::About));
        EXPECT_TRUE(menu().isEnabled(MenuState::EditBrain));

        // Once whole, a press fades it away again.
        UserClick::on(brain().aboutPicture());
        EXPECT_TRUE(brain().fadeinout()->isEnabled());
        runFade();
        EXPECT_FALSE(brain().aboutPicture()->isVisible());
        EXPECT_EQ(brain().isVisible(), editorOpen);
        EXPECT_TRUE(menu().isEnabled(MenuState::About));
    }
}

TEST_F(FlipFadeTest, CharactersDuringAFadeStopsItWhole)
{
    // Partway in, partway out over the editor, and partway out alone.
    const struct {
        const char *when;
        bool editorOpen;
        bool fadeOut;
    } cases[] = {{"fading in", false, false},
                 {"fading out over the editor", true, true},
                 {"fading out alone", false, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.when);
        brain().brainOpen = c.editorOpen;
        brain().aboutgrej();
        if (c.fadeOut) {
            runFade();
            UserClick::on(brain().aboutPicture());
        }
        for (int i = 0; i < 30; ++i)
            brain().fadeTick();
        ASSERT_TRUE(brain().fadeinout()->isEnabled());
        menu().action(MenuState::Characters)->trigger();

        EXPECT_FALSE(brain().fadeinout()->isEnabled());
        EXPECT_EQ(brain().trans, 255);
        EXPECT_DOUBLE_EQ(brain().windowOpacity(), 1.0);
        EXPECT_TRUE(brain().characterPageShown());
        EXPECT_TRUE(menu().isEnabled(MenuState::About));
        EXPECT_TRUE(menu().isEnabled(MenuState::EditBrain));
        brain().hideCharacterPage();

        // About works again from there.
        menu().action(MenuState::About)->trigger();
        EXPECT_TRUE(brain().fadeinout()->isEnabled());
        runFade();
        EXPECT_FALSE(brain().fadeinout()->isEnabled());
        EXPECT_TRUE(brain().trans == 255 || brain().trans == 0) << brain().trans;
        if (brain().aboutPicture()->isVisible()) {
            UserClick::on(brain().aboutPicture());
            runFade();
        }
        EXPECT_TRUE(menu().isEnabled(MenuState::About));
    }
}

TEST_F(FlipFadeTest, SettingtransMakesTheWindowOpaqueAtOnce)
{
    brain().trans = 40;
    brain().SetTrans(40);
    brain().settingtrans();
    EXPECT_EQ(brain().trans, 255);
    EXPECT_DOUBLE_EQ(brain().windowOpacity(), 1.0);
}

TEST_F(FlipFadeTest, ScriptsTurnToTheAddPageAndBack)
{
    brain().hide();
    const bool open = brain().brainOpen;
    brain().cancelflipp();
    EXPECT_FALSE(brain().flippflopp()->isEnabled()) << "the add page is not up";

    brain().addflipp();
    EXPECT_TRUE(brain().isVisible());
    EXPECT_EQ(brain().brainOpen, open);
    EXPECT_EQ(brain().Commandtype, "Speak");
    runFlip();
    EXPECT_TRUE(control("addform")->isVisible());
    brain().flipp = 19;
    brain().addflipp();
    EXPECT_FALSE(brain().flippflopp()->isEnabled()) << "already there";

    m_app.write("data/back.txt", "QL.cancelflipp\r\n");
    m_program->scriptHost().runScript(QStringLiteral("back.txt"));
    EXPECT_TRUE(brain().flippflopp()->isEnabled());
    runFlip();
    EXPECT_FALSE(control("addform")->isVisible());
    EXPECT_EQ(brain().flipp, 1);

    m_app.write("data/both.txt", "QL.addflipp\r\nQL.cancelflipp\r\n");
    m_program->scriptHost().runScript(QStringLiteral("both.txt"));
    // The page is not up until the turn ends, so the cancel finds nothing to turn back.
    runFlip();
    EXPECT_TRUE(control("addform")->isVisible());
}

} // namespace

namespace {

QPixmap stripOf(QWidget *flippi)
{
    auto *box = qobject_cast<PictureBox *>(flippi);
    return box ? box->picture() : QPixmap();
}

} // namespace

// The strip is the editor's largest picture; a closed editor holds none of it.
TEST_F(FlipFadeTest, TheFlipStripIsHeldOnlyWhileTheEditorIsOpenOrTurning)
{
    QWidget *flippi = control("flippi");
    ASSERT_FALSE(brain().isVisible());
    EXPECT_TRUE(stripOf(flippi).isNull());
    EXPECT_EQ(flippi->size(), QSize(4873, 287)) << "sized for the strip all the same";

    brain().brainOpen = true;
    brain().show();
    ASSERT_FALSE(stripOf(flippi).isNull());
    EXPECT_EQ(stripOf(flippi).size(), flippi->size());
    brain().hide();
    EXPECT_TRUE(stripOf(flippi).isNull());

    // A turn of the closed editor, as a script may start one, has the strip while it lasts.
    brain().addflipp();
    brain().hide();
    brain().flipTick();
    EXPECT_FALSE(stripOf(flippi).isNull());
    runFlip();
    EXPECT_TRUE(stripOf(flippi).isNull());
}
