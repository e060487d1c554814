#include "RecognitionGrammar.h"

#include "TextFile.h"

#include <QFile>
#include <QSet>

namespace {

const QString startPrefix = QStringLiteral("<start>=");

const char *const ones[] = {"zero",    "one",     "two",       "three",    "four",
                            "five",    "six",     "seven",     "eight",    "nine",
                            "ten",     "eleven",  "twelve",    "thirteen", "fourteen",
                            "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
const char *const tens[] = {"",      "",      "twenty",  "thirty", "forty",
                            "fifty", "sixty", "seventy", "eighty", "ninety"};

void appendBelowThousand(int n, QStringList *words)
{
    if (n >= 100) {
        *words << QString::fromLatin1(ones[n / 100]) << QStringLiteral("hundred");
        n %= 100;
        if (n == 0)
            return;
    }
    if (n >= 20) {
        *words << QString::fromLatin1(tens[n / 10]);
        if (n % 10)
            *words << QString::fromLatin1(ones[n % 10]);
    } else {
        *words << QString::fromLatin1(ones[n]);
    }
}

bool isWordChar(QChar c)
{
    return c.isLetter() || c.isMark();
}

} // namespace

QStringList RecognitionGrammar::numberWords(const QString &digits)
{
    QStringList words;
    // Long digit strings and ones with leading zeros are said digit by digit.
    if (digits.size() > 6 || (digits.size() > 1 && digits.startsWith('0'))) {
        for (QChar c : digits)
            words << QString::fromLatin1(ones[c.digitValue()]);
        return words;
    }
    const int n = digits.toInt();
    if (n == 0)
        return {QStringLiteral("zero")};
    if (n >= 1000) {
        appendBelowThousand(n / 1000, &words);
        words << QStringLiteral("thousand");
    }
    if (n % 1000)
        appendBelowThousand(n % 1000, &words);
    return words;
}

QStringList RecognitionGrammar::spokenWords(const QString &phrase)
{
    QStringList words;
    const QString text = phrase.toLower();
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c.isDigit() && c.digitValue() >= 0) {
            qsizetype end = i;
            while (end < text.size() && text.at(end).isDigit() && text.at(end).digitValue() >= 0)
                ++end;
            QString digits;
            for (qsizetype k = i; k < end; ++k)
                digits += QChar('0' + text.at(k).digitValue());
            words << numberWords(digits);
            i = end;
        } else if (isWordChar(c)) {
            qsizetype end = i;
            // An apostrophe inside a word belongs to it ("what's"), one at an edge does not.
            while (end < text.size() && (isWordChar(text.at(end)) ||
                                         ((text.at(end) == '\'' || text.at(end) == QChar(0x2019)) &&
                                          end + 1 < text.size() && isWordChar(text.at(end + 1)))))
                ++end;
            QString word = text.mid(i, end - i);
            word.replace(QChar(0x2019), '\'');
            words << word;
            i = end;
        } else {
            ++i;
        }
    }
    return words;
}

RecognitionGrammar RecognitionGrammar::fromBytes(const QByteArray &bytes)
{
    RecognitionGrammar grammar;
    QSet<QString> seen;
    for (const QString &line : TextFile::splitLines(TextFile::decode(bytes))) {
        if (!line.startsWith(startPrefix))
            continue;
        const QString text = line.mid(startPrefix.size());
        const QStringList words = spokenWords(text);
        const QString key = words.join(' ');
        if (words.isEmpty() || seen.contains(key))
            continue;
        seen.insert(key);
        grammar.m_phrases.append({text, words});
    }
    return grammar;
}

bool RecognitionGrammar::readFile(const QString &path, RecognitionGrammar *grammar)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *grammar = fromBytes(file.readAll());
    return true;
}

QStringList RecognitionGrammar::vocabulary() const
{
    QStringList words;
    QSet<QString> seen;
    for (const Phrase &phrase : m_phrases) {
        for (const QString &word : phrase.words) {
            if (!seen.contains(word)) {
                seen.insert(word);
                words << word;
            }
        }
    }
    return words;
}

QString RecognitionGrammar::phraseFor(const QStringList &words) const
{
    for (const Phrase &phrase : m_phrases) {
        if (phrase.words == words)
            return phrase.text;
    }
    return {};
}
