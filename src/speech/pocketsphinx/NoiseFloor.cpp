#include "NoiseFloor.h"

#include <algorithm>
#include <vector>

void NoiseFloor::followSpeech(int peak)
{
    if (peak <= 0)
        return;
    m_peaks.push_back(peak);
    if (m_peaks.size() > 5)
        m_peaks.pop_front();
    std::vector<int> sorted(m_peaks.begin(), m_peaks.end());
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    m_level = std::clamp(median * levelPerPeak, minimumLevel, maximumLevel);
}

void NoiseFloor::apply(int16_t *samples, int count)
{
    for (int i = 0; i < count; ++i) {
        // A fixed linear congruential sequence: the same audio always decodes the same way.
        m_state = m_state * 1664525u + 1013904223u;
        const double white = (int((m_state >> 8) & 0xffff) - 32768) / 32768.0;
        // Three one-pole filters summed turn white noise into pink; the sum has an RMS of
        // about 1.7.
        m_pink[0] = 0.99765 * m_pink[0] + white * 0.0990460;
        m_pink[1] = 0.96300 * m_pink[1] + white * 0.2965164;
        m_pink[2] = 0.57000 * m_pink[2] + white * 1.0526913;
        const double pink = m_pink[0] + m_pink[1] + m_pink[2] + white * 0.1848;
        const int noisy = samples[i] + static_cast<int>(pink * m_level);
        samples[i] = static_cast<int16_t>(std::clamp(noisy, -32768, 32767));
    }
}
