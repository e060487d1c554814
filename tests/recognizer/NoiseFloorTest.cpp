#include "NoiseFloor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(NoiseFloor, AddsAQuietRepeatableNoiseAndNeverWrapsLoudSamples)
{
    std::vector<int16_t> first(16000, 0), second(16000, 0);
    NoiseFloor().apply(first.data(), int(first.size()));
    NoiseFloor().apply(second.data(), int(second.size()));
    EXPECT_EQ(first, second);

    double sum = 0;
    for (int16_t sample : first)
        sum += double(sample) * sample;
    const double rms = std::sqrt(sum / first.size());
    // A quiet room, about -53 dBFS: loud enough to stand in for one, far below speech.
    EXPECT_GT(rms, 40);
    EXPECT_LT(rms, 120);

    std::vector<int16_t> loud(16000);
    for (size_t i = 0; i < loud.size(); ++i)
        loud[i] = i % 2 ? 32767 : -32768;
    NoiseFloor().apply(loud.data(), int(loud.size()));
    for (size_t i = 0; i < loud.size(); ++i)
        EXPECT_EQ(loud[i] > 0, i % 2 == 1) << "sample " << i << " wrapped round";
}
