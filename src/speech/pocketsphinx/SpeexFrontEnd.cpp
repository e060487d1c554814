#include "SpeexFrontEnd.h"

#include <speex/speex_preprocess.h>

SpeexFrontEnd::SpeexFrontEnd()
    : m_state(speex_preprocess_state_init(frameSamples, 16000))
{
    int on = 1;
    speex_preprocess_ctl(m_state, SPEEX_PREPROCESS_SET_DENOISE, &on);
    int off = 0;
    speex_preprocess_ctl(m_state, SPEEX_PREPROCESS_SET_AGC, &off);
}

SpeexFrontEnd::~SpeexFrontEnd()
{
    speex_preprocess_state_destroy(m_state);
}

void SpeexFrontEnd::cleanFrame(int16_t *frame)
{
    speex_preprocess_run(m_state, frame);
}
