#include "Dispatcher.h"
#include "BubbleWindow.h"
#include "CharacterWindow.h"
#include "CommandList.h"
#include "FakeCommandActions.h"
#include "FakeRecognizer.h"
#include "FakeSynthesizer.h"
#include "MenuState.h"
#include "Speaker.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

class DispatcherTest : public testing::Test {
protected:
    DispatcherTest()
        : m_character(m_menu)
        , m_bubble(m_character)
        , m_speaker(m_mun, m_bubble, m_character, m_menu)
        , m_dispatcher(m_list, m_menu, m_character, m_bubble, m_reco, m_mun, m_speaker, m_actions)
    {
        m_list.append({"Pebble listen", "Speak", "I hear you"});
        m_list.append({"never mind", "Speak", "What ever"});
        m_list.append({"stop speak", "Speak", "Ok"});
        m_list.append({"go to sleep", "Speak", "I hope I am sleepy"});
        m_list.append({"say hello", "Speak", "Hello there"});
        m_list.append({"press enter", "Type", "~"});
        m_list.append({"open notes", "Open", "/home/me/notes.txt"});
        m_list.append({"what time is it", "Read", "the time"});
        m_list.append({"what day is it", "Read", "the date"});
        m_list.append({"read this", "Read", "the selected text"});
        m_list.append({"read nothing", "Read", "the weather"});
        m_list.append({"tell a joke", "Script", "tell a joke.txt"});
        m_list.append({"show notes", "Plugin", "/app/Plugins/notes"});
        m_list.append({"dance", "Dance", "wildly"});
        m_dispatcher.setClock([] { return QDateTime(QDate(2026, 5, 7), QTime(9, 5)); });
        m_reco.activate();
        m_reco.clearCalls();
    }

    // Hears a phrase and returns what the synthesizer was asked, then forgets the calls.
    QStringList hear(const QString &phrase)
    {
        m_mun.clearCalls();
        m_reco.clearCalls();
        m_actions.calls.clear();
        m_dispatcher.phraseFinished(phrase);
        return m_mun.calls();
    }
    bool restarted() const { return m_reco.calls() == QStringList({"deactivate", "activate"}); }
    bool listening() const
    {
        return m_character.listen == -1 && m_menu.isChecked(MenuState::Listen);
    }
    void wake()
    {
        hear("Pebble listen");
        ASSERT_TRUE(listening());
    }

    CommandList m_list;
    MenuState m_menu;
    CharacterWindow m_character;
    BubbleWindow m_bubble;
    FakeRecognizer m_reco;
    FakeSynthesizer m_mun;
    FakeCommandActions m_actions;
    Speaker m_speaker;
    Dispatcher m_dispatcher;
};

// Awake and not listening.

TEST_F(DispatcherTest, WakePhraseRepliesWithoutStoppingAndStartsListening)
{
    EXPECT_EQ(hear("PEBBLE LISTEN"), QStringList({"speak I hear you"}));
    EXPECT_EQ(m_bubble.text(), "I hear you");
    EXPECT_TRUE(listening());
    EXPECT_TRUE(m_reco.calls().isEmpty());
}

TEST_F(DispatcherTest, WakeReplyKeepsTheStoredTrailingSpace)
{
    m_list.setArgument(0, "I hear you ");
    EXPECT_EQ(hear("Pebble listen"), QStringList({"speak I hear you "}));
    EXPECT_EQ(m_bubble.text(), "I hear you ");
}

TEST_F(DispatcherTest, CommandsAreIgnoredUntilWoken)
{
    EXPECT_TRUE(hear("say hello").isEmpty());
    EXPECT_TRUE(restarted());
    EXPECT_TRUE(hear("go to sleep").isEmpty());
    EXPECT_TRUE(restarted());
    EXPECT_EQ(m_character.sleeping, 0);
    EXPECT_FALSE(m_menu.isChecked(MenuState::Sleep));
    EXPECT_TRUE(m_actions.calls.isEmpty());
}

TEST_F(DispatcherTest, EmptyPhraseDoesNothingAtAll)
{
    EXPECT_TRUE(hear("   ").isEmpty());
    EXPECT_TRUE(hear("").isEmpty());
    EXPECT_TRUE(m_reco.calls().isEmpty());
    EXPECT_EQ(m_list.selectedIndex(CommandList::Brainlist), -1);
}

TEST_F(DispatcherTest, StopSpeakAnswersOkInEveryStateWithoutRestart)
{
    EXPECT_EQ(hear("stop speak"), QStringList({"stop", "speak Ok"}));
    EXPECT_EQ(m_bubble.text(), "Ok");
    EXPECT_TRUE(m_reco.calls().isEmpty());

    wake();
    EXPECT_EQ(hear("stop speak"), QStringList({"stop", "speak Ok"}));
    EXPECT_TRUE(listening());

    m_menu.setChecked(MenuState::AutoListen, true);
    EXPECT_EQ(hear("stop speak"), QStringList({"stop", "speak Ok"}));
    EXPECT_TRUE(listening());
}

TEST_F(DispatcherTest, StopSpeakMustBeWrittenExactly)
{
    wake();
    // Found in the list regardless of case, but only the exact text is the built-in phrase:
    // this one runs entry 2's Speak command instead.
    EXPECT_EQ(hear("Stop Speak"), QStringList({"stop", "speak Ok"}));
    EXPECT_TRUE(restarted());
    EXPECT_FALSE(listening());
}

// Listening, Auto listen off.

TEST_F(DispatcherTest, OneCommandPerWakePhrase)
{
    wake();
    EXPECT_EQ(hear("say hello"), QStringList({"stop", "speak Hello there"}));
    EXPECT_EQ(m_bubble.text(), "Hello there");
    EXPECT_TRUE(restarted());
    EXPECT_EQ(m_character.listen, 0);
    EXPECT_FALSE(m_menu.isChecked(MenuState::Listen));

    EXPECT_TRUE(hear("say hello").isEmpty());
    EXPECT_TRUE(restarted());
}

TEST_F(DispatcherTest, WakePhraseWhileListeningChangesNothing)
{
    wake();
    EXPECT_EQ(hear("pebble listen"), QStringList({"stop", "speak I am already listening"}));
    EXPECT_TRUE(listening());
    EXPECT_TRUE(m_reco.calls().isEmpty());
}

TEST_F(DispatcherTest, GoToSleepSleepsAndLeavesRecognizerOff)
{
    wake();
    EXPECT_EQ(hear("go to sleep"), QStringList({"stop", "speak I hope I am sleepy"}));
    EXPECT_EQ(m_bubble.text(), "I hope I am sleepy");
    EXPECT_EQ(m_reco.calls(), QStringList({"deactivate"}));
    EXPECT_EQ(m_character.listen, 0);
    EXPECT_EQ(m_character.sleeping, -1);
    EXPECT_FALSE(m_menu.isChecked(MenuState::Listen));
    EXPECT_FALSE(m_menu.isEnabled(MenuState::Listen));
    EXPECT_FALSE(m_menu.isChecked(MenuState::AutoListen));
    EXPECT_FALSE(m_menu.isEnabled(MenuState::AutoListen));
    EXPECT_TRUE(m_menu.isChecked(MenuState::Sleep));
    EXPECT_FALSE(m_menu.isEnabled(MenuState::Sleep));
}

TEST_F(DispatcherTest, EachKindIsCarriedOutWithItsReply)
{
    struct Case {
        QString phrase;
        QStringList speech;
        QStringList actions;
        QString bubble;
    };
    const QList<Case> cases = {
        {"press enter", {"stop", "speak Yes Sir"}, {"type ~"}, "Yes Sir"},
        {"open notes", {"stop", "speak Roger that"}, {"open /home/me/notes.txt"}, "Roger that"},
        {"show notes", {"stop", "speak Roger that"}, {"plugin /app/Plugins/notes"}, "Roger that"},
        {"tell a joke", {}, {"script tell a joke.txt"}, "unchanged"},
        {"what time is it", {"stop", "speak It's 9 5"}, {}, "It's 9:5"},
        {"what day is it", {"stop", "speak Today it's may 7"}, {}, "Today it's may 7"},
        {"read nothing", {"stop"}, {}, "unchanged"},
        {"dance", {}, {}, "unchanged"},
    };
    for (const Case &c : cases) {
        wake();
        m_bubble.setText("unchanged");
        EXPECT_EQ(hear(c.phrase), c.speech) << qPrintable(c.phrase);
        EXPECT_EQ(m_actions.calls, c.actions) << qPrintable(c.phrase);
        EXPECT_EQ(m_bubble.text(), c.bubble) << qPrintable(c.phrase);
        EXPECT_TRUE(restarted()) << qPrintable(c.phrase);
        EXPECT_FALSE(listening()) << qPrintable(c.phrase);
    }
    EXPECT_EQ(m_dispatcher.monthName(), "may");
}

TEST_F(DispatcherTest, ReadingTheSelection)
{
    wake();
    m_actions.selection = "some selected words";
    EXPECT_EQ(hear("read this"), QStringList({"stop", "speak some selected words"}));
    EXPECT_EQ(m_actions.calls, QStringList({"read"}));
    EXPECT_EQ(m_bubble.text(), "some selected words");

    wake();
    m_actions.selection.clear();
    EXPECT_EQ(hear("read this"), QStringList({"stop", "speak I can not read that"}));
    EXPECT_EQ(m_bubble.text(), "I can not read that");
}

TEST_F(DispatcherTest, MalformedKeysAreSkippedAndTheStepsAfterStillRun)
{
    m_list.append({"bad keys", "Type", "{BAD"});
    wake();
    EXPECT_EQ(hear("bad keys"), QStringList({"stop", "speak Yes Sir"}));
    EXPECT_EQ(m_actions.calls, QStringList({"type {BAD"}));
    EXPECT_TRUE(restarted());
    EXPECT_FALSE(listening());
}

TEST_F(DispatcherTest, KeysThatCannotReachEveryWindowAreExplainedOnceAndTypedAllTheSame)
{
    m_list.append({"note", "Type", "hello~"});
    const QString sentence = "I can type only into windows that run through XWayland here.";
    m_dispatcher.setTypingShortfall(sentence);
    wake();
    EXPECT_EQ(hear("note"), QStringList({"stop", "speak " + sentence}));
    EXPECT_EQ(m_actions.calls, QStringList({"type hello~"}));
    EXPECT_EQ(m_bubble.text(), sentence);
    wake();
    EXPECT_EQ(hear("note"), QStringList({"stop", "speak Yes Sir"}));
    EXPECT_EQ(m_actions.calls, QStringList({"type hello~"}));
}

TEST_F(DispatcherTest, UnknownPhraseEndsListeningAndRestarts)
{
    wake();
    EXPECT_TRUE(hear("something else entirely").isEmpty());
    EXPECT_TRUE(restarted());
    EXPECT_FALSE(listening());
    EXPECT_EQ(m_list.selectedIndex(CommandList::Brainlist), -1);
}

// Listening with Auto listen on.

TEST_F(DispatcherTest, AutoListenKeepsListeningAfterEachCommand)
{
    m_menu.setChecked(MenuState::AutoListen, true);
    wake();
    EXPECT_EQ(hear("say hello"), QStringList({"stop", "speak Hello there"}));
    EXPECT_TRUE(listening());
    EXPECT_EQ(hear("open notes"), QStringList({"stop", "speak Roger that"}));
    EXPECT_TRUE(listening());
    EXPECT_TRUE(restarted());
}

// Asleep: the recognizer is off, but a phrase that still arrives is not acted on.

TEST_F(DispatcherTest, AsleepOnlyTheWakePhraseAndStopSpeakAnswer)
{
    wake();
    hear("go to sleep");
    EXPECT_TRUE(hear("say hello").isEmpty());
    // Nor does it switch the recognizer back on.
    EXPECT_EQ(m_reco.calls(), QStringList({"deactivate"}));
    EXPECT_FALSE(m_reco.isActive());
    EXPECT_EQ(m_character.sleeping, -1);
}

TEST_F(DispatcherTest, FallingAsleepDuringACommandLeavesTheRecognizerOff)
{
    // What a script's message box, a spoken reply or the clipboard wait lets run meanwhile:
    // a nested "go to sleep", or the tray's Sleep, which switches the recognizer off itself.
    const QList<QPair<QString, std::function<void()>>> sleepers = {
        {"nested go to sleep", [this] { m_dispatcher.phraseFinished("go to sleep"); }},
        {"tray Sleep",
         [this] {
             m_menu.setChecked(MenuState::Sleep, true);
             m_reco.deactivate();
         }},
    };
    for (const auto &[name, sleep] : sleepers) {
        m_menu.setChecked(MenuState::Sleep, false);
        m_reco.activate();
        wake();
        m_actions.onScript = sleep;
        hear("tell a joke");
        EXPECT_FALSE(m_reco.isActive()) << qPrintable(name);
        EXPECT_FALSE(m_reco.hear("say hello")) << qPrintable(name);
    }
}

// Nesting: a phrase heard during the yield of a speaking sequence is dispatched in full
// inside the first, and the last writer of the listening state wins.

TEST_F(DispatcherTest, PhraseDuringYieldIsDispatchedNested)
{
    m_menu.setChecked(MenuState::AutoListen, true);
    wake();
    bool nested = false;
    m_mun.clearCalls();
    QTimer::singleShot(0, [&] {
        nested = true;
        m_dispatcher.phraseFinished("what time is it");
    });
    m_dispatcher.phraseFinished("say hello");
    EXPECT_TRUE(nested);
    // The outer stop, then the nested Read's stop and its speech, then the outer speech.
    EXPECT_EQ(m_mun.calls(), QStringList({"stop", "stop", "speak It's 9 5", "speak Hello there"}));
    EXPECT_EQ(m_bubble.text(), "Hello there");
}

} // namespace
