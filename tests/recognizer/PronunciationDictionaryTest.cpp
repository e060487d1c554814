#include "PronunciationDictionary.h"
#include "SpeechDecoder.h"

#include <QSet>

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
