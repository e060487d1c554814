#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>

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

    struct Utterance {
        QStringList words;
        // Grammar score minus phone-loop score, per frame; at most about zero.
        double confidence = 0;
        int frames = 0;
        // Frames the grammar explains as silence where the phone loop hears speech.
        int unexplainedFrames = 0;
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
};
