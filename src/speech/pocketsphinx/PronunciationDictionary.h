#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <string_view>
#include <vector>

// Pronunciations in the acoustic model's phone set (CMU phones such as "HH AH L OW"). Words
// of the big pronouncing dictionary come from it; any other word (a character's name, a
// made-up word) is pronounced by espeak-ng and its phonemes mapped onto the CMU set. The
// big dictionary is read once, on first use, and only indexed, not parsed into words.
class PronunciationDictionary {
public:
    explicit PronunciationDictionary(const QString &dictionaryPath);

    // Every pronunciation of a lower-case word; empty when none can be made.
    QStringList pronunciations(const QString &word);
    // Only from the dictionary file.
    QStringList dictionaryPronunciations(const QString &word);

    // CMU phones for espeak-ng's IPA output of one word.
    static QString phonesFromIpa(const QString &ipa);

private:
    void loadIndex();
    std::string_view keyAt(uint32_t offset) const;

    QString m_path;
    bool m_loaded = false;
    QByteArray m_data;
    // Line starts sorted by head word, alternates ("word(2)") after their main entry.
    std::vector<uint32_t> m_lines;
    QHash<QString, QStringList> m_cache;
};
