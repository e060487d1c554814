#include "ListSaver.h"
#include "AppPaths.h"
#include "CommandList.h"
#include "FakeRecognizer.h"
#include "MenuState.h"
#include "RecordingDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ListSaverTest : public testing::Test {
protected:
    ListSaverTest()
        : m_paths(m_dir.path())
        , m_saver(m_paths, m_list, m_menu, m_reco, m_dialogs)
    {
        QDir(m_dir.path()).mkpath("data");
    }

    QByteArray read(const QString &path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir m_dir;
    AppPaths m_paths;
    CommandList m_list;
    MenuState m_menu;
    FakeRecognizer m_reco;
    RecordingDialogs m_dialogs;
    ListSaver m_saver;
};

TEST_F(ListSaverTest, WritesListAndGrammarAndRestartsRecognizer)
{
    m_list.append({"Pebble listen", "Speak", "I hear you"});
    m_list.append({"say hi", "Speak", "hello"});
    m_list.append({"open notes", "Open", "/home/me/notes.txt"});
    m_list.selectEntry(2);

    m_saver.savethelist();

    EXPECT_EQ(read(m_paths.brainlistPath()),
              "Pebble listen\r\nSpeak\r\nI hear you\r\nsay hi\r\nSpeak\r\nhello\r\n"
              "open notes\r\nOpen\r\n/home/me/notes.txt\r\n");
    EXPECT_EQ(read(m_paths.grammarPath()), "[Grammer]\r\ntype=cfg\r\n[<start>]\r\n"
                                           "<start>=Pebble listen\r\n<start>=say hi\r\n"
                                           "<start>=open notes\r\n\r\n");
    EXPECT_EQ(m_reco.calls(),
              QStringList({"deactivate", "load " + m_paths.grammarPath(), "activate"}));
    EXPECT_EQ(m_reco.loadedGrammar(), read(m_paths.grammarPath()));
    EXPECT_EQ(m_list.selectedIndex(CommandList::Brainlist), -1);
    EXPECT_EQ(m_list.selectedIndex(CommandList::Commandlist), 2);
}

TEST_F(ListSaverTest, GrammarSkipsEmptyPhrasesKeepsDuplicatesAndOddCharacters)
{
    m_list.append({"Pebble listen", "Speak", "I hear you"});
    m_list.append({"", "Speak", "nothing"});
    m_list.append({"again", "Speak", "1"});
    m_list.append({"again", "Speak", "2"});
    m_list.append({"a=b [c] <d>", "Type", "x"});
    m_list.append({" spaced ", "Type", "y"});

    m_saver.savethelist();

    EXPECT_EQ(read(m_paths.grammarPath()),
              "[Grammer]\r\ntype=cfg\r\n[<start>]\r\n<start>=Pebble listen\r\n"
              "<start>=again\r\n<start>=again\r\n<start>=a=b [c] <d>\r\n<start>= spaced \r\n\r\n");
    // The empty phrase's entry is still saved as three lines.
    EXPECT_TRUE(read(m_paths.brainlistPath()).contains("I hear you\r\n\r\nSpeak\r\nnothing\r\n"));
}

TEST_F(ListSaverTest, SleepingLeavesRecognizerInactiveWithNewGrammar)
{
    m_list.append({"Pebble listen", "Speak", "I hear you"});
    m_reco.activate();
    m_reco.clearCalls();
    m_menu.setChecked(MenuState::Sleep, true);

    m_saver.savethelist();

    EXPECT_EQ(m_reco.calls(), QStringList({"deactivate", "load " + m_paths.grammarPath()}));
    EXPECT_FALSE(m_reco.isActive());
    EXPECT_TRUE(m_reco.loadedGrammar().contains("<start>=Pebble listen"));
}

TEST_F(ListSaverTest, UnwritableListStillRebuildsGrammar)
{
    // A folder where the list file should be: the list cannot be written.
    QDir(m_dir.path()).mkpath("data/brainlist");
    m_list.append({"Pebble listen", "Speak", "I hear you"});

    EXPECT_FALSE(m_saver.savethelist());
    EXPECT_FALSE(m_saver.savethelist());

    EXPECT_TRUE(read(m_paths.grammarPath()).contains("<start>=Pebble listen\r\n"));
    EXPECT_TRUE(m_reco.isActive());
    // Said once while the saves keep failing, with the file that could not be written.
    ASSERT_EQ(m_dialogs.shown.size(), 1);
    EXPECT_TRUE(m_dialogs.shown.first().startsWith(
        "Quillet|Your commands could not be saved in \"" + m_paths.brainlistPath() + "\": "));

    QDir(m_dir.path()).rmdir("data/brainlist");
    EXPECT_TRUE(m_saver.savethelist());
    EXPECT_EQ(m_dialogs.shown.size(), 1);
}

TEST_F(ListSaverTest, UnwritableGrammarStillSavesListAndRestartsRecognizer)
{
    QDir(m_dir.path()).mkpath("data/Temp");
    m_list.append({"Pebble listen", "Speak", "I hear you"});

    EXPECT_FALSE(m_saver.savethelist());

    EXPECT_EQ(m_reco.calls(),
              QStringList({"deactivate", "load " + m_paths.grammarPath(), "activate"}));
    EXPECT_TRUE(read(m_paths.brainlistPath()).startsWith("Pebble listen\r\n"));
    ASSERT_EQ(m_dialogs.shown.size(), 1);
    EXPECT_TRUE(m_dialogs.shown.first().contains(m_paths.grammarPath()));
}

} // namespace
