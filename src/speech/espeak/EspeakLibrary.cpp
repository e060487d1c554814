#include "EspeakLibrary.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>

namespace {
// Small chunks so that the first audio of an utterance reaches the sound card quickly;
// synthesis runs far ahead of playback, so the extra callbacks cost nothing audible.
constexpr int chunkMilliseconds = 20;
} // namespace

EspeakLibrary &EspeakLibrary::instance()
{
    static EspeakLibrary library;
    return library;
}

EspeakLibrary::EspeakLibrary()
{
    std::lock_guard lock(m_mutex);
    // Synchronous output: the synthesizer's worker thread receives the samples through the
    // callback and plays them itself.
    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, chunkMilliseconds, nullptr, 0);
    m_sampleRate = rate > 0 ? rate : 0;
    if (m_sampleRate > 0)
        espeak_SetSynthCallback([](short *wav, int numsamples, espeak_EVENT *) {
            return instance().deliverChunk(wav, numsamples);
        });
}

int EspeakLibrary::deliverChunk(const short *samples, int count)
{
    // The last call of an utterance carries no samples.
    if (!m_onChunk || !samples || count <= 0)
        return 0;
    return (*m_onChunk)(samples, count) ? 0 : 1;
}

bool EspeakLibrary::synthesize(const QByteArray &utf8, const Voice &voice,
                               const ChunkHandler &onChunk)
{
    if (!isAvailable())
        return false;
    std::lock_guard lock(m_mutex);
    // The recognizer switches voices for its pronunciations, so every utterance sets all of
    // its own parameters again; a voice change resets the others, hence it goes first.
    const QByteArray voiceName = voice.name.toUtf8();
    if (espeak_SetVoiceByName(voiceName.constData()) != EE_OK)
        espeak_SetVoiceByName("en");
    espeak_SetParameter(espeakRATE, std::clamp(voice.rate, espeakRATE_MINIMUM, espeakRATE_MAXIMUM),
                        0);
    espeak_SetParameter(espeakPITCH, std::clamp(voice.pitch, 0, 100), 0);
    espeak_SetParameter(espeakVOLUME, std::clamp(voice.volume, 0, 100), 0);

    m_onChunk = &onChunk;
    // No espeakSSML and no espeakPHONEMES: "<b>" or "[[" are read out like any other text.
    const espeak_ERROR result = espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0,
                                             POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    m_onChunk = nullptr;
    return result == EE_OK;
}

QStringList EspeakLibrary::voiceNames()
{
    if (!isAvailable())
        return {};
    std::lock_guard lock(m_mutex);
    if (m_voiceNames.isEmpty()) {
        for (const espeak_VOICE **voice = espeak_ListVoices(nullptr); voice && *voice; ++voice) {
            // languages: a priority byte, then a zero-terminated name, repeated until an empty
            // name. "en" is only listed this way, as the language of "en-gb" and others.
            for (const char *language = (*voice)->languages; language && language[0] && language[1];
                 language += 2 + qstrlen(language + 1)) {
                const QString name = QString::fromUtf8(language + 1);
                if (!m_voiceNames.contains(name))
                    m_voiceNames << name;
            }
        }
        m_voiceNames.sort();
    }
    return m_voiceNames;
}

bool EspeakLibrary::hasVoice(const QString &name)
{
    return voiceNames().contains(name);
}

QString EspeakLibrary::textToPhonemes(const QString &text, bool ipa, const QString &voice)
{
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
