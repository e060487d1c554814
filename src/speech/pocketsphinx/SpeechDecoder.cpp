#include "SpeechDecoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <pocketsphinx.h>

#include <cmath>

namespace {

const char *const grammarSearch = "commands";
// Ten seconds of continuous sound is no command; cut it off rather than decode forever.
constexpr int maxUtteranceFrames = 1000;

// Ends an utterance after 0.25 s of silence: short enough for a quick answer, long
// enough for the pauses between the words of one phrase.
constexpr const char *vadPostSpeech = "25";

} // namespace

SpeechDecoder::ModelPaths SpeechDecoder::ModelPaths::debianDefaults() {
    const QString base = QStringLiteral("/usr/share/pocketsphinx/model/en-us/");
    return {base + "en-us", base + "cmudict-en-us.dict", base + "en-us-phone.lm.bin"};
}

SpeechDecoder::~SpeechDecoder() {
    if (m_grammar)
        ps_free(m_grammar);
    if (m_phones)
        ps_free(m_phones);
    if (!m_emptyDictionary.isEmpty())
        QFile::remove(m_emptyDictionary);
}

bool SpeechDecoder::init(const ModelPaths &paths, QString *error) {
    if (!QFileInfo::exists(paths.acousticModel + "/mdef") ||
        !QFileInfo::exists(paths.phoneLanguageModel)) {
        if (error)
            *error = QStringLiteral("speech model missing in %1").arg(paths.acousticModel);
        return false;
    }
    // The decoder starts with an empty dictionary: words are added as grammars need them,
    // which keeps loading fast and memory small.
    QTemporaryFile dictionary(QDir::tempPath() + "/quillet-dict-XXXXXX");
    dictionary.setAutoRemove(false);
    if (!dictionary.open()) {
        if (error)
            *error = QStringLiteral("cannot write a temporary file");
        return false;
    }
    m_emptyDictionary = dictionary.fileName();
    dictionary.close();

    const QByteArray hmm = paths.acousticModel.toLocal8Bit();
    const QByteArray dict = m_emptyDictionary.toLocal8Bit();
    const QByteArray phoneLm = paths.phoneLanguageModel.toLocal8Bit();

    cmd_ln_t *grammarConfig =
        cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", hmm.constData(), "-dict", dict.constData(),
                    "-vad_postspeech", vadPostSpeech, "-logfn", "/dev/null", nullptr);
    cmd_ln_t *phoneConfig =
        cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", hmm.constData(), "-dict", dict.constData(),
                    "-allphone", phoneLm.constData(), "-lw", "2.0", "-beam", "1e-20", "-pbeam",
                    "1e-20", "-vad_postspeech", vadPostSpeech, "-logfn", "/dev/null", nullptr);
    if (grammarConfig)
        m_grammar = ps_init(grammarConfig);
    if (phoneConfig)
        m_phones = ps_init(phoneConfig);
    cmd_ln_free_r(grammarConfig);
    cmd_ln_free_r(phoneConfig);
    if (!m_grammar || !m_phones) {
        if (error)
            *error =
                QStringLiteral("cannot load the speech model from %1").arg(paths.acousticModel);
        return false;
    }
    return true;
}

bool SpeechDecoder::setGrammar(const QList<QStringList> &phrases,
                               const QHash<QString, QStringList> &pronunciations) {
    if (!isReady())
        return false;
    if (m_started) {
        ps_end_utt(m_grammar);
        ps_end_utt(m_phones);
        m_started = false;
        m_inSpeech = false;
    }
    m_hasGrammar = false;

    // Words stay in the decoder's dictionary once added; a later grammar may use them again.
    for (auto it = pronunciations.constBegin(); it != pronunciations.constEnd(); ++it) {
        const QString &word = it.key();
        for (const QString &phones : it.value()) {
            const QString key = word + ' ' + phones;
            if (m_knownPronunciations.contains(key))
                continue;
            int &variants = m_variants[word];
            const QString entry =
                variants == 0 ? word : QStringLiteral("%1(%2)").arg(word).arg(variants + 1);
            if (ps_add_word(m_grammar, entry.toUtf8().constData(), phones.toLatin1().constData(),
                            FALSE) >= 0) {
                ++variants;
                m_knownPronunciations.insert(key);
            }
        }
    }

    int stateCount = 2;
    for (const QStringList &words : phrases)
        stateCount += static_cast<int>(words.size()) - 1;
    if (phrases.isEmpty())
        return true;

    // One path per phrase from the start state (0) to the final state (1), all equally likely.
    logmath_t *logmath = ps_get_logmath(m_grammar);
    const float languageWeight = 6.5f;
    fsg_model_t *fsg = fsg_model_init(grammarSearch, logmath, languageWeight, stateCount);
    fsg->start_state = 0;
    fsg->final_state = 1;
    const int32 entryLogp =
        static_cast<int32>(logmath_log(logmath, 1.0 / phrases.size()) * languageWeight);
    int nextState = 2;
    for (const QStringList &words : phrases) {
        int from = 0;
        for (qsizetype i = 0; i < words.size(); ++i) {
            const int to = i + 1 == words.size() ? 1 : nextState++;
            const int wid = fsg_model_word_add(fsg, words.at(i).toUtf8().constData());
            fsg_model_trans_add(fsg, from, to, i == 0 ? entryLogp : 0, wid);
            from = to;
        }
    }
    const bool ok = ps_set_fsg(m_grammar, grammarSearch, fsg) == 0 &&
                    ps_set_search(m_grammar, grammarSearch) == 0;
    fsg_model_free(fsg);
    m_hasGrammar = ok;
    if (ok)
        startUtterances();
    return ok;
}

void SpeechDecoder::startUtterances() {
    if (m_started || !m_hasGrammar)
        return;
    ps_start_utt(m_grammar);
    ps_start_utt(m_phones);
    m_started = true;
    m_inSpeech = false;
}

void SpeechDecoder::endUtterances() {
    if (!m_started)
        return;
    ps_end_utt(m_grammar);
    ps_end_utt(m_phones);
    m_started = false;
    m_inSpeech = false;
}

void SpeechDecoder::restart() {
    endUtterances();
    startUtterances();
}

bool SpeechDecoder::process(const int16_t *samples, int count, Utterance *utterance) {
    if (!m_hasGrammar)
        return false;
    startUtterances();
    ps_process_raw(m_grammar, samples, count, FALSE, FALSE);
    ps_process_raw(m_phones, samples, count, FALSE, FALSE);
    const bool inSpeech = ps_get_in_speech(m_grammar);
    if (inSpeech) {
        m_inSpeech = true;
        if (ps_get_n_frames(m_grammar) > maxUtteranceFrames)
            restart();
        return false;
    }
    if (!m_inSpeech)
        return false;

    ps_end_utt(m_grammar);
    ps_end_utt(m_phones);
    m_started = false;
    m_inSpeech = false;
    int32 grammarScore = 0;
    int32 phoneScore = 0;
    const char *hyp = ps_get_hyp(m_grammar, &grammarScore);
    ps_get_hyp(m_phones, &phoneScore);
    const int frames = ps_get_n_frames(m_grammar);
    utterance->words = hyp ? QString::fromUtf8(hyp).split(' ', Qt::SkipEmptyParts) : QStringList();
    utterance->frames = frames;
    utterance->confidence = frames > 0 ? double(grammarScore - phoneScore) / frames : -1e9;
    startUtterances();
    return true;
}
