#include "SpeechDecoder.h"

#include "PhraseGraph.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <pocketsphinx.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
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

// A frame this far above the background's level is someone's voice (or another sound); a run
// of fewer such frames than the second is a click, not speech.
constexpr double loudAboveBackgroundDb = 10;
constexpr int shortestSound = 3;
// How far before its aligned start a word's sound may begin.
constexpr int maxOnsetShift = 15;
// The background's level is the quietest frame of the last second: speech always has a
// break between sounds within a second, while a fan turned up, or a microphone's gain, is
// followed within that second.
constexpr int backgroundFrames = 100;
// Nothing quieter is a voice (about -60 dBFS), however silent the microphone was before.
constexpr double quietestSoundDb = 30;

// The speech peak the noise suppressor was measured with.
constexpr double frontEndPeak = 11000;
constexpr SpeechFrontEnd::Kind defaultFrontEnd = SpeechFrontEnd::Kind::Speex;

// A whole phrase is said once the sound has stayed this far under the utterance's loudest
// for as long as the voice-activity detector waits. People talking or a television far behind
// the speaker keep that detector hearing speech long after the speaker stopped, and in a
// room's noise it often waits past its own 0.25 s. At 16 dB the soft start of a sentence
// going on after a phrase ("and then...") ended the phrase as if said alone, and the quiet
// sounds inside words ("s", "f") cut phrases in two under pink noise.
constexpr double endUnderTopDb = 20;

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
    // The benchmarks compare front ends on the same audio by this variable.
    SpeechFrontEnd::Kind frontEnd = defaultFrontEnd;
    const QString frontEndName = qEnvironmentVariable("QUILLET_FRONT_END");
    if (!frontEndName.isEmpty() && !SpeechFrontEnd::kindFromName(frontEndName, &frontEnd))
        std::fprintf(stderr,
                     "Quillet: QUILLET_FRONT_END=%s is not a front end; using the usual one\n",
                     qPrintable(frontEndName));
    m_frontEnd = SpeechFrontEnd::create(frontEnd);
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

    m_phrases.clear();
    m_phraseStarts.clear();
    for (const QStringList &words : phrases) {
        m_phrases.insert(words.join(' '));
        for (qsizetype n = 1; n < words.size(); ++n)
            m_phraseStarts.insert(words.mid(0, n).join(' '));
    }
    for (auto it = pronunciations.constBegin(); it != pronunciations.constEnd(); ++it) {
        int fewest = 0;
        for (const QString &phones : it.value()) {
            const int count = int(phones.split(' ', Qt::SkipEmptyParts).size());
            fewest = fewest == 0 ? count : std::min(fewest, count);
        }
        m_phoneCounts.insert(it.key(), fewest);
    }

    if (phrases.isEmpty())
        return true;

    // Every phrase equally likely: its first word carries the whole of its weight, so paths
    // that share states still score as their own separate paths would.
    const PhraseGraph graph(phrases);
    logmath_t *logmath = ps_get_logmath(m_grammar);
    const float languageWeight = 6.5f;
    fsg_model_t *fsg = fsg_model_init(grammarSearch, logmath, languageWeight, graph.stateCount());
    fsg->start_state = PhraseGraph::kStart;
    fsg->final_state = PhraseGraph::kEnd;
    const int32 entryLogp =
        static_cast<int32>(logmath_log(logmath, 1.0 / phrases.size()) * languageWeight);
    for (const PhraseGraph::Transition &t : graph.transitions()) {
        const int wid = fsg_model_word_add(fsg, t.word.toUtf8().constData());
        fsg_model_trans_add(fsg, t.from, t.to, t.from == PhraseGraph::kStart ? entryLogp : 0, wid);
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
    if (m_inSpeech)
        m_lastSpeechEnd = currentFrame();
    endUtterances();
    startUtterances();
}

void SpeechDecoder::followLoudness(const int16_t *samples, int count)
{
    for (int i = 0; i < count; ++i) {
        m_frameEnergy += double(samples[i]) * samples[i];
        if (++m_frameFill < samplesPerFrame)
            continue;
        const double db = 10 * std::log10(m_frameEnergy / samplesPerFrame + 1);
        m_frameEnergy = 0;
        m_frameFill = 0;
        const double background =
            m_recentDb.empty() ? db : *std::min_element(m_recentDb.begin(), m_recentDb.end());
        const bool loud = db > std::max(background + loudAboveBackgroundDb, quietestSoundDb);
        m_utteranceLoudness = std::max(m_utteranceLoudness, db - background);
        m_recentDb.push_back(db);
        if (m_recentDb.size() > size_t(backgroundFrames))
            m_recentDb.pop_front();
        // The frame just completed is the one m_samples reaches once this sample is counted.
        const qint64 frame = (m_samples + i + 1) / samplesPerFrame - 1;
        m_loud[size_t(frame) % m_loud.size()] = loud ? 1 : 0;
        m_quietFrames = loud ? 0 : m_quietFrames + 1;
        const double smoothed = smoothedDb();
        m_topDb = std::max(m_topDb, smoothed);
        const bool underTop = smoothed < m_topDb - endUnderTopDb;
        m_quietUnderTop = loud && !underTop ? 0 : m_quietUnderTop + 1;
    }
}

double SpeechDecoder::smoothedDb() const
{
    const size_t count = std::min<size_t>(m_recentDb.size(), 5);
    double power = 0;
    for (auto db = m_recentDb.end() - qsizetype(count); db != m_recentDb.end(); ++db)
        power += std::pow(10.0, *db / 10);
    return count ? 10 * std::log10(power / count) : 0;
}

int SpeechDecoder::quietBefore(qint64 frame) const
{
    const qint64 now = currentFrame();
    const qint64 oldest = std::max<qint64>(0, now - qint64(m_loud.size()) + 1);
    auto loud = [&](qint64 f) {
        return f >= oldest && f < now && m_loud[size_t(f) % m_loud.size()];
    };
    // The speech the frame belongs to may have started a little before it; a word joined to
    // what came before without a break has no pause at all.
    qint64 onset = frame;
    while (onset > oldest && loud(onset - 1)) {
        if (--onset < frame - maxOnsetShift)
            return 0;
    }
    int quiet = 0;
    int run = 0;
    for (qint64 f = onset - 1; f >= oldest; --f) {
        if (!loud(f)) {
            quiet += run + 1;
            run = 0;
            continue;
        }
        if (++run >= shortestSound)
            return quiet;
    }
    return int(noTalkBefore * 100);
}

bool SpeechDecoder::heardWholePhrase(bool nothingLonger) const
{
    int32 score = 0;
    const char *hyp = ps_get_hyp(m_grammar, &score);
    if (!hyp || !*hyp)
        return false;
    const QString words = QString::fromUtf8(hyp).simplified();
    return m_phrases.contains(words) && !(nothingLonger && m_phraseStarts.contains(words));
}

bool SpeechDecoder::process(const int16_t *samples, int count, Utterance *utterance)
{
    if (!m_hasGrammar)
        return false;
    startUtterances();
    if (m_frontEnd) {
        m_frontEnd->setInputGain(std::clamp(frontEndPeak / m_noiseFloor.speechPeak(), 1.0, 16.0));
        m_frontEnd->process(samples, count, &m_cleaned);
        samples = m_cleaned.data();
        count = int(m_cleaned.size());
        if (count == 0)
            return false;
    }
    int peak = 0;
    for (int i = 0; i < count; ++i)
        peak = std::max(peak, std::abs(int(samples[i])));
    // Pauses are told from the cleaned sound, before the floor that follows the speech's
    // level is added.
    if (!m_inSpeech)
        m_topDb = 0;
    followLoudness(samples, count);
    m_floored.assign(samples, samples + count);
    m_noiseFloor.apply(m_floored.data(), count);
    samples = m_floored.data();
    m_samples += count;
    ps_process_raw(m_grammar, samples, count, FALSE, FALSE);
    ps_process_raw(m_phones, samples, count, FALSE, FALSE);
    const bool inSpeech = ps_get_in_speech(m_grammar);
    if (inSpeech) {
        if (!m_inSpeech) {
            m_utterancePeak = 0;
            m_utteranceLoudness = 0;
        }
        m_utterancePeak = std::max(m_utterancePeak, peak);
        m_inSpeech = true;
        if (ps_get_n_frames(m_grammar) > maxUtteranceFrames) {
            m_lastSpeechEnd = currentFrame();
            restart();
            return false;
        }
        if (m_quickEndFrames > 0 && m_quietFrames >= m_quickEndFrames && heardWholePhrase(true)) {
            finishUtterance(m_quietFrames, utterance);
            utterance->endedEarly = true;
            return true;
        }
        if (m_quietUnderTop >= vadPostSpeechFrames && heardWholePhrase(false)) {
            finishUtterance(m_quietUnderTop, utterance);
            return true;
        }
        return false;
    }
    if (!m_inSpeech)
        return false;
    finishUtterance(vadPostSpeechFrames, utterance);
    return true;
}

void SpeechDecoder::finishUtterance(int trailingFrames, Utterance *utterance)
{
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
    utterance->endedEarly = false;
    utterance->segments.clear();
    const std::vector<PathStep> grammarPath = bestPath(m_grammar, &utterance->segments);
    const std::vector<PathStep> loopPath = bestPath(m_phones, nullptr);
    // Speech the grammar can only cover with silence is speech it has no words for.
    utterance->unexplainedFrames = fillerFrames(grammarPath) - fillerFrames(loopPath);
    // The last frames are those heard as quiet before the utterance was ended: whatever the
    // loop finds there, it is no hidden word.
    const int lastCounted = grammarPath.empty() ? 0 : grammarPath.back().end - trailingFrames;
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

    utterance->loudness = m_utteranceLoudness;
    m_utteranceLoudness = 0;
    utterance->phones = 0;
    for (const QString &word : utterance->words)
        utterance->phones += m_phoneCounts.value(word);
    // The path counts frames from an origin of its own; its first frame is the utterance's
    // first, and the utterance's frames end where the audio is now.
    const auto firstWord = std::find_if(grammarPath.begin(), grammarPath.end(),
                                        [](const PathStep &step) { return !step.filler; });
    const auto lastWord = std::find_if(grammarPath.rbegin(), grammarPath.rend(),
                                       [](const PathStep &step) { return !step.filler; });
    utterance->pauseBefore = 0;
    utterance->pauseAfter = 0;
    const qint64 first = currentFrame() - frames;
    if (firstWord != grammarPath.end()) {
        const qint64 wordStart = first + firstWord->start - grammarPath.front().start;
        // Quiet by the sound's level, or since the last utterance ended: a noise that grew
        // louder is no speech, though it takes the level a second to follow.
        const qint64 sinceLast =
            m_lastSpeechEnd < 0 ? qint64(noTalkBefore * 100) : wordStart - m_lastSpeechEnd;
        utterance->pauseBefore =
            std::min(noTalkBefore, std::max<qint64>(quietBefore(wordStart), sinceLast) / 100.0);
        utterance->pauseAfter = (grammarPath.back().end - lastWord->end) / 100.0;
    }
    m_lastSpeechEnd = first + frames - trailingFrames;
    startUtterances();
}
