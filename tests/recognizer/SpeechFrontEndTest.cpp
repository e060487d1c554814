#include "SpeechFrontEnd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Pink-ish noise from a fixed sequence, as a steady fan would sound.
std::vector<int16_t> noise(int samples, double amplitude)
{
    std::vector<int16_t> out(static_cast<size_t>(samples));
    uint32_t state = 1;
    double low = 0;
    for (int16_t &sample : out) {
        state = state * 1664525u + 1013904223u;
        const double white = (int((state >> 8) & 0xffff) - 32768) / 32768.0;
        low = 0.9 * low + 0.1 * white;
        sample = int16_t(std::lround((white * 0.5 + low * 2) * amplitude));
    }
    return out;
}

double rms(const std::vector<int16_t> &samples, size_t from)
{
    double sum = 0;
    for (size_t i = from; i < samples.size(); ++i)
        sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(samples.size() - from));
}

} // namespace

TEST(SpeechFrontEnd, PassedByItLetsTheSoundThroughAndStillLearnsTheNoise)
{
    const std::vector<int16_t> fan = noise(16000 * 3, 2000);
    SpeechFrontEnd frontEnd;
    frontEnd.setSuppressing(false);
    std::vector<int16_t> out;
    frontEnd.process(fan.data(), int(fan.size()), &out);
    EXPECT_EQ(out, fan);

    // Turned on, it knows the noise already: its first 0.2 s come out quieter than from one
    // that never heard the noise, and the rest at least 6 dB down.
    frontEnd.setSuppressing(true);
    const std::vector<int16_t> more = noise(16000, 2000);
    frontEnd.process(more.data(), int(more.size()), &out);
    ASSERT_EQ(out.size(), more.size());
    SpeechFrontEnd fresh;
    std::vector<int16_t> freshOut;
    fresh.process(more.data(), int(more.size()), &freshOut);
    const std::vector<int16_t> start(out.begin(), out.begin() + 3200);
    const std::vector<int16_t> freshStart(freshOut.begin(), freshOut.begin() + 3200);
    EXPECT_LT(rms(start, 0), rms(freshStart, 0) * 0.7);
    EXPECT_LT(rms(out, 3200), rms(more, 3200) / 2);
}

TEST(SpeechFrontEnd, BackgroundIsTheQuietestFrameOfTheLastSecond)
{
    SpeechFrontEnd frontEnd;
    std::vector<int16_t> out;
    // A steady sound with the RMS of 1000 is 60 dB by the frame's mean square.
    std::vector<int16_t> tone(16000);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = int16_t(std::lround(1000 * std::sqrt(2.0) * std::sin(i * 0.3)));
    frontEnd.process(tone.data(), int(tone.size()), &out);
    EXPECT_NEAR(frontEnd.backgroundDb(), 60, 0.5);

    // A louder stretch shorter than a second leaves the background where the quiet was.
    std::vector<int16_t> loud(8000);
    for (size_t i = 0; i < loud.size(); ++i)
        loud[i] = int16_t(std::lround(10000 * std::sin(i * 0.3)));
    frontEnd.process(loud.data(), int(loud.size()), &out);
    EXPECT_NEAR(frontEnd.backgroundDb(), 60, 0.5);
    // A room that stays louder is followed within the second.
    frontEnd.process(loud.data(), int(loud.size()), &out);
    frontEnd.process(loud.data(), int(loud.size()), &out);
    EXPECT_GT(frontEnd.backgroundDb(), 70);
}
