#include "SpeechFrontEnd.h"

#include <speex/speex_preprocess.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {
constexpr int frameSamples = 160;
}

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
        for (int i = 0; i < frameSamples; ++i)
            frame[i] = int16_t(std::clamp(frame[i] * m_gain, -32768.0, 32767.0));
        speex_preprocess_run(m_state, frame);
        for (int i = 0; i < frameSamples; ++i)
            frame[i] = int16_t(std::lround(frame[i] / m_gain));
        out->insert(out->end(), m_pending.begin() + done, m_pending.begin() + done + frameSamples);
        done += frameSamples;
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + done);
}
