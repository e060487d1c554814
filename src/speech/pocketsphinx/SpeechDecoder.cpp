#include "SpeechDecoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <pocketsphinx.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const char *const grammarSearch = "commands";
const char *const phoneSearch = "phones";
// Ten seconds of continuous sound is no command; cut it off rather than decode forever.
constexpr int maxUtteranceFrames = 1000;

// Ends an utterance after 0.25 s of silence: short enough for a quick answer, long
// enough for the pauses between the words of one phrase.
constexpr int vadPostSpeechFrames = 25;

// Wider than the decoder's defaults (1e-48, 7e-29). With the defaults, after a few
// utterances had moved the live cepstral mean, the right phrase was sometimes pruned in its
// first word and a wrong one won. A grammar of a few dozen phrases is cheap to search even
// this wide.
constexpr const char *stateBeam = "1e-80";
constexpr const char *wordBeam = "1e-60";

// Even over true silence the phone loop scores a little better than the silence model; only
// what it wins beyond this, per frame, counts as speech hidden in a silence.
constexpr double silenceAllowancePerFrame = 8;

// One step of a decoder's best path: a word, a phone or a silence, with its frames and the
// acoustic part of its score (without grammar or language-model weights).
struct PathStep {
    bool filler = false;
    int start = 0;
    int end = 0;
    int32 score = 0;

    int frames() const { return end - start + 1; }
};

std::vector<PathStep> bestPath(ps_decoder_t *decoder, QList<SpeechDecoder::Segment> *segments)
{
    std::vector<PathStep> path;
    for (ps_seg_t *seg = ps_seg_iter(decoder); seg; seg = ps_seg_next(seg)) {
        PathStep step;
        const char *word = ps_seg_word(seg);
        step.filler = word && (word[0] == '<' || word[0] == '[');
        int32 language = 0, backoff = 0;
        ps_seg_frames(seg, &step.start, &step.end);
        ps_seg_prob(seg, &step.score, &language, &backoff);
        path.push_back(step);
        if (segments) {
            SpeechDecoder::Segment segment;
            segment.word = QString::fromUtf8(word);
            segment.startFrame = step.start;
            segment.endFrame = step.end;
            segment.grammarScore = step.score;
            *segments << segment;
        }
    }
    return path;
}

int32 totalScore(const std::vector<PathStep> &path)
{
    int32 total = 0;
    for (const PathStep &step : path)
        total += step.score;
    return total;
}

// Frames the path spends in silence or other fillers.
int fillerFrames(const std::vector<PathStep> &path)
{
    int frames = 0;
    for (const PathStep &step : path)
        frames += step.filler ? step.frames() : 0;
    return frames;
}

// The phone loop's score for frames first..last, sharing out a phone that straddles the
// edge by the frames it has on either side.
double loopScoreOver(const std::vector<PathStep> &loop, int first, int last)
{
    double total = 0;
    for (const PathStep &step : loop) {
        const int from = std::max(first, step.start);
        const int to = std::min(last, step.end);
        if (to < from)
            continue;
        total += double(step.score) * (to - from + 1) / step.frames();
    }
    return total;
}

} // namespace

SpeechDecoder::ModelPaths SpeechDecoder::ModelPaths::debianDefaults()
{
    const QString base = QStringLiteral("/usr/share/pocketsphinx/model/en-us/");
    return {base + "en-us", base + "cmudict-en-us.dict", base + "en-us-phone.lm.bin"};
}

SpeechDecoder::~SpeechDecoder()
{
    if (m_grammar)
        ps_free(m_grammar);
    if (m_phones)
        ps_free(m_phones);
    if (!m_emptyDictionary.isEmpty())
        QFile::remove(m_emptyDictionary);
    if (!m_fillerDictionary.isEmpty())
        QFile::remove(m_fillerDictionary);
}

bool SpeechDecoder::init(const ModelPaths &paths, QString *error)
{
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

    // Only silence as filler: the model's noise filler would swallow whatever words of a
    // sentence the grammar cannot explain, and sentences would pass as commands.
    QTemporaryFile fillers(QDir::tempPath() + "/quillet-fillers-XXXXXX");
    fillers.setAutoRemove(false);
    if (fillers.open()) {
        fillers.write("<s> SIL\n</s> SIL\n<sil> SIL\n");
        m_fillerDictionary = fillers.fileName();
        fillers.close();
    }
    const QByteArray fdict = m_fillerDictionary.toLocal8Bit();
    const QByteArray hmm = paths.acousticModel.toLocal8Bit();
    const QByteArray dict = m_emptyDictionary.toLocal8Bit();

    const QByteArray vadPostSpeech = QByteArray::number(vadPostSpeechFrames);
    cmd_ln_t *grammarConfig = cmd_ln_init(
        nullptr, ps_args(), TRUE, "-hmm", hmm.constData(), "-dict", dict.constData(), "-fdict",
        fdict.constData(), "-vad_postspeech", vadPostSpeech.constData(), "-beam", stateBeam,
        "-pbeam", stateBeam, "-wbeam", wordBeam, "-logfn", "/dev/null", nullptr);
    // No lattice for the phone loop: only the best path's score is wanted.
    cmd_ln_t *phoneConfig = cmd_ln_init(
        nullptr, ps_args(), TRUE, "-hmm", hmm.constData(), "-dict", dict.constData(), "-fdict",
        fdict.constData(), "-bestpath", "no", "-vad_postspeech", vadPostSpeech.constData(), "-beam",
        stateBeam, "-pbeam", stateBeam, "-wbeam", wordBeam, "-logfn", "/dev/null", nullptr);
    if (grammarConfig)
        m_grammar = ps_init(grammarConfig);
    if (phoneConfig)
        m_phones = ps_init(phoneConfig);
    cmd_ln_free_r(grammarConfig);
    cmd_ln_free_r(phoneConfig);
    if (!m_grammar || !m_phones || !setPhoneLoop()) {
        if (error)
            *error =
                QStringLiteral("cannot load the speech model from %1").arg(paths.acousticModel);
        return false;
    }
    return true;
}

bool SpeechDecoder::setPhoneLoop()
{
    // Any sequence of phones, each as likely as the next: the yardstick a command's score is
    // measured against. A grammar search over one-phone words costs far less than the
    // decoder's all-phone search with its phone language model.
    static const char *const phones[] = {"AA", "AE", "AH", "AO", "AW", "AY", "B",  "CH", "D",  "DH",
                                         "EH", "ER", "EY", "F",  "G",  "HH", "IH", "IY", "JH", "K",
                                         "L",  "M",  "N",  "NG", "OW", "OY", "P",  "R",  "S",  "SH",
                                         "T",  "TH", "UH", "UW", "V",  "W",  "Y",  "Z",  "ZH"};
    constexpr int phoneCount = sizeof(phones) / sizeof(phones[0]);
    QByteArray jsgf = "#JSGF V1.0;\ngrammar phones;\npublic <phones> = ( ";
    for (int i = 0; i < phoneCount; ++i) {
        const QByteArray word = QByteArray("ph") + QByteArray(phones[i]).toLower();
        ps_add_word(m_phones, word.constData(), phones[i], FALSE);
        jsgf += (i ? " | " : "") + word;
    }
    jsgf += " )+ ;\n";
    const bool ok = ps_set_jsgf_string(m_phones, phoneSearch, jsgf.constData()) == 0 &&
                    ps_set_search(m_phones, phoneSearch) == 0;
    return ok;
}

bool SpeechDecoder::setGrammar(const QList<QStringList> &phrases,
                               const QHash<QString, QStringList> &pronunciations)
{
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

void SpeechDecoder::startUtterances()
{
    if (m_started || !m_hasGrammar)
        return;
    ps_start_utt(m_grammar);
    ps_start_utt(m_phones);
    m_started = true;
    m_inSpeech = false;
}

void SpeechDecoder::endUtterances()
{
    if (!m_started)
        return;
    ps_end_utt(m_grammar);
    ps_end_utt(m_phones);
    m_started = false;
    m_inSpeech = false;
}

void SpeechDecoder::restart()
{
    endUtterances();
    startUtterances();
}

bool SpeechDecoder::process(const int16_t *samples, int count, Utterance *utterance)
{
    if (!m_hasGrammar)
        return false;
    startUtterances();
    int peak = 0;
    for (int i = 0; i < count; ++i)
        peak = std::max(peak, std::abs(int(samples[i])));
    m_floored.assign(samples, samples + count);
    m_noiseFloor.apply(m_floored.data(), count);
    samples = m_floored.data();
    ps_process_raw(m_grammar, samples, count, FALSE, FALSE);
    ps_process_raw(m_phones, samples, count, FALSE, FALSE);
    const bool inSpeech = ps_get_in_speech(m_grammar);
    if (inSpeech) {
        if (!m_inSpeech)
            m_utterancePeak = 0;
        m_utterancePeak = std::max(m_utterancePeak, peak);
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
    m_noiseFloor.followSpeech(m_utterancePeak);
    int32 pathScore = 0;
    const char *hyp = ps_get_hyp(m_grammar, &pathScore);
    const int frames = ps_get_n_frames(m_grammar);
    utterance->words = hyp ? QString::fromUtf8(hyp).split(' ', Qt::SkipEmptyParts) : QStringList();
    utterance->frames = frames;
    utterance->segments.clear();
    const std::vector<PathStep> grammarPath = bestPath(m_grammar, &utterance->segments);
    const std::vector<PathStep> loopPath = bestPath(m_phones, nullptr);
    // Speech the grammar can only cover with silence is speech it has no words for.
    utterance->unexplainedFrames = fillerFrames(grammarPath) - fillerFrames(loopPath);
    // The last frames are those the voice-activity detector heard as silence before it ended
    // the utterance: whatever the loop finds there, it is no hidden word.
    const int lastCounted = grammarPath.empty() ? 0 : grammarPath.back().end - vadPostSpeechFrames;
    double hidden = 0;
    for (size_t i = 0; i < grammarPath.size(); ++i) {
        const PathStep &step = grammarPath[i];
        Segment &segment = utterance->segments[qsizetype(i)];
        segment.loopScore = loopScoreOver(loopPath, step.start, step.end);
        const int counted = std::min(step.end, lastCounted) - step.start + 1;
        if (step.filler && counted > 0) {
            const double gap = (segment.loopScore - step.score) * counted / step.frames();
            hidden += std::max(0.0, gap - silenceAllowancePerFrame * counted);
        }
    }
    utterance->hiddenSpeech = frames > 0 ? hidden / frames : 0;
    const int32 difference = totalScore(grammarPath) - totalScore(loopPath);
    utterance->confidence = frames > 0 ? double(difference) / frames : -1e9;
    startUtterances();
    return true;
}
