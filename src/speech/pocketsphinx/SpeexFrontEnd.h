#pragma once

#include "SpeechFrontEnd.h"

struct SpeexPreprocessState_;

// Speex's noise suppression. Its automatic gain did worse than none, so it is off.
class SpeexFrontEnd : public SpeechFrontEnd {
public:
    SpeexFrontEnd();
    ~SpeexFrontEnd() override;
    SpeexFrontEnd(const SpeexFrontEnd &) = delete;
    SpeexFrontEnd &operator=(const SpeexFrontEnd &) = delete;

protected:
    void cleanFrame(int16_t *frame) override;

private:
    SpeexPreprocessState_ *m_state = nullptr;
};
