#include "NoiseFloor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

double floorRms(NoiseFloor &floor)
{
    std::vector<int16_t> samples(16000, 0);
    floor.apply(samples.data(), int(samples.size()));
    double sum = 0;
    for (int16_t sample : samples)
        sum += double(sample) * sample;
    return std::sqrt(sum / samples.size());
}

} // namespace

TEST(NoiseFloor, IsRepeatableAndNeverWrapsALoudSample)
{
    std::vector<int16_t> first(16000, 0), second(16000, 0);
    NoiseFloor().apply(first.data(), int(first.size()));
    NoiseFloor().apply(second.data(), int(second.size()));
    EXPECT_EQ(first, second);

    std::vector<int16_t> loud(16000);
    for (size_t i = 0; i < loud.size(); ++i)
        loud[i] = i % 2 ? 32767 : -32768;
    NoiseFloor().apply(loud.data(), int(loud.size()));
    for (size_t i = 0; i < loud.size(); ++i)
        EXPECT_EQ(loud[i] > 0, i % 2 == 1) << "sample " << i << " wrapped round";
}

TEST(NoiseFloor, KeepsItsDistanceBelowTheSpeech)
{
    // Speech peaking at a third of full scale: the floor about 49 dB below, near -53 dBFS.
    NoiseFloor normal;
    for (int i = 0; i < 5; ++i)
        normal.followSpeech(11000);
    const double normalRms = floorRms(normal);
    EXPECT_GT(normalRms, 40);
    EXPECT_LT(normalRms, 120);

    // A microphone 20 dB quieter gets a floor 20 dB lower.
    NoiseFloor quiet;
    for (int i = 0; i < 5; ++i)
        quiet.followSpeech(1100);
    EXPECT_NEAR(floorRms(quiet) / normalRms, 0.1, 0.03);

    // One shout among ordinary utterances leaves the floor where it was.
    normal.followSpeech(32767);
    EXPECT_DOUBLE_EQ(normal.level(), 40);
}
