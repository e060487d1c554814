#include "AboutWindow.h"
#include "BubbleWindow.h"
#include "CharacterWindow.h"
#include "FakeServices.h"
#include "FakeTrayIcon.h"
#include "MenuState.h"
#include "Program.h"
#include "RecordingDialogs.h"
#include "TempAppFolder.h"
#include "TickTimer.h"
#include "TrayPictures.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kAnimated = QStringLiteral("Animated TrayIcon");

// The pictures the icon was given by change(), in order.
QStringList changedPictures(const FakeTrayIcon &tray)
{
    QStringList pictures;
    for (const QString &call : tray.calls()) {
        if (call.startsWith("change "))
            pictures.append(call.section(' ', 1, 1));
    }
    return pictures;
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

class AboutWindowTest : public testing::Test {
protected:
    AboutWindowTest()
    {
        m_about.setNotice([this](const QString &text) { m_notices.append(text); });
        m_bubble.setWindowTitle("bubble");
        m_other.setWindowTitle("other");
        m_bubble.show();
        m_other.show();
    }

    void tick(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            m_about.earTick();
    }

    // Puts another window in front, so that a focus move to the bubble can be seen.
    void activateOther()
    {
        m_other.activateWindow();
        settle();
        ASSERT_EQ(QApplication::activeWindow(), &m_other);
    }

    MenuState m_menu;
    FakeTrayIcon m_tray;
    bool m_listening = false;
    QWidget m_bubble;
    QWidget m_other;
    AboutWindow m_about{m_menu, m_tray, [this] { return m_listening; }, &m_bubble};
    QStringList m_notices;
};

TEST_F(AboutWindowTest, LoadsShowingTheHeadWithTipQuilletAndTheMenu)
{
    EXPECT_EQ(m_about.objectName(), "about");
    EXPECT_EQ(m_about.earsingel, 1);
    EXPECT_EQ(m_about.ear()->interval(), 150);
    EXPECT_TRUE(m_about.ear()->isEnabled());
    EXPECT_TRUE(m_about.addTrayIcon());
    EXPECT_EQ(m_tray.calls(), QStringList({"add normalico Quillet"}));
    EXPECT_EQ(m_tray.menu(), m_menu.menue());
    EXPECT_TRUE(m_notices.isEmpty());
}

TEST_F(AboutWindowTest, EveryTickAfterLoadHasTheAnimatedTip)
{
    m_about.addTrayIcon();
    emit m_about.ear()->tick();
    EXPECT_EQ(m_tray.calls().last(), "change normalico " + kAnimated);
    m_listening = true;
    emit m_about.ear()->tick();
    EXPECT_EQ(m_tray.calls().last(), "change l1 " + kAnimated);
}

TEST_F(AboutWindowTest, EarTurnsOneTwoThreeAndGoesOnWhereItStoppedAcrossListeningPeriods)
{
    m_about.addTrayIcon();
    m_listening = true;
    tick(2);
    EXPECT_EQ(m_about.earsingel, 3);
    m_listening = false;
    tick(2);
    // Not listening neither moves the ear on nor starts it over.
    EXPECT_EQ(m_about.earsingel, 3);
    m_listening = true;
    tick(3);
    EXPECT_EQ(changedPictures(m_tray),
              QStringList({"l1", "l2", "normalico", "normalico", "l3", "l1", "l2"}));
    EXPECT_EQ(m_about.earsingel, 3);
}

TEST_F(AboutWindowTest, HeadComesBackOnTheFirstTickAfterListeningStops)
{
    m_about.addTrayIcon();
    m_listening = true;
    tick();
    EXPECT_EQ(m_tray.picture(), "l1");
    m_listening = false;
    tick();
    EXPECT_EQ(m_tray.picture(), "normalico");
    EXPECT_EQ(m_tray.tip(), kAnimated);
}

TEST_F(AboutWindowTest, HeadComesBackAtOnceWhenListenIsSwitchedOff)
{
    m_about.addTrayIcon();
    m_menu.setChecked(MenuState::Listen, true);
    m_listening = true;
    tick(2);
    EXPECT_EQ(m_tray.picture(), "l2");
    m_menu.setChecked(MenuState::Listen, false);
    EXPECT_EQ(m_tray.picture(), "normalico") << "before any tick";
    EXPECT_EQ(m_tray.tip(), kAnimated);
}

TEST_F(AboutWindowTest, TicksBeforeTheIconIsAddedDecideWhatItShowsWhenAdded)
{
    m_listening = true;
    tick();
    EXPECT_TRUE(m_tray.calls().isEmpty());
    m_about.addTrayIcon();
    EXPECT_EQ(m_tray.calls(), QStringList({"add l1 " + kAnimated}));
}

TEST_F(AboutWindowTest, RemovedIconIsNotChangedAgain)
{
    m_about.addTrayIcon();
    m_about.removeTrayIcon();
    EXPECT_FALSE(m_tray.isShown());
    m_listening = true;
    tick();
    EXPECT_EQ(m_tray.calls(), QStringList({"add normalico Quillet", "remove"}));
}

TEST_F(AboutWindowTest, NoTrayIsToldOnceAndTheIconWaitsForOne)
{
    m_tray.setAvailable(false);
    EXPECT_FALSE(m_about.addTrayIcon());
    EXPECT_FALSE(m_about.addTrayIcon());
    ASSERT_EQ(m_notices.size(), 1);
    EXPECT_EQ(m_notices.first(), AboutWindow::noTrayMessage());
    EXPECT_TRUE(m_notices.first().startsWith("Quillet: "));
    EXPECT_TRUE(m_notices.first().contains("right-click the character"));
    EXPECT_TRUE(m_tray.isShown());
}

TEST_F(AboutWindowTest, ClickOnTheIconGivesTheBubbleTheKeyboard)
{
    activateOther();
    m_tray.click();
    settle();
    EXPECT_EQ(QApplication::activeWindow(), &m_bubble);
}

TEST_F(AboutWindowTest, TrayMenuGivesTheBubbleTheKeyboardWhenItCloses)
{
    activateOther();
    // A docked icon opens the menu itself and then reports the right click.
    m_menu.menue()->popup(QPoint(40, 40));
    m_tray.click();
    settle();
    EXPECT_NE(QApplication::activeWindow(), &m_bubble);
    m_menu.menue()->hide();
    settle();
    EXPECT_EQ(QApplication::activeWindow(), &m_bubble);
}

TEST_F(AboutWindowTest, CharacterMenuLeavesTheKeyboardWhereItIs)
{
    activateOther();
    m_about.popupMenu(QPoint(40, 40));
    settle();
    ASSERT_TRUE(m_menu.menue()->isVisible());
    m_menu.menue()->hide();
    settle();
    EXPECT_EQ(QApplication::activeWindow(), &m_other);

    // The next menu, from the tray, hands the keyboard over again.
    m_menu.menue()->popup(QPoint(40, 40));
    m_tray.click();
    m_menu.menue()->hide();
    settle();
    EXPECT_EQ(QApplication::activeWindow(), &m_bubble);
}

// The pictures compiled in: each drawn at every size a panel asks for, and each different.
TEST(TrayPicturesTest, EveryPictureHasEverySizeDrawnAndTheyDiffer)
{
    QList<QImage> at16;
    for (const QString &name : TrayPictures::names()) {
        const QIcon icon = TrayPictures::icon(name);
        ASSERT_FALSE(icon.isNull()) << name.toStdString();
        QList<QSize> sizes;
        for (int size : TrayPictures::sizes())
            sizes.append(QSize(size, size));
        EXPECT_EQ(icon.availableSizes(), sizes) << name.toStdString();
        for (int size : TrayPictures::sizes()) {
            const QImage image(QStringLiteral(":/icons/%1-%2.png").arg(name).arg(size));
            ASSERT_EQ(image.size(), QSize(size, size)) << name.toStdString() << " " << size;
            // Mostly see-through round the edge, and enough of it drawn to be seen.
            int opaque = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    opaque += qAlpha(image.pixel(x, y)) > 200;
            EXPECT_GT(opaque, size * size / 3) << name.toStdString() << " " << size;
            EXPECT_LT(opaque, size * size * 9 / 10) << name.toStdString() << " " << size;
        }
        at16.append(QImage(QStringLiteral(":/icons/%1-16.png").arg(name)));
    }
    for (int i = 0; i < at16.size(); ++i)
        for (int j = i + 1; j < at16.size(); ++j)
            EXPECT_NE(at16[i], at16[j]) << i << " " << j;
    EXPECT_TRUE(TrayPictures::icon("l4").isNull());
}

TEST(TrayPicturesTest, ApplicationIconIsLaidIntoTheApplicationFolder)
{
    for (int size : {48, 128, 256}) {
        const QImage image(QStringLiteral(QUILLET_APP_DIR "/icons/quillet-%1.png").arg(size));
        EXPECT_EQ(image.size(), QSize(size, size)) << size;
    }
}

// The program's own tray icon: it follows the character's listening, hands the keyboard to
// the speech bubble and goes on Quit.
class ProgramTrayTest : public testing::Test {
protected:
    ProgramTrayTest()
    {
        m_app.write("data/brainlist",
                    "Pebble listen\r\nSpeak\r\nI hear you\r\nnever mind\r\nSpeak\r\nWhat ever\r\n"
                    "stop speak\r\nSpeak\r\nOk\r\ngo to sleep\r\nSpeak\r\nI hope I am sleepy\r\n");
        m_program = std::make_unique<Program>(m_app.paths(), m_fakes.make(), m_dialogs);
        m_program->setExit([this] { ++m_exits; });
        EXPECT_TRUE(m_program->start());
    }

    TempAppFolder m_app;
    FakeServices m_fakes;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Program> m_program;
    int m_exits = 0;
};

TEST_F(ProgramTrayTest, IconFollowsTheCharactersListening)
{
    EXPECT_EQ(m_fakes.tray->calls(), QStringList({"add normalico Quillet"}));
    EXPECT_EQ(m_fakes.tray->menu(), m_program->menu().menue());
    AboutWindow &about = m_program->about();
    m_program->character().listen = -1;
    about.earTick();
    EXPECT_EQ(m_fakes.tray->picture(), "l1");
    m_program->character().listen = 0;
    about.earTick();
    EXPECT_EQ(m_fakes.tray->picture(), "normalico");
}

TEST_F(ProgramTrayTest, ClickGivesTheBubbleTheKeyboardAndTheCharactersMenuDoesNot)
{
    QWidget other;
    other.show();
    other.activateWindow();
    settle();
    ASSERT_EQ(QApplication::activeWindow(), &other);

    emit m_program->character().menuRequested(QPoint(30, 30));
    settle();
    QMenu *menu = m_program->menu().menue();
    ASSERT_TRUE(menu->isVisible());
    menu->hide();
    settle();
    EXPECT_EQ(QApplication::activeWindow(), &other);

    m_fakes.tray->click();
    settle();
    EXPECT_EQ(QApplication::activeWindow(), &m_program->bubble());
}

TEST_F(ProgramTrayTest, QuitRemovesTheIcon)
{
    m_program->menu().action(MenuState::Quit)->trigger();
    EXPECT_EQ(m_exits, 1);
    EXPECT_EQ(m_fakes.tray->calls().last(), "remove");
    EXPECT_FALSE(m_fakes.tray->isShown());
}

} // namespace
