#include "CommandList.h"
#include "TextFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CommandListTest : public testing::Test {
protected:
    QString path(const QString &name = "brainlist") const { return m_dir.filePath(name); }
    void writeFile(const QByteArray &bytes, const QString &name = "brainlist") const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readFile(const QString &name = "brainlist") const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir m_dir;
};

const QByteArray kReserved = "Pebble listen\r\nSpeak\r\nI hear you\r\n"
                             "never mind\r\nSpeak\r\nWhat ever\r\n"
                             "stop speak\r\nSpeak\r\nOk\r\n"
                             "go to sleep\r\nSpeak\r\nI hope I am sleepy\r\n";

TEST_F(CommandListTest, RoundTripKeepsTrailingSpacesEmptyFieldsAndOrder)
{
    CommandList list;
    list.append({"Pebble listen", "Speak", "I hear you "});
    list.append({"say hi ", "Speak", "  hello  "});
    list.append({"", "Type", ""});
    list.append({"open it", "Open", ""});
    list.append({"odd kind", "Dance", "wildly"});
    ASSERT_TRUE(list.save(path()));

    EXPECT_EQ(readFile(), QByteArray("Pebble listen\r\nSpeak\r\nI hear you \r\n"
                                     "say hi \r\nSpeak\r\n  hello  \r\n"
                                     "\r\nType\r\n\r\n"
                                     "open it\r\nOpen\r\n\r\n"
                                     "odd kind\r\nDance\r\nwildly\r\n"));

    CommandList loaded;
    QString name;
    ASSERT_TRUE(loaded.load(path(), &name));
    EXPECT_EQ(name, "Pebble");
    ASSERT_EQ(loaded.count(), list.count());
    for (int i = 0; i < list.count(); ++i) {
        EXPECT_EQ(loaded.entry(i), list.entry(i)) << i;
        EXPECT_EQ(loaded.shownPhrase(i), list.phrase(i)) << i;
    }
}

TEST_F(CommandListTest, CutShortOrMissingFileFails)
{
    QString name;
    CommandList list;
    EXPECT_FALSE(list.load(path("nothing-here"), &name));
    EXPECT_TRUE(name.isEmpty());

    for (const QByteArray &tail : {QByteArray("extra\r\n"), QByteArray("extra\r\nSpeak\r\n"),
                                   QByteArray("extra\r\nSpeak")}) {
        writeFile(kReserved + tail);
        name.clear();
        EXPECT_FALSE(list.load(path(), &name)) << tail.constData();
        // The name was taken before the short entry was reached.
        EXPECT_EQ(name, "Pebble");
        EXPECT_EQ(list.count(), 4);
    }
}

TEST_F(CommandListTest, LastLineWithoutLineEndStillCounts)
{
    writeFile(kReserved.chopped(2));
    CommandList list;
    QString name;
    ASSERT_TRUE(list.load(path(), &name));
    EXPECT_EQ(list.argument(3), "I hope I am sleepy");
}

TEST_F(CommandListTest, ReadsLfOnlyAndWindows1252Files)
{
    writeFile("Clover listen\nSpeak\nI hear you \ncaf\xe9 time\nSpeak\n\x80 5\r\n");
    CommandList list;
    QString name;
    ASSERT_TRUE(list.load(path(), &name));
    EXPECT_EQ(name, "Clover");
    EXPECT_EQ(list.argument(0), "I hear you ");
    EXPECT_EQ(list.phrase(1), QString::fromUtf8("café time"));
    EXPECT_EQ(list.argument(1), QString::fromUtf8("€ 5"));

    // Written back as UTF-8 with CR LF.
    ASSERT_TRUE(list.save(path()));
    EXPECT_EQ(readFile(), QByteArray("Clover listen\r\nSpeak\r\nI hear you \r\n"
                                     "caf\xc3\xa9 time\r\nSpeak\r\n\xe2\x82\xac 5\r\n"));
}

TEST_F(CommandListTest, NameComesFromFirstNonEmptyFirstWord)
{
    writeFile(" leading\r\nSpeak\r\nx\r\nRobin listen\r\nSpeak\r\ny\r\n");
    CommandList list;
    QString name;
    ASSERT_TRUE(list.load(path(), &name));
    EXPECT_EQ(name, "Robin");
}

TEST_F(CommandListTest, SelectByPhraseIgnoresCaseAndMovesThreeSelections)
{
    writeFile(kReserved + "Say Hi\r\nSpeak\r\nhello\r\nsay hi\r\nType\r\nabc\r\n");
    CommandList list;
    QString name;
    ASSERT_TRUE(list.load(path(), &name));
    list.setSelectedIndex(CommandList::FalseBrainlist, 2);

    EXPECT_EQ(list.selectByPhrase("SAY HI"), 4);
    EXPECT_EQ(list.selectedIndex(CommandList::Brainlist), 4);
    EXPECT_EQ(list.selectedIndex(CommandList::Commandlist), 4);
    EXPECT_EQ(list.selectedIndex(CommandList::Actionlist), 4);
    EXPECT_EQ(list.selectedIndex(CommandList::FalseBrainlist), 2);
    EXPECT_EQ(list.selectedKind(), "Speak");
    EXPECT_EQ(list.selectedArgument(), "hello");

    EXPECT_EQ(list.selectByPhrase("say hi "), -1);
    EXPECT_EQ(list.selectedKind(), "");
    EXPECT_EQ(list.selectedArgument(), "");
}

TEST_F(CommandListTest, OptionsAreExactTextsWithOneTrailingSpace)
{
    CommandList list;
    list.append({"Pebble listen", "Speak", "I hear you"});
    list.append({"a", "Speak", "What ever"});
    list.append({"b", "Speak", "Ok"});
    list.append({"c", "Speak", "I hope I am sleepy"});
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(list.option(i));

    list.setOption(CommandList::BubbleOffOption, true);
    EXPECT_EQ(list.argument(1), "What ever ");
    EXPECT_TRUE(list.option(CommandList::BubbleOffOption));
    list.setOption(CommandList::BubbleOffOption, false);
    EXPECT_EQ(list.argument(1), "What ever");

    list.setArgument(0, "i hear you ");
    EXPECT_FALSE(list.option(0));
    list.setArgument(0, "I hear you  ");
    EXPECT_FALSE(list.option(0));
    list.setArgument(2, "Ok ");
    EXPECT_TRUE(list.option(2));
}

TEST_F(CommandListTest, WakePhraseSetsBothPhraseCopies)
{
    CommandList list;
    list.append({"Pebble listen", "Speak", "I hear you"});
    list.setWakePhrase("Clover");
    EXPECT_EQ(list.phrase(0), "Clover listen");
    EXPECT_EQ(list.shownPhrase(0), "Clover listen");
    EXPECT_EQ(list.data(list.index(0), Qt::DisplayRole).toString(), "Clover listen");
}

TEST_F(CommandListTest, RemoveKeepsListsAlignedAndSelectionsInStep)
{
    CommandList list;
    for (int i = 0; i < 6; ++i)
        list.append({QString("p%1").arg(i), "Speak", QString("a%1").arg(i)});
    list.setSelectedIndex(CommandList::FalseBrainlist, 5);
    list.selectEntry(4);
    list.remove(4);
    EXPECT_EQ(list.count(), 5);
    EXPECT_EQ(list.entry(4), (CommandList::Entry{"p5", "Speak", "a5"}));
    EXPECT_EQ(list.selectedIndex(CommandList::Brainlist), -1);
    EXPECT_EQ(list.selectedIndex(CommandList::FalseBrainlist), 4);
}

} // namespace
