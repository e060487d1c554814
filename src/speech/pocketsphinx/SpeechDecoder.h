#pragma once

#include "NoiseFloor.h"
#include "SpeechFrontEnd.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

struct ps_decoder_s;

// Two PocketSphinx decoders fed the same audio: one searches the command grammar, the other
// a free loop of phones. Their voice-activity detection is identical, so they see the same
// frames, and the grammar's score per frame against the phone loop's tells how well the
// best command explains the sound compared with anything at all. Worker thread only.
class SpeechDecoder {
public:
    struct ModelPaths {
        QString acousticModel;
        QString dictionary;
        QString phoneLanguageModel;

        static ModelPaths debianDefaults();
    };

    // One word or silence of the grammar's best path, with the acoustic scores the grammar
    // and the phone loop give the same frames.
    struct Segment {
        QString word;
        int startFrame = 0;
        int endFrame = 0;
        double grammarScore = 0;
        double loopScore = 0;
    };

    struct Utterance {
        QStringList words;
        QList<Segment> segments;
        // Grammar score minus phone-loop score, per frame; higher is better. The loop pays
        // for every phone it enters, so a good match can score above zero.
        double confidence = 0;
        int frames = 0;
        // Frames the grammar explains as silence where the phone loop hears speech.
        int unexplainedFrames = 0;
        // How much better the phone loop explains the frames the grammar calls silence, beyond
        // what it wins over true silence, per frame of the utterance: the words of a sentence
        // that the command does not cover.
        double hiddenSpeech = 0;
        // Seconds from the end of the speech heard before (in an earlier utterance) to the
        // first word; noTalkBefore when nothing was heard for that long.
        double pauseBefore = 0;
        // Seconds of quiet after the last word when the utterance was ended.
        double pauseAfter = 0;
        // How far the loudest frame of the utterance stood above the background, in dB.
        double loudness = 0;
        // Phones of the words heard, by their shortest pronunciations.
        int phones = 0;
        // Ended early: the words were a whole phrase that no longer phrase goes on from.
        bool endedEarly = false;
    };

    static constexpr double noTalkBefore = 10;

    SpeechDecoder() = default;
    ~SpeechDecoder();
    SpeechDecoder(const SpeechDecoder &) = delete;
    SpeechDecoder &operator=(const SpeechDecoder &) = delete;

    bool init(const ModelPaths &paths, QString *error);
    // Ends an utterance whose words so far are a whole phrase after this much quiet, when no
    // phrase of the grammar is longer and starts with the same words; 0 waits for the
    // voice-activity detector's end, as for every other utterance.
    void setQuickEnd(int frames) { m_quickEndFrames = frames; }
    bool isReady() const { return m_grammar && m_phones; }

    // The phrases as word lists; every word must have a pronunciation in the map (CMU
    // phones). An empty list leaves nothing to listen for.
    bool setGrammar(const QList<QStringList> &phrases,
                    const QHash<QString, QStringList> &pronunciations);
    bool hasGrammar() const { return m_hasGrammar; }

    // Feeds live audio; true when an utterance has just ended, described in *utterance.
    bool process(const int16_t *samples, int count, Utterance *utterance);
    bool inSpeech() const { return m_inSpeech; }
    // Forgets the utterance in progress.
    void restart();

private:
    bool setPhoneLoop();
    void startUtterances();
    void endUtterances();
    // Follows the loudness of each 10 ms frame to tell how long it has been quiet.
    void followLoudness(const int16_t *samples, int count);
    // The words so far are a whole phrase; with nothingLonger, one that no longer phrase
    // starts with.
    bool heardWholePhrase(bool nothingLonger) const;
    void finishUtterance(int trailingFrames, Utterance *utterance);
    qint64 currentFrame() const { return m_samples / samplesPerFrame; }
    // Frames of quiet before the speech that starts near the frame.
    int quietBefore(qint64 frame) const;
    // The last frame's level in dB, its power averaged with the four frames before it.
    double smoothedDb() const;

    static constexpr int samplesPerFrame = 160;

    ps_decoder_s *m_grammar = nullptr;
    ps_decoder_s *m_phones = nullptr;
    bool m_hasGrammar = false;
    bool m_started = false;
    bool m_inSpeech = false;
    QSet<QString> m_knownPronunciations;
    QHash<QString, int> m_variants;
    QString m_emptyDictionary;
    QString m_fillerDictionary;
    std::vector<int16_t> m_floored;
    std::unique_ptr<SpeechFrontEnd> m_frontEnd;
    std::vector<int16_t> m_cleaned;
    NoiseFloor m_noiseFloor;
    // The largest sample of the utterance in progress.
    int m_utterancePeak = 0;

    // Phrases as their words joined by spaces, and every shorter start of a phrase.
    QSet<QString> m_phrases;
    QSet<QString> m_phraseStarts;
    QHash<QString, int> m_phoneCounts;
    int m_quickEndFrames = 0;

    // Samples fed since the decoder was made; their 10 ms frames are counted the same way
    // as the decoder's.
    qint64 m_samples = 0;
    // Each frame's level against a slowly rising, quickly falling estimate of the
    // background's: loud or not, for the last seconds (indexed by frame modulo the size).
    std::vector<uint8_t> m_loud = std::vector<uint8_t>(2048, 0);
    // The highest smoothed level of the utterance in progress: the voice talking to the
    // microphone, whatever goes on behind it.
    double m_topDb = 0;
    double m_frameEnergy = 0;
    int m_frameFill = 0;
    std::deque<double> m_recentDb;
    // The loudest frame above the background since the utterance began.
    double m_utteranceLoudness = 0;
    // The frame where the speech of the last utterance ended.
    qint64 m_lastSpeechEnd = -1;
    // Frames in a row, up to the last, that were not loud.
    int m_quietFrames = 0;
    // Frames in a row, up to the last, that were not loud or were far under the utterance's
    // top.
    int m_quietUnderTop = 0;
};
