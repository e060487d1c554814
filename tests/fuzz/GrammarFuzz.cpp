// Any bytes as a grammar file, as the phrases of a command list that a grammar file is made
// from, and as espeak-ng's phonemes for a word. Every phrase must be found again by the words
// it is said with, and every word and phone must be one the decoder can take.
#include "CommandList.h"
#include "FuzzCheck.h"
#include "ListSaver.h"
#include "PronunciationDictionary.h"
#include "RecognitionGrammar.h"
#include "TextFile.h"

#include <QSet>

#include <cstddef>
#include <cstdint>

namespace {

void checkWords(const QStringList &words)
{
    for (const QString &word : words) {
        // The decoder's grammar joins words with spaces and looks them up one by one.
        FUZZ_CHECK(!word.isEmpty());
        for (QChar c : word)
            FUZZ_CHECK(!c.isSpace());
    }
}

void checkGrammar(const RecognitionGrammar &grammar)
{
    QSet<QString> vocabulary;
    for (const QString &word : grammar.vocabulary()) {
        FUZZ_CHECK(!vocabulary.contains(word));
        vocabulary.insert(word);
    }
    for (const RecognitionGrammar::Phrase &phrase : grammar.phrases()) {
        FUZZ_CHECK(!phrase.words.isEmpty());
        checkWords(phrase.words);
        FUZZ_CHECK(grammar.phraseFor(phrase.words) == phrase.text);
        for (const QString &word : phrase.words)
            FUZZ_CHECK(vocabulary.contains(word));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkGrammar(RecognitionGrammar::fromBytes(bytes));

    // The same bytes as a list's phrases, one a line, through the file the program writes.
    CommandList list;
    QStringList phrases;
    for (const QString &line : TextFile::splitLines(TextFile::decode(bytes))) {
        // The list turns down a phrase with a line break (a lone CR here) as the editor does.
        if (list.append({line, QStringLiteral("Speak"), QString()}))
            phrases << line;
    }
    const RecognitionGrammar built = RecognitionGrammar::fromBytes(ListSaver::grammarText(list));
    checkGrammar(built);
    for (const QString &phrase : phrases) {
        const QStringList words = RecognitionGrammar::spokenWords(phrase);
        if (!words.isEmpty())
            FUZZ_CHECK(!built.phraseFor(words).isEmpty());
    }

    // espeak-ng's phonemes for a word become phones of the acoustic model's set: upper-case
    // ASCII names, one space between them. A word's phonemes are short, and the conversion
    // tries every phone at every place, so only the start of the input goes through it.
    const QString phones = PronunciationDictionary::phonesFromIpa(TextFile::decode(bytes).left(64));
    if (!phones.isEmpty()) {
        for (const QString &phone : phones.split(' ')) {
            FUZZ_CHECK(!phone.isEmpty());
            for (QChar c : phone)
                FUZZ_CHECK(c >= 'A' && c <= 'Z');
        }
    }
    return 0;
}
