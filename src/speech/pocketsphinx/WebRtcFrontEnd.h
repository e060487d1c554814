#pragma once

#include "SpeechFrontEnd.h"

#include <memory>

namespace webrtc {
class AudioProcessing;
class AudioFrame;
} // namespace webrtc

// WebRTC's audio processing: a high-pass filter that takes out hum and rumble, and noise
// suppression, which also judges how likely each frame is speech. Its gain control stays off,
// the experimental one included: the level is the noise floor's business, and a gain that
// moves during a word changes how the decoder hears it.
class WebRtcFrontEnd : public SpeechFrontEnd {
public:
    enum class Strength { Moderate, High };

    explicit WebRtcFrontEnd(Strength strength);
    ~WebRtcFrontEnd() override;

    double speechProbability() const override { return m_speechProbability; }

protected:
    void cleanFrame(int16_t *frame) override;

private:
    std::unique_ptr<webrtc::AudioProcessing> m_processing;
    std::unique_ptr<webrtc::AudioFrame> m_frame;
    double m_speechProbability = 0;
};
