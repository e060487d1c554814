#pragma once

#include "NoiseFloor.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
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
    };

    SpeechDecoder() = default;
    ~SpeechDecoder();
    SpeechDecoder(const SpeechDecoder &) = delete;
    SpeechDecoder &operator=(const SpeechDecoder &) = delete;

    bool init(const ModelPaths &paths, QString *error);
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
    NoiseFloor m_noiseFloor;
    // The largest sample of the utterance in progress.
    int m_utterancePeak = 0;
};
