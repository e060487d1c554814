#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// Cleans the microphone's sound before the decoder hears it. Works on whole 10 ms frames: the
// rest of a block waits for the next, 10 ms at most.
class SpeechFrontEnd {
public:
    enum class Kind { None, Speex, WebRtcModerate, WebRtcHigh };

    virtual ~SpeechFrontEnd() = default;

    // Null for Kind::None.
    static std::unique_ptr<SpeechFrontEnd> create(Kind kind);
    // "none", "speex", "webrtc-moderate", "webrtc-high"; false for any other name.
    static bool kindFromName(const QString &name, Kind *kind);

    // Suppressors judge noise by its level: speech from a quiet microphone is raised to the
    // level it was measured at before it is cleaned, and lowered again after.
    void setInputGain(double gain) { m_gain = gain; }

    // Replaces *out with the cleaned frames the samples completed.
    void process(const int16_t *samples, int count, std::vector<int16_t> *out);

    // How likely the last frame was speech, 0 to 1, for the suppressors that judge it; -1
    // for those that do not.
    virtual double speechProbability() const { return -1; }

    static constexpr int frameSamples = 160;

protected:
    // Cleans one frame of frameSamples samples in place.
    virtual void cleanFrame(int16_t *frame) = 0;

private:
    std::vector<int16_t> m_pending;
    double m_gain = 1;
};
