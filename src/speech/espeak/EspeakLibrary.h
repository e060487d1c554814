#pragma once

#include <QString>

#include <mutex>

// espeak-ng keeps one global engine per process and is not thread-safe, yet the synthesizer
// speaks with it while the recognizer asks it for pronunciations. Every use goes through
// this one library object and its lock.
class EspeakLibrary {
public:
    static EspeakLibrary &instance();

    // False when espeak-ng could not be initialised (no data files).
    bool isAvailable() const { return m_sampleRate > 0; }
    int sampleRate() const { return m_sampleRate; }

    // Hold this while calling any espeak_* function.
    std::mutex &mutex() { return m_mutex; }

    // The phonemes espeak-ng gives for a text in the given voice, in its ASCII phoneme
    // mnemonics (phonememode 0) or, with ipa true, in IPA; words are separated by spaces.
    QString textToPhonemes(const QString &text, bool ipa = false, const QString &voice = "en-us");

private:
    EspeakLibrary();

    std::mutex m_mutex;
    int m_sampleRate = 0;
};
