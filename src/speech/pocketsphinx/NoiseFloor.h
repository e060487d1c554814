#pragma once

#include <cstdint>

// Adds a faint, repeatable pink noise to live audio before it is decoded. The acoustic model
// was trained on speech with a room's noise around it; against digital silence, as from a
// muted or gated microphone or a file padded with zeros, its silence model loses to speech
// phones and good commands look like sentences. A floor at a quiet room's level (about
// -53 dBFS) makes both kinds of input look alike and changes little for a real microphone.
class NoiseFloor {
public:
    static constexpr double defaultLevel = 40;

    explicit NoiseFloor(double level = defaultLevel)
        : m_level(level)
    {}

    void apply(int16_t *samples, int count);

private:
    double m_level;
    uint32_t m_state = 12345;
    double m_pink[3] = {0, 0, 0};
};
