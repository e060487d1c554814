#include "SendKeysParser.h"
#include "FakeKeySender.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// The parse as a readable log, or "error: ..." when it fails.
QStringList logOf(const QString &keys)
{
    QString error;
    const auto strokes = SendKeysParser::parse(keys, &error);
    if (!strokes)
        return {QStringLiteral("error: ") + error};
    return describeKeyStrokes(*strokes);
}

QString errorOf(const QString &keys)
{
    QString error;
    const auto strokes = SendKeysParser::parse(keys, &error);
    return strokes ? QString() : error;
}

} // namespace

TEST(SendKeysParser, PlainCharactersStandForThemselves)
{
    EXPECT_EQ(logOf("Hello, World! 123"), QStringList{"Hello, World! 123"});
    EXPECT_EQ(logOf("[]"), QStringList{"[]"});
    EXPECT_EQ(logOf("ßő€ 😀"), QStringList{"ßő€ 😀"});
    EXPECT_EQ(logOf(""), QStringList{});

    // A character outside the basic plane is one stroke, not two halves.
    const auto strokes = SendKeysParser::parse("😀");
    ASSERT_TRUE(strokes);
    ASSERT_EQ(strokes->size(), 1);
    EXPECT_EQ(strokes->first().character, char32_t(0x1F600));
}

TEST(SendKeysParser, ModifiersHoldForTheNextKeyOnly)
{
    EXPECT_EQ(logOf("+ec"), (QStringList{"<shift>e", "c"}));
    EXPECT_EQ(logOf("^c"), QStringList{"<ctrl>c"});
    EXPECT_EQ(logOf("%f"), QStringList{"<alt>f"});
    EXPECT_EQ(logOf("^%{DEL}"), QStringList{"<ctrl><alt><delete>"});
    EXPECT_EQ(logOf("%^{DEL}"), QStringList{"<ctrl><alt><delete>"});
    EXPECT_EQ(logOf("+^%a"), QStringList{"<shift><ctrl><alt>a"});
    EXPECT_EQ(logOf("+~"), QStringList{"<shift><enter>"});
    EXPECT_EQ(logOf("^{+}"), QStringList{"<ctrl>+"});
}

TEST(SendKeysParser, ModifiersHoldForAWholeGroup)
{
    EXPECT_EQ(logOf("+(abc)d"), (QStringList{"<shift>a", "<shift>b", "<shift>c", "d"}));
    EXPECT_EQ(logOf("^(a+(b)c)"), (QStringList{"<ctrl>a", "<shift><ctrl>b", "<ctrl>c"}));
    EXPECT_EQ(logOf("(ab)"), QStringList{"ab"});
    EXPECT_EQ(logOf("x()y"), QStringList{"xy"});
    EXPECT_EQ(logOf("%({F4} 2)"), (QStringList{"<alt><f4>", "<alt> ", "<alt>2"}));
}

TEST(SendKeysParser, EnterTabAndLineBreaks)
{
    EXPECT_EQ(logOf("a~b"), (QStringList{"a", "<enter>", "b"}));
    EXPECT_EQ(logOf("{ENTER}{~}"), (QStringList{"<enter>", "~"}));
    EXPECT_EQ(logOf("a\r\nb\nc\td"),
              (QStringList{"a", "<enter>", "b", "<enter>", "c", "<tab>", "d"}));
}

TEST(SendKeysParser, EveryNamedKeyInAnyLetterCase)
{
    const QList<std::pair<QString, QString>> names = {
        {"BACKSPACE", "backspace"},
        {"BS", "backspace"},
        {"BKSP", "backspace"},
        {"BREAK", "break"},
        {"CAPSLOCK", "capslock"},
        {"DELETE", "delete"},
        {"DEL", "delete"},
        {"DOWN", "down"},
        {"END", "end"},
        {"ENTER", "enter"},
        {"ESC", "esc"},
        {"HELP", "help"},
        {"HOME", "home"},
        {"INSERT", "insert"},
        {"INS", "insert"},
        {"LEFT", "left"},
        {"NUMLOCK", "numlock"},
        {"PGDN", "pgdn"},
        {"PGUP", "pgup"},
        {"PRTSC", "prtsc"},
        {"RIGHT", "right"},
        {"SCROLLLOCK", "scrolllock"},
        {"TAB", "tab"},
        {"UP", "up"},
        {"ADD", "add"},
        {"SUBTRACT", "subtract"},
        {"MULTIPLY", "multiply"},
        {"DIVIDE", "divide"},
    };
    for (const auto &[name, logged] : names) {
        const QString expected = "<" + logged + ">";
        EXPECT_EQ(logOf("{" + name + "}"), QStringList{expected}) << name.toStdString();
        EXPECT_EQ(logOf("{" + name.toLower() + "}"), QStringList{expected}) << name.toStdString();
        const QString mixed = name.left(1) + name.mid(1).toLower();
        EXPECT_EQ(logOf("{" + mixed + "}"), QStringList{expected}) << mixed.toStdString();
    }
    for (int f = 1; f <= 16; ++f) {
        EXPECT_EQ(logOf(QString("{F%1}").arg(f)), QStringList{QString("<f%1>").arg(f)});
        EXPECT_EQ(logOf(QString("{f%1}").arg(f)), QStringList{QString("<f%1>").arg(f)});
    }
    EXPECT_TRUE(errorOf("{F17}").contains("F17"));
    EXPECT_TRUE(errorOf("{F0}").contains("F0"));
}

TEST(SendKeysParser, BracesQuoteTheSpecialCharacters)
{
    EXPECT_EQ(logOf("{+}{^}{%}{~}{(}{)}{{}{}}{[}{]}"), QStringList{"+^%~(){}[]"});
    EXPECT_EQ(logOf("a{}}b"), QStringList{"a}b"});
    EXPECT_EQ(logOf("{a}{ }"), QStringList{"a "});
    // Inside braces a character keeps its case; it is not a key name.
    EXPECT_EQ(logOf("{A}{b}"), QStringList{"Ab"});
}

TEST(SendKeysParser, RepeatCounts)
{
    EXPECT_EQ(logOf("{LEFT 5}"), QStringList(5, "<left>"));
    EXPECT_EQ(logOf("{h 3}"), QStringList{"hhh"});
    EXPECT_EQ(logOf("{} 2}{{ 2}"), QStringList{"}}{{"});
    EXPECT_EQ(logOf("+{TAB 2}x"), (QStringList{"<shift><tab>", "<shift><tab>", "x"}));
    EXPECT_EQ(logOf("a{b 0}c"), QStringList{"ac"});
    EXPECT_EQ(logOf("{  2}"), QStringList{"  "});
    EXPECT_EQ(logOf(QString("{x %1}").arg(SendKeysParser::MaxRepeat)).join("").size(),
              SendKeysParser::MaxRepeat);
}

TEST(SendKeysParser, MalformedStringsAreRejectedWithTheReason)
{
    const QList<std::pair<QString, QString>> cases = {
        // string, a part the message must name
        {"{ENTER", "has no matching \"}\""},
        {"abc{", "has no matching \"}\""},
        {"abc}", "\"}\" at position 4 has no matching \"{\""},
        {"{}", "Empty braces"},
        {"+(abc", "\"(\" at position 2 has no matching \")\""},
        {"((a)", "\"(\" at position 1 has no matching \")\""},
        {"abc)", "\")\" at position 4 has no matching \"(\""},
        {"{FOO}", "Unknown key name \"FOO\""},
        {"{ENTR 2}", "Unknown key name \"ENTR\""},
        {"{LEFT x}", "Bad repeat count \"x\""},
        {"{LEFT -1}", "Bad repeat count \"-1\""},
        {"{LEFT 2.5}", "Bad repeat count \"2.5\""},
        {"{LEFT }", "Bad repeat count \"\""},
        {"{LEFT 99999999999}", "Bad repeat count"},
        {QString("{a %1}").arg(SendKeysParser::MaxRepeat + 1), "Bad repeat count"},
        {"abc+", "\"+\" at position 4 holds Shift for no key"},
        {"^", "holds Ctrl for no key"},
        {"a%", "holds Alt for no key"},
        {"(a^)", "\"^\" at position 3 holds Ctrl for no key"},
    };
    for (const auto &[keys, expected] : cases) {
        QString error = "unchanged";
        EXPECT_FALSE(SendKeysParser::parse(keys, &error)) << keys.toStdString();
        EXPECT_TRUE(error.contains(expected))
            << keys.toStdString() << " gave: " << error.toStdString();
    }
    // No error out-parameter is fine too.
    EXPECT_FALSE(SendKeysParser::parse("{"));
}

// Key strings come from scripts, so no depth of groups and no run of modifiers may take the
// parser out of stack: a million "(" crashed the program before.
TEST(SendKeysParser, DeepGroupsAndLongModifierRunsEndWithAnAnswer)
{
    const int depth = 1000000;
    QString error;
    EXPECT_FALSE(SendKeysParser::parse(QString(depth, '(') + "a", &error));
    EXPECT_TRUE(error.contains(QString("\"(\" at position %1 has no matching").arg(depth)))
        << error.toStdString();

    const auto nested = SendKeysParser::parse(QString(depth, '(') + "+a" + QString(depth, ')'));
    ASSERT_TRUE(nested);
    EXPECT_EQ(*nested, QList<KeyStroke>{KeyStroke::text('a', KeyModifier::Shift)});

    const auto held = SendKeysParser::parse(QString(depth, '^') + "%x");
    ASSERT_TRUE(held);
    EXPECT_EQ(*held,
              QList<KeyStroke>{KeyStroke::text('x', KeyModifier::Control | KeyModifier::Alt)});
}

TEST(FakeKeySender, LogsWhatItTypesAndTypesNothingOfABadString)
{
    FakeKeySender sender;
    QString error;
    EXPECT_TRUE(sender.sendKeys("Hello~", &error));
    EXPECT_TRUE(sender.sendKeys("^c", &error));
    EXPECT_FALSE(sender.sendKeys("good part then {BAD}", &error));
    EXPECT_TRUE(error.contains("BAD"));
    EXPECT_EQ(sender.log(), (QStringList{"Hello", "<enter>", "<ctrl>c"}));
    EXPECT_EQ(sender.requests(), (QStringList{"Hello~", "^c", "good part then {BAD}"}));

    sender.setUnavailable("no display");
    EXPECT_FALSE(sender.sendKeys("x", &error));
    EXPECT_EQ(error, "no display");
    EXPECT_EQ(sender.strokes().size(), 7);
}
