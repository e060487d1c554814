#pragma once

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QString>
#include <QStringList>

#include <string_view>
#include <vector>

// Pronunciations in the acoustic model's phone set (CMU phones such as "HH AH L OW"). Words
// of the big pronouncing dictionary come from it; any other word (a character's name, a
// made-up word) is pronounced by espeak-ng and its phonemes mapped onto the CMU set. The
// big dictionary is mapped on first use and only indexed, not parsed into words; between
// grammars its pages go back to the system (releasePages), as the few that a lookup needs
// come back from the page cache at once.
class PronunciationDictionary {
public:
    explicit PronunciationDictionary(const QString &dictionaryPath);

    // Every pronunciation of a lower-case word; empty when none can be made.
    QStringList pronunciations(const QString &word);
    // Only from the dictionary file.
    QStringList dictionaryPronunciations(const QString &word);

    // Lets the system have the dictionary's pages until the next lookup; the index stays.
    void releasePages();

    // CMU phones for espeak-ng's IPA output of one word.
    static QString phonesFromIpa(const QString &ipa);

private:
    void loadIndex();
    std::string_view keyAt(uint32_t offset) const;

    QString m_path;
    bool m_loaded = false;
    QFile m_file;
    // The file's text: mapped, or read into m_copy where it cannot be mapped.
    const char *m_text = nullptr;
    qsizetype m_size = 0;
    QByteArray m_copy;
    // Line starts sorted by head word, alternates ("word(2)") after their main entry.
    std::vector<uint32_t> m_lines;
    QHash<QString, QStringList> m_cache;
};
