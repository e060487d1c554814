#include "RecognitionGrammar.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray grammarFile(const QByteArrayList &phrases)
{
    QByteArray bytes = "[Grammer]\r\ntype=cfg\r\n[<start>]\r\n";
    for (const QByteArray &phrase : phrases)
        bytes += "<start>=" + phrase + "\r\n";
    return bytes + "\r\n";
}

QStringList texts(const RecognitionGrammar &grammar)
{
    QStringList result;
    for (const auto &phrase : grammar.phrases())
        result << phrase.text;
    return result;
}

} // namespace

TEST(RecognitionGrammar, ReadsPhrasesOfTheWrittenFileUnchanged)
{
    const RecognitionGrammar grammar = RecognitionGrammar::fromBytes(
        grammarFile({"Quillet listen", "Run=Backup NOW", "[x] <y>", " open  my notes "}));
    EXPECT_EQ(texts(grammar),
              QStringList({"Quillet listen", "Run=Backup NOW", "[x] <y>", " open  my notes "}));
    EXPECT_EQ(grammar.phrases().at(1).words, QStringList({"run", "backup", "now"}));
    EXPECT_EQ(grammar.phrases().at(2).words, QStringList({"x", "y"}));
    EXPECT_EQ(grammar.phraseFor({"run", "backup", "now"}), "Run=Backup NOW");
    EXPECT_EQ(grammar.phraseFor({"open", "my", "notes"}), " open  my notes ");
    EXPECT_TRUE(grammar.phraseFor({"open", "my"}).isEmpty());
}

TEST(RecognitionGrammar, SkipsUnspeakableLinesAndKeepsTheFirstOfTheSameWords)
{
    const RecognitionGrammar grammar = RecognitionGrammar::fromBytes(
        grammarFile({"===", "", "stop speak", "<>", "Stop, speak!", "go to sleep"}));
    EXPECT_EQ(texts(grammar), QStringList({"stop speak", "go to sleep"}));
    EXPECT_EQ(grammar.phraseFor({"stop", "speak"}), "stop speak");
    EXPECT_EQ(grammar.vocabulary(), QStringList({"stop", "speak", "go", "to", "sleep"}));
}

TEST(RecognitionGrammar, AcceptsWindows1252AndLfOnlyFiles)
{
    const RecognitionGrammar legacy =
        RecognitionGrammar::fromBytes("[Grammer]\r\n<start>=caf\xe9 au lait\r\n");
    EXPECT_EQ(texts(legacy), QStringList({QString::fromUtf8("caf\u00e9 au lait")}));
    EXPECT_EQ(legacy.phrases().at(0).words.at(0), QString::fromUtf8("caf\u00e9"));

    const RecognitionGrammar unix = RecognitionGrammar::fromBytes("<start>=a\n<start>=b c\n");
    EXPECT_EQ(texts(unix), QStringList({"a", "b c"}));
}

TEST(RecognitionGrammar, SpellsNumbersAndKeepsInnerApostrophes)
{
    EXPECT_EQ(RecognitionGrammar::spokenWords("open folder 3"),
              QStringList({"open", "folder", "three"}));
    EXPECT_EQ(RecognitionGrammar::spokenWords("mp3"), QStringList({"mp", "three"}));
    EXPECT_EQ(RecognitionGrammar::numberWords("21"), QStringList({"twenty", "one"}));
    EXPECT_EQ(RecognitionGrammar::numberWords("105"), QStringList({"one", "hundred", "five"}));
    EXPECT_EQ(RecognitionGrammar::numberWords("2024"),
              QStringList({"two", "thousand", "twenty", "four"}));
    EXPECT_EQ(RecognitionGrammar::numberWords("40000"), QStringList({"forty", "thousand"}));
    EXPECT_EQ(RecognitionGrammar::numberWords("007"), QStringList({"zero", "zero", "seven"}));
    EXPECT_EQ(RecognitionGrammar::spokenWords("What's 'up'"), QStringList({"what's", "up"}));
}

TEST(RecognitionGrammar, ReadsFilesAndReportsMissingOnes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Temp");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(grammarFile({"say hello"}));
    file.close();
    RecognitionGrammar grammar;
    ASSERT_TRUE(RecognitionGrammar::readFile(path, &grammar));
    EXPECT_EQ(texts(grammar), QStringList({"say hello"}));
    EXPECT_FALSE(RecognitionGrammar::readFile(dir.filePath("missing"), &grammar));
}
