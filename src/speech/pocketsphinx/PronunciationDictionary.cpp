#include "PronunciationDictionary.h"

#include "EspeakLibrary.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <string_view>

#include <sys/mman.h>

namespace {

struct IpaPhone {
    const char16_t *ipa;
    const char *cmu;
};

// Longest matches first. espeak-ng's American and British vowels both land on the nearest
// CMU vowel; a flap is a T as in the dictionary's "butter".
const IpaPhone ipaPhones[] = {
    {u"tʃ", "CH"},   {u"dʒ", "JH"}, {u"eɪ", "EY"}, {u"aɪ", "AY"},      {u"ɔɪ", "OY"},
    {u"aʊ", "AW"},   {u"oʊ", "OW"}, {u"əʊ", "OW"}, {u"ɪə", "IH R"},    {u"eə", "EH R"},
    {u"ʊə", "UH R"}, {u"ɑː", "AA"}, {u"ɔː", "AO"}, {u"ɜː", "ER"},      {u"iː", "IY"},
    {u"uː", "UW"},   {u"oː", "AO"}, {u"aː", "AA"}, {u"ə\u02DE", "ER"}, {u"ɪ", "IH"},
    {u"i", "IY"},    {u"ɛ", "EH"},  {u"e", "EH"},  {u"æ", "AE"},       {u"a", "AE"},
    {u"ɑ", "AA"},    {u"ɒ", "AA"},  {u"ɔ", "AO"},  {u"o", "OW"},       {u"ʊ", "UH"},
    {u"u", "UW"},    {u"ʌ", "AH"},  {u"ə", "AH"},  {u"ɐ", "AH"},       {u"ᵻ", "IH"},
    {u"ɚ", "ER"},    {u"ɝ", "ER"},  {u"ɜ", "ER"},  {u"y", "UW"},       {u"ø", "ER"},
    {u"œ", "ER"},    {u"ɹ", "R"},   {u"r", "R"},   {u"ɾ", "T"},        {u"l", "L"},
    {u"ɫ", "L"},     {u"w", "W"},   {u"j", "Y"},   {u"h", "HH"},       {u"m", "M"},
    {u"n", "N"},     {u"ŋ", "NG"},  {u"ɲ", "N Y"}, {u"p", "P"},        {u"b", "B"},
    {u"t", "T"},     {u"d", "D"},   {u"k", "K"},   {u"ɡ", "G"},        {u"g", "G"},
    {u"f", "F"},     {u"v", "V"},   {u"θ", "TH"},  {u"ð", "DH"},       {u"s", "S"},
    {u"z", "Z"},     {u"ʃ", "SH"},  {u"ʒ", "ZH"},  {u"ʔ", "T"},        {u"x", "K"},
    {u"ç", "HH"},    {u"ɣ", "G"},   {u"β", "B"},   {u"ʋ", "V"},        {u"ɬ", "L"},
    {u"q", "K"},
};

std::string_view keyOf(const char *line, const char *end)
{
    const char *p = line;
    while (p < end && *p != ' ' && *p != '\t' && *p != '\n' && *p != '\r')
        ++p;
    std::string_view key(line, p - line);
    // "word(2)" is an alternate of "word".
    if (key.size() > 2 && key.back() == ')') {
        const size_t open = key.rfind('(');
        if (open != std::string_view::npos && open > 0)
            key = key.substr(0, open);
    }
    return key;
}

} // namespace

PronunciationDictionary::PronunciationDictionary(const QString &dictionaryPath)
    : m_path(dictionaryPath)
{}

QString PronunciationDictionary::phonesFromIpa(const QString &ipa)
{
    QStringList phones;
    qsizetype i = 0;
    while (i < ipa.size()) {
        bool matched = false;
        for (const IpaPhone &phone : ipaPhones) {
            const QString pattern = QString::fromUtf16(phone.ipa);
            if (QStringView(ipa).mid(i).startsWith(pattern)) {
                phones << QString::fromLatin1(phone.cmu);
                i += pattern.size();
                matched = true;
                break;
            }
        }
        // Stress, length, syllable marks, ties and diacritics carry no phone of their own.
        if (!matched)
            ++i;
    }
    return phones.join(' ');
}

void PronunciationDictionary::loadIndex()
{
    m_loaded = true;
    m_file.setFileName(m_path);
    if (!m_file.open(QIODevice::ReadOnly))
        return;
    m_size = m_file.size();
    m_text = m_size > 0 ? reinterpret_cast<const char *>(m_file.map(0, m_size)) : nullptr;
    if (!m_text) {
        m_copy = m_file.readAll();
        m_text = m_copy.constData();
        m_size = m_copy.size();
    }
    const char *data = m_text;
    const qsizetype size = m_size;
    for (qsizetype at = 0; at < size;) {
        const char *newline = static_cast<const char *>(memchr(data + at, '\n', size - at));
        const qsizetype end = newline ? newline - data : size;
        if (end > at && data[at] != '#')
            m_lines.push_back(static_cast<uint32_t>(at));
        at = end + 1;
    }
    std::stable_sort(m_lines.begin(), m_lines.end(),
                     [this](uint32_t a, uint32_t b) { return keyAt(a) < keyAt(b); });
    releasePages();
}

void PronunciationDictionary::releasePages()
{
    if (!m_text || !m_copy.isNull())
        return;
    // The mapping starts on a page, as every mapping does.
    madvise(const_cast<char *>(m_text), size_t(m_size), MADV_DONTNEED);
}

std::string_view PronunciationDictionary::keyAt(uint32_t offset) const
{
    return keyOf(m_text + offset, m_text + m_size);
}

QStringList PronunciationDictionary::dictionaryPronunciations(const QString &word)
{
    if (!m_loaded)
        loadIndex();
    const QByteArray utf8 = word.toUtf8();
    const std::string_view key(utf8.constData(), utf8.size());
    auto first =
        std::lower_bound(m_lines.begin(), m_lines.end(), key,
                         [this](uint32_t line, std::string_view k) { return keyAt(line) < k; });
    QStringList result;
    const char *data = m_text;
    for (auto it = first; it != m_lines.end() && keyAt(*it) == key; ++it) {
        const char *line = data + *it;
        const char *end = static_cast<const char *>(memchr(line, '\n', m_size - *it));
        if (!end)
            end = data + m_size;
        QString text = QString::fromUtf8(line, end - line);
        const qsizetype comment = text.indexOf('#');
        if (comment >= 0)
            text.truncate(comment);
        QStringList fields = text.simplified().split(' ', Qt::SkipEmptyParts);
        if (fields.size() > 1) {
            fields.removeFirst();
            result << fields.join(' ');
        }
    }
    return result;
}

QStringList PronunciationDictionary::pronunciations(const QString &word)
{
    const auto cached = m_cache.constFind(word);
    if (cached != m_cache.constEnd())
        return *cached;
    QStringList result = dictionaryPronunciations(word);
    if (result.isEmpty()) {
        const QString phones = phonesFromIpa(EspeakLibrary::instance().textToPhonemes(word, true));
        if (!phones.isEmpty())
            result << phones;
    }
    m_cache.insert(word, result);
    return result;
}
