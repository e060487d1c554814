#include "SpeechFrontEnd.h"

#include <speex/speex_preprocess.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {
constexpr int frameSamples = 160;
// A second of frames: speech always has a break between sounds within it.
constexpr std::size_t backgroundFrames = 100;
} // namespace

SpeechFrontEnd::SpeechFrontEnd()
    : m_state(speex_preprocess_state_init(frameSamples, 16000))
{
    int on = 1;
    speex_preprocess_ctl(m_state, SPEEX_PREPROCESS_SET_DENOISE, &on);
    int off = 0;
    speex_preprocess_ctl(m_state, SPEEX_PREPROCESS_SET_AGC, &off);
}

SpeechFrontEnd::~SpeechFrontEnd()
{
    speex_preprocess_state_destroy(m_state);
}

void SpeechFrontEnd::process(const int16_t *samples, int count, std::vector<int16_t> *out)
{
    m_pending.insert(m_pending.end(), samples, samples + count);
    out->clear();
    std::size_t done = 0;
    while (m_pending.size() - done >= std::size_t(frameSamples)) {
        int16_t *frame = m_pending.data() + done;
        double energy = 0;
        for (int i = 0; i < frameSamples; ++i)
            energy += double(frame[i]) * frame[i];
        m_recentDb.push_back(10 * std::log10(energy / frameSamples + 1));
        if (m_recentDb.size() > backgroundFrames)
            m_recentDb.pop_front();
        m_backgroundDb = *std::min_element(m_recentDb.begin(), m_recentDb.end());
        if (m_suppressing) {
            for (int i = 0; i < frameSamples; ++i)
                frame[i] = int16_t(std::clamp(frame[i] * m_gain, -32768.0, 32767.0));
            speex_preprocess_run(m_state, frame);
            for (int i = 0; i < frameSamples; ++i)
                frame[i] = int16_t(std::lround(frame[i] / m_gain));
        } else {
            m_scaled.resize(frameSamples);
            for (int i = 0; i < frameSamples; ++i)
                m_scaled[i] = int16_t(std::clamp(frame[i] * m_gain, -32768.0, 32767.0));
            speex_preprocess_estimate_update(m_state, m_scaled.data());
        }
        out->insert(out->end(), m_pending.begin() + done, m_pending.begin() + done + frameSamples);
        done += frameSamples;
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + done);
}
