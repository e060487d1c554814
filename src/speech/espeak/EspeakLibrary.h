#pragma once

#include <QString>
#include <QStringList>

#include <functional>
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

    struct Voice {
        QString name = QStringLiteral("en");
        int rate = 175;   // words per minute
        int pitch = 50;   // 0 to 100
        int volume = 100; // 0 to 100
    };

    // Receives each chunk of mono 16-bit samples as it is produced; returning false aborts
    // the synthesis.
    using ChunkHandler = std::function<bool(const short *samples, int count)>;

    // Speaks text as plain text (no markup, no phoneme input) in the given voice, handing the
    // audio to onChunk while the lock is held. Returns false when the engine refused.
    bool synthesize(const QByteArray &utf8, const Voice &voice, const ChunkHandler &onChunk);

    // The language names of the installed voices, usable as Voice::name.
    QStringList voiceNames();
    bool hasVoice(const QString &name);

private:
    EspeakLibrary();
    // Called on the synthesizing thread, inside espeak_Synth, with m_mutex held.
    int deliverChunk(const short *samples, int count);

    std::mutex m_mutex;
    int m_sampleRate = 0;
    const ChunkHandler *m_onChunk = nullptr;
    QStringList m_voiceNames;
};
