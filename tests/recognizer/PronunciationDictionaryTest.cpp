#include "PronunciationDictionary.h"
#include "SpeechDecoder.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>

#include <gtest/gtest.h>

namespace {

const QSet<QString> cmuPhones = {"AA", "AE", "AH", "AO", "AW", "AY", "B",  "CH", "D",  "DH",
                                 "EH", "ER", "EY", "F",  "G",  "HH", "IH", "IY", "JH", "K",
                                 "L",  "M",  "N",  "NG", "OW", "OY", "P",  "R",  "S",  "SH",
                                 "T",  "TH", "UH", "UW", "V",  "W",  "Y",  "Z",  "ZH"};

bool allCmuPhones(const QString &pronunciation)
{
    const QStringList phones = pronunciation.split(' ');
    for (const QString &phone : phones) {
        if (!cmuPhones.contains(phone))
            return false;
    }
    return !phones.isEmpty();
}

} // namespace

TEST(PronunciationDictionary, TakesEveryVariantFromTheDictionary)
{
    PronunciationDictionary dictionary(SpeechDecoder::ModelPaths::debianDefaults().dictionary);
    EXPECT_EQ(dictionary.pronunciations("hello"), QStringList({"HH AH L OW", "HH EH L OW"}));
    EXPECT_TRUE(dictionary.pronunciations("robin").contains("R AA B AH N"));
    EXPECT_TRUE(dictionary.dictionaryPronunciations("quillet").isEmpty());
}

TEST(PronunciationDictionary, PronouncesUnknownWordsWithEspeakInCmuPhones)
{
    PronunciationDictionary dictionary(SpeechDecoder::ModelPaths::debianDefaults().dictionary);
    for (const QString word : {"quillet", "zorblax", "xandria"}) {
        const QStringList pronunciations = dictionary.pronunciations(word);
        ASSERT_EQ(pronunciations.size(), 1) << qPrintable(word);
        EXPECT_TRUE(allCmuPhones(pronunciations.at(0))) << qPrintable(pronunciations.at(0));
    }
    EXPECT_EQ(dictionary.pronunciations("zorblax").at(0), "Z AO R B L AE K S");
}

TEST(PronunciationDictionary, MapsIpaOntoCmuPhones)
{
    EXPECT_EQ(PronunciationDictionary::phonesFromIpa(QString::fromUtf8("tʃˈɛɹ")), "CH EH R");
    EXPECT_EQ(PronunciationDictionary::phonesFromIpa(QString::fromUtf8("dʒˈʌŋɡəl")),
              "JH AH NG G AH L");
    EXPECT_EQ(PronunciationDictionary::phonesFromIpa(QString::fromUtf8("bˈʌɾɚ")), "B AH T ER");
    EXPECT_EQ(PronunciationDictionary::phonesFromIpa(QString::fromUtf8("həlˈoʊ")), "HH AH L OW");
    EXPECT_TRUE(PronunciationDictionary::phonesFromIpa(QString::fromUtf8("ˈˌː")).isEmpty());
}

namespace {

// The resident part of the process, in kilobytes.
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

} // namespace

TEST(PronunciationDictionary, ReleasedPagesComeBackForTheNextLookup)
{
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    // Out of order, with an alternate and a comment, as the big dictionary has them.
    file.write("zebra Z IY B R AH\nabout AH B AW T\n;;; a comment line\nabout(2) AH B AW T # "
               "note\nbook B UH K\n");
    file.close();
    PronunciationDictionary dictionary(file.fileName());
    EXPECT_EQ(dictionary.dictionaryPronunciations("about"),
              QStringList({"AH B AW T", "AH B AW T"}));
    dictionary.releasePages();
    EXPECT_EQ(dictionary.dictionaryPronunciations("zebra"), QStringList({"Z IY B R AH"}));
    EXPECT_EQ(dictionary.dictionaryPronunciations("book"), QStringList({"B UH K"}));
    EXPECT_TRUE(dictionary.dictionaryPronunciations("bo").isEmpty());
}

TEST(PronunciationDictionary, TheBigDictionaryIsNotHeldAfterItsIndexIsMade)
{
    const QString path = SpeechDecoder::ModelPaths::debianDefaults().dictionary;
    const long before = residentKb();
    PronunciationDictionary dictionary(path);
    ASSERT_FALSE(dictionary.dictionaryPronunciations("hello").isEmpty());
    const long after = residentKb();
    ASSERT_GT(before, 0);
    // The index of line starts stays; the text itself (several megabytes) does not.
    EXPECT_LT(after - before, QFileInfo(path).size() / 1024 / 2);
    EXPECT_TRUE(dictionary.dictionaryPronunciations("robin").contains("R AA B AH N"));
}
