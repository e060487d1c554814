// The character chooser: where its thumbnails go, and what a double-click on one changes.
#include "CharacterChooser.h"
#include "BrainWindow.h"
#include "CharacterWindow.h"
#include "CommandList.h"
#include "FakeServices.h"
#include "MenuState.h"
#include "Program.h"
#include "RecordingDialogs.h"
#include "TempAppFolder.h"
#include "TickTimer.h"

#include <QDir>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CharacterChooserTest : public testing::Test {
protected:
    CharacterChooserTest() { m_app.writeCommandList(); }

    // Leaves exactly these character files, copies of the shipped ones.
    void keepFiles(const QStringList &names)
    {
        QDir folder(m_app.path() + "/Character");
        const QStringList shipped = folder.entryList({"*.qlc"});
        for (int i = 0; i < names.size(); ++i)
            QFile::copy(folder.filePath(shipped[i % shipped.size()]),
                        folder.filePath(names[i] + ".new"));
        for (const QString &file : shipped)
            folder.remove(file);
        for (const QString &name : names)
            folder.rename(name + ".new", name);
    }
    void start()
    {
        m_program = std::make_unique<Program>(m_app.paths(), m_fakes.make(), m_dialogs);
        ASSERT_TRUE(m_program->start());
    }
    CharacterChooser &chooser() { return *m_program->brain().characterlist(); }
    CharacterWindow &character() { return m_program->character(); }
    MenuState &menu() { return m_program->menu(); }
    QPoint cell(int index) const
    {
        const CharacterChooser::Guy &guy = m_program->brain().characterlist()->guys()[index];
        return {guy.leftTwips, guy.topTwips};
    }
    void doubleClick(int index)
    {
        QLabel *thumbnail = chooser().thumbnail(index);
        QTest::mouseDClick(thumbnail, Qt::LeftButton, {}, QPoint(10, 10));
    }
    void runCharacterFade()
    {
        for (int tick = 0; tick < 200 && character().fadeinout()->isEnabled(); ++tick)
            character().fadeTick();
    }
    QByteArray grammar() { return m_app.read("data/Temp"); }

    TempAppFolder m_app;
    FakeServices m_fakes;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Program> m_program;
};

TEST_F(CharacterChooserTest, FourToARowAfterTheNoCharacterChoice)
{
    keepFiles({"Pebble.qlc"});
    start();
    ASSERT_EQ(chooser().guys().size(), 2);
    EXPECT_EQ(cell(0), QPoint(120, 0));
    EXPECT_EQ(cell(1), QPoint(905, 0));
    EXPECT_EQ(chooser().heightTwips(), 855);
    EXPECT_EQ(chooser().hiderTwips(), QRect(1640, 0, 2895, 855));
    EXPECT_EQ(chooser().thumbnail(1)->toolTip(), "Pebble.qlc");
    // The whole strip, stretched so that frame 0 fills the cell.
    EXPECT_EQ(chooser().thumbnail(1)->size(), QSize(686, 57));
    EXPECT_EQ(chooser().thumbnail(1)->pixmap().width(), 14 * 112);
}

TEST_F(CharacterChooserTest, TheFourthAndFifthFilesStartTheSecondRow)
{
    keepFiles({"A.qlc", "B.qlc", "C.qlc", "D.qlc", "Pebble.qlc"});
    start();
    ASSERT_EQ(chooser().guys().size(), 6);
    EXPECT_EQ(cell(3), QPoint(2475, 0));
    EXPECT_EQ(cell(4), QPoint(120, 905));
    EXPECT_EQ(cell(5), QPoint(905, 905));
    EXPECT_EQ(chooser().heightTwips(), 1760);
    EXPECT_EQ(chooser().hiderTwips().topLeft(), QPoint(1640, 905));
    // Each thumbnail lies over the one before, which hides all but its first frame.
    const QObjectList children = chooser().children();
    EXPECT_LT(children.indexOf(chooser().thumbnail(1)), children.indexOf(chooser().thumbnail(2)));
    EXPECT_EQ(chooser().findChild<QWidget *>("hider")->geometry(), QRect(109, 60, 193, 57));
}

TEST_F(CharacterChooserTest, ChoosingMakesTheNameTheWakePhraseNowAndAfterARestart)
{
    keepFiles({"Clover.v2.qlc", "Pebble.qlc"});
    start();
    m_program->brain().brainOpen = true;
    m_program->brain().show();
    m_program->brain().showCharacterPage();
    doubleClick(1);
    EXPECT_EQ(character().nameoftheguy, "Clover");
    EXPECT_EQ(m_program->commands().phrase(0), "Clover listen");
    EXPECT_EQ(m_program->commands().shownPhrase(0), "Clover listen");
    EXPECT_TRUE(grammar().contains("<start>=Clover listen\r\n"));
    EXPECT_FALSE(grammar().contains("Pebble listen"));
    EXPECT_TRUE(character().fadeinout()->isEnabled());
    EXPECT_FALSE(menu().isEnabled(MenuState::Semitransparent));
    EXPECT_EQ(character().trans, 250);

    const QImage chosen = chooser().guys()[1].picture;
    runCharacterFade();
    EXPECT_EQ(character().picture(), chosen);
    EXPECT_EQ(character().trans, 255);
    EXPECT_TRUE(menu().isEnabled(MenuState::Semitransparent));

    // The old name no longer wakes it; the new one does.
    EXPECT_FALSE(m_fakes.reco->hear("Pebble listen") && character().listen == -1);
    m_program.reset();
    start();
    EXPECT_EQ(character().nameoftheguy, "Clover");
}

TEST_F(CharacterChooserTest, AChoiceDuringAFadeStartsItsFadeOutAgain)
{
    start();
    character().trans = 100;
    character().a = 1;
    character().fadeinout()->setEnabled(true);
    doubleClick(2);
    EXPECT_EQ(character().a, 0);
    EXPECT_EQ(character().trans, 250);
    character().fadeTick();
    EXPECT_EQ(character().trans, 245);
}

TEST_F(CharacterChooserTest, TheNoCharacterChoiceHidesItAndARestartKeepsItHidden)
{
    start();
    character().show();
    doubleClick(0);
    EXPECT_FALSE(character().isVisible());
    EXPECT_FALSE(menu().isChecked(MenuState::Bubble));
    EXPECT_FALSE(menu().isEnabled(MenuState::Bubble));
    EXPECT_TRUE(m_app.read("data/brainlist").contains("\r\nI hope I am sleepy \r\n"));

    m_program.reset();
    start();
    EXPECT_FALSE(character().isVisible());
    EXPECT_EQ(character().nameoftheguy, "Pebble");
    EXPECT_FALSE(menu().isEnabled(MenuState::Bubble));

    // A character chosen while hidden fades in from nothing and is stored as shown.
    doubleClick(1);
    EXPECT_EQ(character().trans, 5);
    EXPECT_TRUE(menu().isEnabled(MenuState::Bubble));
    runCharacterFade();
    EXPECT_TRUE(character().isVisible());
    EXPECT_TRUE(m_app.read("data/brainlist").contains("\r\nI hope I am sleepy\r\n"));
}

} // namespace
