#include "WebRtcFrontEnd.h"

#include <webrtc/modules/audio_processing/include/audio_processing.h>
#include <webrtc/modules/interface/module_common_types.h>

#include <algorithm>

WebRtcFrontEnd::WebRtcFrontEnd(Strength strength)
    : m_frame(std::make_unique<webrtc::AudioFrame>())
{
    webrtc::Config config;
    config.Set<webrtc::ExperimentalAgc>(new webrtc::ExperimentalAgc(false));
    m_processing.reset(webrtc::AudioProcessing::Create(config));
    m_processing->high_pass_filter()->Enable(true);
    m_processing->noise_suppression()->set_level(strength == Strength::High
                                                     ? webrtc::NoiseSuppression::kHigh
                                                     : webrtc::NoiseSuppression::kModerate);
    m_processing->noise_suppression()->Enable(true);
    m_processing->gain_control()->Enable(false);
    m_frame->sample_rate_hz_ = 16000;
    m_frame->num_channels_ = 1;
    m_frame->samples_per_channel_ = frameSamples;
}

WebRtcFrontEnd::~WebRtcFrontEnd() = default;

void WebRtcFrontEnd::cleanFrame(int16_t *frame)
{
    std::copy(frame, frame + frameSamples, m_frame->data_);
    if (m_processing->ProcessStream(m_frame.get()) != webrtc::AudioProcessing::kNoError)
        return; // the frame goes on as it came
    std::copy(m_frame->data_, m_frame->data_ + frameSamples, frame);
    m_speechProbability = m_processing->noise_suppression()->speech_probability();
}
