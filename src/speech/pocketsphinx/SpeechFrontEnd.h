#pragma once

#include <cstdint>
#include <deque>
#include <vector>

struct SpeexPreprocessState_;

// Speex's noise suppression in front of the decoder. Under pink noise 10 dB below the speech
// it let the tuning voices' commands through more often (66 % to 74 %) and let fewer
// sentences pass as commands; its automatic gain did worse than none, so it is off. In a
// quieter room it costs more than it gains: of 40 commands of the tuning talk, nine in ten
// said 36 dB and more above the room's noise, it let 34 through and the plain sound 37. It can
// be passed by, and goes on learning the noise meanwhile; the decoder still keeps it on, as
// passing it by above 35 dB together with an earlier end of whole phrases let the talk
// benchmark's sentences fire twelve times an hour instead of once. Works on whole 10 ms
// frames: the rest of a block waits for the next, 10 ms at most.
class SpeechFrontEnd {
public:
    SpeechFrontEnd();
    ~SpeechFrontEnd();
    SpeechFrontEnd(const SpeechFrontEnd &) = delete;
    SpeechFrontEnd &operator=(const SpeechFrontEnd &) = delete;

    // The suppressor judges noise by its level: speech from a quiet microphone is raised to
    // the level it was measured at before it is cleaned, and lowered again after.
    void setInputGain(double gain) { m_gain = gain; }
    // Off: frames come out as they went in.
    void setSuppressing(bool on) { m_suppressing = on; }
    bool isSuppressing() const { return m_suppressing; }
    // The level of the input's quietest 10 ms frame in the last second, in dB (of the mean
    // square sample): the room's noise under any speech.
    double backgroundDb() const { return m_backgroundDb; }

    // Replaces *out with the cleaned frames the samples completed.
    void process(const int16_t *samples, int count, std::vector<int16_t> *out);

private:
    SpeexPreprocessState_ *m_state = nullptr;
    std::vector<int16_t> m_pending;
    double m_gain = 1;
    bool m_suppressing = true;
    std::vector<int16_t> m_scaled;
    std::deque<double> m_recentDb;
    double m_backgroundDb = 0;
};
