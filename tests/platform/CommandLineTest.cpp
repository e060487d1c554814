#include "CommandLine.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QStringList split(const QString &line)
{
    QString error;
    const auto words = CommandLine::split(line, &error);
    if (!words)
        return {"error: " + error};
    return *words;
}

} // namespace

TEST(CommandLine, SplitsAtBlanksLikeAShell)
{
    EXPECT_EQ(split("prog a b"), (QStringList{"prog", "a", "b"}));
    EXPECT_EQ(split("  prog \t a\n  b  "), (QStringList{"prog", "a", "b"}));
    EXPECT_EQ(split(""), QStringList{});
    EXPECT_EQ(split("   "), QStringList{});
}

TEST(CommandLine, QuotesAndBackslashes)
{
    EXPECT_EQ(split("prog 'a b' \"c d\""), (QStringList{"prog", "a b", "c d"}));
    EXPECT_EQ(split("a\"b c\"d 'e'f"), (QStringList{"ab cd", "ef"}));
    EXPECT_EQ(split("prog '' \"\""), (QStringList{"prog", "", ""}));
    EXPECT_EQ(split("one\\ word \\'x\\\""), (QStringList{"one word", "'x\""}));
    // Single quotes keep backslashes and double quotes as they are.
    EXPECT_EQ(split("'a\\b \"c\"'"), QStringList{"a\\b \"c\""});
    // In double quotes a backslash escapes only \ " $ ` and stays before anything else.
    EXPECT_EQ(split("\"a\\\"b \\\\ \\$x \\n\""), QStringList{"a\"b \\ $x \\n"});
    EXPECT_EQ(split("\"it's\" 'say \"hi\"'"), (QStringList{"it's", "say \"hi\""}));
}

TEST(CommandLine, NothingOfAShellsOtherWork)
{
    EXPECT_EQ(split("echo $HOME *.txt a;b |c >d `e` ~"),
              (QStringList{"echo", "$HOME", "*.txt", "a;b", "|c", ">d", "`e`", "~"}));
}

TEST(CommandLine, OpenQuotesAndTrailingBackslashAreErrors)
{
    EXPECT_TRUE(
        split("prog 'abc").first().contains("position 6 of the command line is not closed"));
    EXPECT_TRUE(split("\"abc").first().contains("position 1"));
    EXPECT_TRUE(split("prog \\").first().contains("backslash"));
    EXPECT_FALSE(CommandLine::split("'"));
}
