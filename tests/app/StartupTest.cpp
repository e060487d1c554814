#include "Startup.h"
#include "AboutWindow.h"
#include "BrainWindow.h"
#include "BubbleWindow.h"
#include "CharacterChooser.h"
#include "CharacterWindow.h"
#include "CommandList.h"
#include "FakeServices.h"
#include "MenuState.h"
#include "PasteBlocker.h"
#include "Program.h"
#include "RecordingDialogs.h"
#include "TempAppFolder.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

QByteArray listWith(const QString &wake, const QString &a0, const QString &a1, const QString &a2,
                    const QString &a3, const QByteArray &more = {})
{
    return (wake + "\r\nSpeak\r\n" + a0 + "\r\nnever mind\r\nSpeak\r\n" + a1 +
            "\r\nstop speak\r\nSpeak\r\n" + a2 + "\r\ngo to sleep\r\nSpeak\r\n" + a3 + "\r\n")
               .toUtf8() +
           more;
}

const QByteArray kAllOff = listWith("Pebble listen", "I hear you", "What ever", "Ok",
                                    "I hope I am sleepy", "say hi\r\nSpeak\r\nhello\r\n");

class StartupTest : public testing::Test {
protected:
    Program &program()
    {
        if (!m_program) {
            m_program = std::make_unique<Program>(m_app.paths(), m_fakes.make(), m_dialogs);
        }
        return *m_program;
    }
    bool start(const QByteArray &list)
    {
        m_app.write("data/brainlist", list);
        return program().start();
    }
    QString missing(const QString &name) const
    {
        return "Quillet|" + Startup::missingCharacterMessage(name);
    }
    // Chooses every menu item that stores an option while the failure message is up; returns
    // how often that happened.
    int chooseOptionsAtTheFailure()
    {
        int boxes = 0;
        m_dialogs.whileShown = [this, &boxes] {
            ++boxes;
            for (MenuState::Item item :
                 {MenuState::Bubble, MenuState::AutoListen, MenuState::Semitransparent})
                program().menu().action(item)->trigger();
        };
        EXPECT_FALSE(program().start());
        m_dialogs.whileShown = nullptr;
        return boxes;
    }

    TempAppFolder m_app;
    FakeServices m_fakes;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Program> m_program;
};

TEST_F(StartupTest, MessageTextIsExact)
{
    EXPECT_EQ(Startup::missingCharacterMessage("Robin"),
              "The character \"Robin\" is missing. Please try to recover it.");
}

TEST_F(StartupTest, AllOptionsOffLeavesVisibleOpaqueAwakeCharacter)
{
    ASSERT_TRUE(start(kAllOff));
    EXPECT_TRUE(m_dialogs.shown.isEmpty());
    Program &p = program();
    CharacterWindow &character = p.character();
    EXPECT_EQ(character.nameoftheguy, "Pebble");
    EXPECT_TRUE(character.isVisible());
    EXPECT_TRUE(character.testAttribute(Qt::WA_WState_Visible));
    EXPECT_EQ(character.trans, 255);
    EXPECT_EQ(character.listen, 0);
    EXPECT_EQ(character.sleeping, 0);
    EXPECT_GT(character.widthofguy, 0);
    EXPECT_TRUE(character.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(p.about().windowTitle(), "Help on quillet script");
    EXPECT_TRUE(p.bubble().isVisible());
    EXPECT_EQ(p.bubble().widthTwips(), BubbleWindow::kClosedWidthTwips);
    EXPECT_FALSE(p.brain().brainOpen);
    EXPECT_FALSE(p.brain().isVisible());
    EXPECT_EQ(p.brain().hiddenListHeight, 10000);

    MenuState &menu = p.menu();
    EXPECT_TRUE(menu.isChecked(MenuState::Bubble));
    EXPECT_FALSE(menu.isChecked(MenuState::Listen));
    EXPECT_FALSE(menu.isChecked(MenuState::AutoListen));
    EXPECT_FALSE(menu.isChecked(MenuState::Semitransparent));
    EXPECT_TRUE(menu.isEnabled(MenuState::Listen));

    // The list is written back unchanged and the grammar loaded and active.
    EXPECT_EQ(m_app.read("data/brainlist"), kAllOff);
    EXPECT_TRUE(m_app.read("data/Temp").startsWith("[Grammer]\r\n"));
    EXPECT_EQ(m_fakes.reco->calls(),
              QStringList({"deactivate", "load " + m_app.paths().grammarPath(), "activate"}));
    EXPECT_TRUE(m_fakes.reco->isActive());

    // The chooser knows every shipped character; pasting into the editor's boxes is refused.
    EXPECT_FALSE(p.brain().characterlist()->guys().isEmpty());
    EXPECT_TRUE(p.pasteBlocker().isBlocking(p.brain().action()));
    EXPECT_TRUE(p.pasteBlocker().isBlocking(p.brain().phrasetext()));
}

TEST_F(StartupTest, AutoListenStoredOnStartsListening)
{
    ASSERT_TRUE(
        start(listWith("Pebble listen", "I hear you ", "What ever", "Ok", "I hope I am sleepy")));
    MenuState &menu = program().menu();
    EXPECT_EQ(program().character().listen, -1);
    EXPECT_TRUE(menu.isChecked(MenuState::Listen));
    EXPECT_FALSE(menu.isEnabled(MenuState::Listen));
    EXPECT_TRUE(menu.isChecked(MenuState::AutoListen));
}

TEST_F(StartupTest, BubbleOffAndSemitransparentRestored)
{
    ASSERT_TRUE(
        start(listWith("Pebble listen", "I hear you", "What ever ", "Ok ", "I hope I am sleepy")));
    MenuState &menu = program().menu();
    EXPECT_FALSE(menu.isChecked(MenuState::Bubble));
    EXPECT_TRUE(menu.isEnabled(MenuState::Bubble));
    EXPECT_TRUE(menu.isChecked(MenuState::Semitransparent));
    EXPECT_EQ(program().character().trans, 150);
    EXPECT_NEAR(program().character().windowOpacity(), 150 / 255.0, 0.01);
}

TEST_F(StartupTest, HiddenCharacterDisablesBubbleWhateverEntryOneSays)
{
    ASSERT_TRUE(
        start(listWith("Pebble listen", "I hear you", "What ever", "Ok", "I hope I am sleepy ")));
    MenuState &menu = program().menu();
    EXPECT_FALSE(program().character().isVisible());
    EXPECT_FALSE(menu.isChecked(MenuState::Bubble));
    EXPECT_FALSE(menu.isEnabled(MenuState::Bubble));
}

TEST_F(StartupTest, OptionTextsDifferingByCaseOrTwoSpacesAreOff)
{
    ASSERT_TRUE(start(
        listWith("Pebble listen", "i hear you ", "What ever  ", "OK ", "I hope I am sleepy  ")));
    MenuState &menu = program().menu();
    EXPECT_EQ(program().character().listen, 0);
    EXPECT_TRUE(menu.isChecked(MenuState::Bubble));
    EXPECT_FALSE(menu.isChecked(MenuState::Semitransparent));
    EXPECT_EQ(program().character().trans, 255);
    EXPECT_TRUE(program().character().isVisible());
}

TEST_F(StartupTest, MissingListShowsMessageWithEmptyName)
{
    EXPECT_FALSE(program().start());
    EXPECT_EQ(m_dialogs.shown, QStringList({missing("")}));
    EXPECT_FALSE(m_app.exists("data/Temp"));
}

TEST_F(StartupTest, UnknownCharacterShowsItsName)
{
    const QByteArray list =
        listWith("Robin listen", "I hear you", "What ever", "Ok", "I hope I am sleepy");
    EXPECT_FALSE(start(list));
    EXPECT_EQ(m_dialogs.shown, QStringList({missing("Robin")}));
    // Nothing was written: the failure came before the list was saved.
    EXPECT_EQ(m_app.read("data/brainlist"), list);
    EXPECT_FALSE(m_app.exists("data/Temp"));
}

TEST_F(StartupTest, CutShortListFailsWithTheNameRead)
{
    EXPECT_FALSE(start(kAllOff + "half an entry\r\nSpeak\r\n"));
    EXPECT_EQ(m_dialogs.shown, QStringList({missing("Pebble")}));
}

// The tray menu answers while the failure message waits; what it stores must not reach a
// list that was read only in part, nor be written by a start-up that failed anyway.

TEST_F(StartupTest, MenuDuringTheFailureOfACutShortListWritesNothing)
{
    const QByteArray list = kAllOff + "half an entry\r\nSpeak\r\n";
    m_app.write("data/brainlist", list);
    EXPECT_EQ(chooseOptionsAtTheFailure(), 1);
    EXPECT_EQ(m_app.read("data/brainlist"), list);
    EXPECT_FALSE(m_app.exists("data/Temp"));
}

TEST_F(StartupTest, MenuDuringTheFailureOfAMissingCharacterWritesNothing)
{
    const QByteArray list =
        listWith("Robin listen", "I hear you", "What ever", "Ok", "I hope I am sleepy");
    m_app.write("data/brainlist", list);
    EXPECT_EQ(chooseOptionsAtTheFailure(), 1);
    EXPECT_EQ(m_app.read("data/brainlist"), list);
    EXPECT_FALSE(m_app.exists("data/Temp"));
}

TEST_F(StartupTest, MenuDuringALateFailureWritesNothing)
{
    // The character's own file is the last step of the start-up that can fail.
    m_app.write("Character/Broken.qlc", QByteArray("\0Mnot a bitmap", 14));
    const QByteArray list =
        listWith("Broken listen", "I hear you", "What ever", "Ok", "I hope I am sleepy");
    m_app.write("data/brainlist", list);
    EXPECT_EQ(chooseOptionsAtTheFailure(), 1);
    EXPECT_EQ(m_app.read("data/brainlist"), list);
    EXPECT_FALSE(m_app.exists("data/Temp"));
}

TEST_F(StartupTest, EveryFailedStartLeavesTheFilesAsTheyWere)
{
    // Lists with LF line ends and an old grammar: any save would rewrite both.
    const auto lf = [](QByteArray bytes) { return bytes.replace("\r\n", "\n"); };
    const QByteArray oldGrammar = "[Grammer]\r\ntype=cfg\r\n[<start>]\r\n<start>=old\r\n\r\n";
    const struct {
        const char *why;
        QByteArray list;
        QByteArray brokenCharacter;
    } failures[] = {
        {"cut short", lf(kAllOff + "half an entry\r\nSpeak\r\n"), {}},
        {"fewer than four entries", lf("Pebble listen\r\nSpeak\r\nI hear you\r\n"), {}},
        {"unknown character",
         lf(listWith("Robin listen", "I hear you", "What ever", "Ok", "I hope I am sleepy")),
         {}},
        {"the character's file broken",
         lf(listWith("Broken listen", "I hear you", "What ever", "Ok", "I hope I am sleepy")),
         QByteArray("\0Mnot a bitmap", 14)},
    };
    for (const auto &failure : failures) {
        SCOPED_TRACE(failure.why);
        TempAppFolder app;
        app.write("data/brainlist", failure.list);
        app.write("data/Temp", oldGrammar);
        if (!failure.brokenCharacter.isEmpty())
            app.write("Character/Broken.qlc", failure.brokenCharacter);
        FakeServices fakes;
        RecordingDialogs dialogs;
        Program program(app.paths(), fakes.make(), dialogs);
        EXPECT_FALSE(program.start());
        EXPECT_EQ(dialogs.shown.size(), 1);
        EXPECT_EQ(app.read("data/brainlist"), failure.list);
        EXPECT_EQ(app.read("data/Temp"), oldGrammar);
        EXPECT_EQ(QDir(app.path() + "/data").entryList(QDir::Files | QDir::Hidden, QDir::Name),
                  QStringList({"Temp", "brainlist"}));
    }
}

TEST_F(StartupTest, ACharacterWhoseNameHoldsASpaceStartsUnderItsWholeName)
{
    QFile::copy(m_app.path() + "/Character/Pebble.qlc", m_app.path() + "/Character/Mr Bean.qlc");
    ASSERT_TRUE(
        start(listWith("Mr Bean listen", "I hear you", "What ever", "Ok", "I hope I am sleepy")));
    EXPECT_EQ(program().character().nameoftheguy, "Mr Bean");
    EXPECT_TRUE(m_dialogs.shown.isEmpty());
    EXPECT_TRUE(m_app.read("data/brainlist").startsWith("Mr Bean listen\r\n"));
}

TEST_F(StartupTest, ChoosingACharacterWithASpaceStartsWithItNextTime)
{
    QFile::copy(m_app.path() + "/Character/Pebble.qlc", m_app.path() + "/Character/Mr Bean.qlc");
    ASSERT_TRUE(start(kAllOff));
    CharacterChooser *chooser = program().brain().characterlist();
    int index = -1;
    for (int i = 0; i < chooser->guys().size(); ++i) {
        if (chooser->guys()[i].fileName == "Mr Bean.qlc")
            index = i;
    }
    ASSERT_GT(index, 0);
    chooser->choose(index);
    EXPECT_EQ(program().commands().phrase(0), "Mr Bean listen");

    FakeServices fakes;
    RecordingDialogs dialogs;
    Program again(m_app.paths(), fakes.make(), dialogs);
    ASSERT_TRUE(again.start()) << qPrintable(dialogs.shown.join('\n'));
    EXPECT_EQ(again.character().nameoftheguy, "Mr Bean");
}

TEST_F(StartupTest, AnUnreadableCharacterBesideTheCurrentOneIsLeftOutAndSaidOnce)
{
    m_app.write("Character/Zed.qlc", "junk that is no picture");
    testing::internal::CaptureStderr();
    ASSERT_TRUE(start(kAllOff)) << qPrintable(m_dialogs.shown.join('\n'));
    CharacterChooser *chooser = program().brain().characterlist();
    EXPECT_EQ(chooser->loadguys(), QStringList({"Zed.qlc"}));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(m_dialogs.shown.isEmpty());
    EXPECT_EQ(program().character().nameoftheguy, "Pebble");
    for (const CharacterChooser::Guy &guy : chooser->guys())
        EXPECT_NE(guy.fileName, "Zed.qlc");
    EXPECT_GT(chooser->guys().size(), 1);
    const std::string told = "Zed.qlc\" cannot be read";
    ASSERT_NE(said.find(told), std::string::npos) << said;
    EXPECT_EQ(said.find(told), said.rfind(told)) << "said once";
}

TEST_F(StartupTest, UndecodableCharacterFileFailsAndIsNotWritten)
{
    m_app.write("Character/Broken.qlc", QByteArray("\0Mnot a bitmap", 14));
    EXPECT_FALSE(
        start(listWith("Broken listen", "I hear you", "What ever", "Ok", "I hope I am sleepy")));
    EXPECT_EQ(m_dialogs.shown, QStringList({missing("Broken")}));
    EXPECT_EQ(m_app.read("Character/Broken.qlc"), QByteArray("\0Mnot a bitmap", 14));
}

TEST_F(StartupTest, CharacterFileIsNeverWritten)
{
    const QByteArray before = m_app.read("Character/Pebble.qlc");
    ASSERT_EQ(before.at(0), 0);
    ASSERT_TRUE(start(kAllOff));
    EXPECT_EQ(m_app.read("Character/Pebble.qlc"), before);
}

TEST_F(StartupTest, CharacterFileStartingWithBLoadsToo)
{
    QByteArray bitmap = m_app.read("Character/Pebble.qlc");
    bitmap[0] = 'B';
    m_app.write("Character/Plain.qlc", bitmap);
    ASSERT_TRUE(
        start(listWith("Plain listen", "I hear you", "What ever", "Ok", "I hope I am sleepy")));
    EXPECT_EQ(program().character().nameoftheguy, "Plain");
}

} // namespace
