#pragma once

#include <cstdint>
#include <deque>

// Adds a faint, repeatable pink noise to live audio before it is decoded. The acoustic model
// was trained on speech with a room's noise around it; against digital silence, as from a
// muted or gated microphone or a file padded with zeros, its silence model loses to speech
// phones and good commands look like sentences.
//
// The floor keeps a fixed distance below the speech (about 49 dB under its peaks), because
// what the decoder minds is that distance: a fixed floor drowns a quiet microphone's speech
// and is lost under a loud one's. Until speech has been heard, it assumes a middling level.
class NoiseFloor {
public:
    // Floor level (in sample units, before the filter's gain of about 1.7) per unit of speech
    // peak: 40 under the peaks of about 11000 the recognizer was tuned with.
    static constexpr double levelPerPeak = 40.0 / 11000.0;
    static constexpr double initialLevel = 20;
    static constexpr double minimumLevel = 2;
    static constexpr double maximumLevel = 120;

    // Tells the floor how loud the last utterance's speech was (its largest sample).
    void followSpeech(int peak);
    double level() const { return m_level; }
    // The speech's peak the floor follows.
    double speechPeak() const { return m_level / levelPerPeak; }

    void apply(int16_t *samples, int count);

private:
    double m_level = initialLevel;
    // The peaks of the last few utterances; their median sets the level, so that one click or
    // shout does not move the floor.
    std::deque<int> m_peaks;
    uint32_t m_state = 12345;
    double m_pink[3] = {0, 0, 0};
};
