#include "SpeechFrontEnd.h"

#include "SpeexFrontEnd.h"
#include "WebRtcFrontEnd.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

std::unique_ptr<SpeechFrontEnd> SpeechFrontEnd::create(Kind kind)
{
    switch (kind) {
    case Kind::None:
        return nullptr;
    case Kind::Speex:
        return std::make_unique<SpeexFrontEnd>();
    case Kind::WebRtcModerate:
        return std::make_unique<WebRtcFrontEnd>(WebRtcFrontEnd::Strength::Moderate);
    case Kind::WebRtcHigh:
        return std::make_unique<WebRtcFrontEnd>(WebRtcFrontEnd::Strength::High);
    }
    return nullptr;
}

bool SpeechFrontEnd::kindFromName(const QString &name, Kind *kind)
{
    static const struct {
        const char *name;
        Kind kind;
    } kinds[] = {{"none", Kind::None},
                 {"speex", Kind::Speex},
                 {"webrtc-moderate", Kind::WebRtcModerate},
                 {"webrtc-high", Kind::WebRtcHigh}};
    for (const auto &k : kinds) {
        if (name == QLatin1String(k.name)) {
            *kind = k.kind;
            return true;
        }
    }
    return false;
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
        cleanFrame(frame);
        for (int i = 0; i < frameSamples; ++i)
            frame[i] = int16_t(std::lround(frame[i] / m_gain));
        out->insert(out->end(), m_pending.begin() + done, m_pending.begin() + done + frameSamples);
        done += frameSamples;
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + done);
}
