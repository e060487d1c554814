#include "BrainWindow.h"
#include "CharacterWindow.h"
#include "CommandList.h"
#include "FakeServices.h"
#include "MenuState.h"
#include "Program.h"
#include "RecordingDialogs.h"
#include "TempAppFolder.h"

#include <QAction>

#include "TickTimer.h"

#include <gtest/gtest.h>

namespace {

class MenuCommandsTest : public testing::Test {
protected:
    MenuCommandsTest()
    {
        m_app.write("data/brainlist",
                    "Pebble listen\r\nSpeak\r\nI hear you\r\nnever mind\r\nSpeak\r\nWhat ever\r\n"
                    "stop speak\r\nSpeak\r\nOk\r\ngo to sleep\r\nSpeak\r\nI hope I am sleepy\r\n");
        m_program = std::make_unique<Program>(m_app.paths(), m_fakes.make(), m_dialogs);
        EXPECT_TRUE(m_program->start());
    }

    // Chooses the item as the user would, and returns what was said.
    QStringList choose(MenuState::Item item)
    {
        m_fakes.mun->clearCalls();
        m_fakes.reco->clearCalls();
        menu().action(item)->trigger();
        return m_fakes.mun->spoken();
    }
    MenuState &menu() { return m_program->menu(); }
    CharacterWindow &character() { return m_program->character(); }
    QByteArray storedArgument(int entry)
    {
        return m_app.read("data/brainlist").split('\n').value(entry * 3 + 2).chopped(1);
    }

    TempAppFolder m_app;
    FakeServices m_fakes;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Program> m_program;
};

TEST_F(MenuCommandsTest, ListenSwitchesListeningAndSays)
{
    EXPECT_EQ(choose(MenuState::Listen), QStringList({"I hear you"}));
    EXPECT_TRUE(menu().isChecked(MenuState::Listen));
    EXPECT_EQ(character().listen, -1);
    EXPECT_EQ(choose(MenuState::Listen), QStringList({"What ever"}));
    EXPECT_FALSE(menu().isChecked(MenuState::Listen));
    EXPECT_EQ(character().listen, 0);
}

TEST_F(MenuCommandsTest, AutoListenStoresTheOptionAndListenThenDoesNothing)
{
    EXPECT_EQ(choose(MenuState::AutoListen), QStringList({"I hear you"}));
    EXPECT_TRUE(menu().isChecked(MenuState::AutoListen));
    EXPECT_FALSE(menu().isEnabled(MenuState::Listen));
    EXPECT_EQ(storedArgument(0), "I hear you ");
    EXPECT_EQ(character().listen, -1);

    // Listen is disabled, but a direct call must still do nothing.
    m_program->menu().setEnabled(MenuState::Listen, true);
    EXPECT_TRUE(choose(MenuState::Listen).isEmpty());
    EXPECT_TRUE(menu().isChecked(MenuState::Listen));

    EXPECT_TRUE(choose(MenuState::AutoListen).isEmpty());
    EXPECT_FALSE(menu().isChecked(MenuState::AutoListen));
    EXPECT_TRUE(menu().isEnabled(MenuState::Listen));
    EXPECT_TRUE(menu().isChecked(MenuState::Listen));
    EXPECT_EQ(character().listen, -1);
    EXPECT_EQ(storedArgument(0), "I hear you");
}

TEST_F(MenuCommandsTest, BubbleAndSemitransparentAreStored)
{
    choose(MenuState::Bubble);
    EXPECT_FALSE(menu().isChecked(MenuState::Bubble));
    EXPECT_EQ(storedArgument(1), "What ever ");
    choose(MenuState::Bubble);
    EXPECT_TRUE(menu().isChecked(MenuState::Bubble));
    EXPECT_EQ(storedArgument(1), "What ever");

    choose(MenuState::Semitransparent);
    EXPECT_TRUE(menu().isChecked(MenuState::Semitransparent));
    EXPECT_EQ(character().trans, 150);
    EXPECT_NEAR(character().windowOpacity(), 150 / 255.0, 0.01);
    EXPECT_EQ(storedArgument(2), "Ok ");
    choose(MenuState::Semitransparent);
    EXPECT_EQ(character().trans, 255);
    EXPECT_EQ(storedArgument(2), "Ok");
}

TEST_F(MenuCommandsTest, SleepAndWakeUp)
{
    choose(MenuState::AutoListen);
    EXPECT_EQ(choose(MenuState::Sleep), QStringList({"I hope I am sleepy"}));
    EXPECT_EQ(m_fakes.reco->calls(), QStringList({"deactivate"}));
    EXPECT_EQ(character().sleeping, -1);
    EXPECT_EQ(character().listen, 0);
    EXPECT_TRUE(menu().isChecked(MenuState::Sleep));
    EXPECT_FALSE(menu().isEnabled(MenuState::Sleep));
    EXPECT_FALSE(menu().isChecked(MenuState::AutoListen));
    EXPECT_FALSE(menu().isEnabled(MenuState::Listen));

    // The item is usable again once the gesture has played; waking comes back not listening.
    menu().setEnabled(MenuState::Sleep, true);
    EXPECT_EQ(choose(MenuState::Sleep), QStringList({"Hello again"}));
    EXPECT_EQ(m_fakes.reco->calls(), QStringList({"activate"}));
    EXPECT_EQ(character().sleeping, 0);
    EXPECT_FALSE(menu().isChecked(MenuState::Sleep));
    EXPECT_FALSE(menu().isChecked(MenuState::AutoListen));
    EXPECT_TRUE(menu().isEnabled(MenuState::AutoListen));
    EXPECT_EQ(character().listen, 0);
    // The stored option is untouched and comes back at the next start.
    EXPECT_EQ(storedArgument(0), "I hear you ");
}

// Runs the editor's fade to its end, as its timer would.
void runFade(BrainWindow &brain)
{
    for (int tick = 0; tick < 600 && brain.fadeinout()->isEnabled(); ++tick)
        brain.fadeTick();
}

TEST_F(MenuCommandsTest, EditBrainAndCharactersOpenTheirPages)
{
    BrainWindow &brain = m_program->brain();
    choose(MenuState::Characters);
    EXPECT_TRUE(brain.isVisible());
    EXPECT_TRUE(brain.characterPageShown());
    EXPECT_FALSE(brain.brainOpen) << "only the character page is open";

    brain.trans = 90;
    choose(MenuState::EditBrain);
    EXPECT_TRUE(brain.brainOpen);
    EXPECT_FALSE(brain.characterPageShown());
    EXPECT_EQ(brain.trans, 255) << "opaque at once";

    // Characters over the open editor keeps it open beneath.
    choose(MenuState::Characters);
    EXPECT_TRUE(brain.characterPageShown());
    EXPECT_TRUE(brain.brainOpen);
    choose(MenuState::EditBrain);
    EXPECT_FALSE(brain.characterPageShown());
    EXPECT_TRUE(brain.isVisible());
}

TEST_F(MenuCommandsTest, AboutFadesItsPictureInAndOutOfAHiddenWindow)
{
    BrainWindow &brain = m_program->brain();
    choose(MenuState::About);
    EXPECT_FALSE(menu().isEnabled(MenuState::About));
    EXPECT_FALSE(menu().isEnabled(MenuState::EditBrain));
    EXPECT_TRUE(brain.isVisible());
    EXPECT_EQ(brain.trans, 0);
    runFade(brain);
    EXPECT_TRUE(brain.aboutPicture()->isVisible());
    EXPECT_EQ(brain.trans, 255);
    EXPECT_TRUE(menu().isEnabled(MenuState::About));

    choose(MenuState::About);
    EXPECT_EQ(brain.trans, 254);
    runFade(brain);
    EXPECT_FALSE(brain.isVisible());
    EXPECT_FALSE(brain.aboutPicture()->isVisible());
    EXPECT_FALSE(brain.brainOpen);
    EXPECT_TRUE(menu().isEnabled(MenuState::EditBrain));
}

TEST_F(MenuCommandsTest, AboutOverTheEditorAndEditBrainBackToIt)
{
    BrainWindow &brain = m_program->brain();
    choose(MenuState::EditBrain);
    choose(MenuState::About);
    runFade(brain);
    EXPECT_TRUE(brain.aboutPicture()->isVisible());
    choose(MenuState::EditBrain);
    EXPECT_TRUE(brain.fadeinout()->isEnabled());
    runFade(brain);
    EXPECT_FALSE(brain.aboutPicture()->isVisible());
    EXPECT_TRUE(brain.isVisible());
    EXPECT_EQ(brain.trans, 255);
}

TEST_F(MenuCommandsTest, EditBrainWhileOnlyTheAboutPictureIsUpOpensTheEditor)
{
    BrainWindow &brain = m_program->brain();
    choose(MenuState::About);
    runFade(brain);
    choose(MenuState::EditBrain);
    EXPECT_TRUE(brain.brainOpen);
    runFade(brain);
    EXPECT_TRUE(brain.isVisible());
    EXPECT_FALSE(brain.aboutPicture()->isVisible());
    EXPECT_EQ(brain.trans, 255);
}

} // namespace
