#include "EspeakLibrary.h"

#include <espeak-ng/speak_lib.h>

EspeakLibrary &EspeakLibrary::instance() {
    static EspeakLibrary library;
    return library;
}

EspeakLibrary::EspeakLibrary() {
    std::lock_guard lock(m_mutex);
    // Synchronous output: the synthesizer's worker thread receives the samples through the
    // callback and plays them itself.
    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 200, nullptr, 0);
    m_sampleRate = rate > 0 ? rate : 0;
}

QString EspeakLibrary::textToPhonemes(const QString &text, bool ipa, const QString &voice) {
    if (!isAvailable())
        return {};
    std::lock_guard lock(m_mutex);
    const QByteArray voiceName = voice.toUtf8();
    espeak_SetVoiceByName(voiceName.constData());
    const QByteArray utf8 = text.toUtf8();
    const void *pointer = utf8.constData();
    QString result;
    // espeak_TextToPhonemes consumes one clause per call and advances the pointer.
    while (pointer) {
        const char *phonemes = espeak_TextToPhonemes(&pointer, espeakCHARS_UTF8, ipa ? 0x02 : 0);
        if (!phonemes)
            break;
        if (!result.isEmpty())
            result += ' ';
        result += QString::fromUtf8(phonemes).trimmed();
    }
    return result;
}
