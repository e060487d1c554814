#include "Speaker.h"
#include "BubbleWindow.h"
#include "CharacterWindow.h"
#include "FakeSynthesizer.h"
#include "MenuState.h"
#include "TickTimer.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

class SpeakerTest : public testing::Test {
protected:
    SpeakerTest()
        : m_character(m_menu)
        , m_bubble(m_character)
        , m_speaker(m_mun, m_bubble, m_character, m_menu)
    {
        QImage strip(14 * 10, 12, QImage::Format_RGB32);
        strip.fill(Qt::black);
        m_character.setCharacterPicture(strip);
        m_character.MakeTransparent();
        m_bubble.setWidthTwips(BubbleWindow::kClosedWidthTwips);
    }

    int frame() const { return qRound(m_character.shownFrame()); }
    QList<int> talk(int ticks)
    {
        QList<int> frames;
        for (int i = 0; i < ticks; ++i) {
            m_speaker.talkTick();
            frames << frame();
        }
        return frames;
    }

    MenuState m_menu;
    CharacterWindow m_character;
    BubbleWindow m_bubble;
    FakeSynthesizer m_mun;
    Speaker m_speaker;
};

TEST_F(SpeakerTest, SpeakoutStopsThenShowsThenSpeaks)
{
    m_speaker.speakout("Hello", "Hi there");
    EXPECT_EQ(m_mun.calls(), QStringList({"stop", "speak Hello"}));
    EXPECT_EQ(m_bubble.text(), "Hi there");

    m_mun.clearCalls();
    m_speaker.sayWithoutStopping("I hear you ");
    EXPECT_EQ(m_mun.calls(), QStringList({"speak I hear you "}));
    EXPECT_EQ(m_bubble.text(), "I hear you ");
}

TEST_F(SpeakerTest, MouthCyclesWhileSpeakingAndFaceRestsAfter)
{
    m_mun.startSpeaking();
    EXPECT_TRUE(m_speaker.talktimer()->isEnabled());
    EXPECT_FALSE(m_character.wink()->isEnabled());
    EXPECT_FALSE(m_character.animate()->isEnabled());
    EXPECT_EQ(m_bubble.widthTwips(), BubbleWindow::kOpenWidthTwips);
    // The frame on show does not change until the first talk tick.
    EXPECT_EQ(frame(), 0);
    EXPECT_EQ(talk(11), QList<int>({11, 12, 13, 12, 11, 11, 12, 13, 12, 11, 11}));

    m_mun.finishSpeaking();
    EXPECT_EQ(frame(), 0);
    EXPECT_FALSE(m_speaker.talktimer()->isEnabled());
    EXPECT_TRUE(m_character.wink()->isEnabled());
    EXPECT_TRUE(m_character.animate()->isEnabled());
    EXPECT_EQ(m_bubble.widthTwips(), BubbleWindow::kClosedWidthTwips);
}

TEST_F(SpeakerTest, NewUtteranceRestartsTheMouthCycle)
{
    m_mun.startSpeaking();
    talk(3);
    m_mun.startSpeaking();
    EXPECT_EQ(talk(2), QList<int>({11, 12}));
    m_mun.finishSpeaking();
    m_mun.startSpeaking();
    EXPECT_EQ(talk(1), QList<int>({11}));
}

TEST_F(SpeakerTest, BubbleOptionOffKeepsBubbleClosedButTextChanges)
{
    m_menu.setChecked(MenuState::Bubble, false);
    m_speaker.speakout("Quiet words");
    m_mun.startSpeaking();
    EXPECT_EQ(m_bubble.widthTwips(), BubbleWindow::kClosedWidthTwips);
    EXPECT_EQ(talk(1), QList<int>({11}));
    EXPECT_EQ(m_bubble.text(), "Quiet words");
    // Switching the option off while the bubble is open hides it only at the end of speech.
    m_menu.setChecked(MenuState::Bubble, true);
    m_mun.startSpeaking();
    m_menu.setChecked(MenuState::Bubble, false);
    EXPECT_EQ(m_bubble.widthTwips(), BubbleWindow::kOpenWidthTwips);
    m_mun.finishSpeaking();
    EXPECT_EQ(m_bubble.widthTwips(), BubbleWindow::kClosedWidthTwips);
}

TEST_F(SpeakerTest, SpeechWhileSleepingEndsOnTheFallingAsleepGesture)
{
    m_character.sleeping = -1;
    m_character.idlecount = 120;
    m_menu.setEnabled(MenuState::Sleep, false);
    m_mun.startSpeaking();
    talk(2);
    m_mun.finishSpeaking();
    EXPECT_EQ(frame(), 0);
    EXPECT_EQ(m_character.idlecount, 499);
    EXPECT_TRUE(m_character.animate()->isEnabled());
    EXPECT_FALSE(m_character.wink()->isEnabled());
    // Still asleep: the Sleep item waits for the end of the gesture.
    EXPECT_FALSE(m_menu.isEnabled(MenuState::Sleep));
}

TEST_F(SpeakerTest, SleepItemEnabledAgainAtEndOfSpeechWhenAwake)
{
    m_menu.setEnabled(MenuState::Sleep, false);
    m_character.idlecount = 211;
    m_mun.startSpeaking();
    m_mun.finishSpeaking();
    EXPECT_TRUE(m_menu.isEnabled(MenuState::Sleep));
    // The idle schedule carries on from where it stood.
    EXPECT_EQ(m_character.idlecount, 211);
}

} // namespace
