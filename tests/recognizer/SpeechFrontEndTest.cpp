#include "SpeechFrontEnd.h"
#include "SpokenAudio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

double rmsDb(const std::vector<int16_t> &samples, size_t from, size_t to)
{
    double sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += double(samples[i]) * samples[i];
    return 10 * std::log10(sum / double(to - from) + 1);
}

// Two seconds of steady noise, then a sentence over the same noise: what a microphone in a
// room with a fan hears.
struct NoisySpeech {
    NoisySpeech()
    {
        const std::vector<int16_t> voice = spokenSamples(QStringLiteral("open my notes please"));
        speechStart = 32000;
        samples.assign(speechStart + voice.size(), 0);
        std::mt19937 random(7);
        std::normal_distribution<double> noise(0, 700);
        for (size_t i = 0; i < samples.size(); ++i) {
            const double v = noise(random) + (i >= speechStart ? voice[i - speechStart] : 0);
            samples[i] = int16_t(std::clamp(v, -32768.0, 32767.0));
        }
    }
    std::vector<int16_t> samples;
    size_t speechStart = 0;
};

// The cleaned sound in blocks of an awkward size, as the microphone delivers them.
std::vector<int16_t> clean(SpeechFrontEnd &frontEnd, const std::vector<int16_t> &in,
                           std::vector<double> *probabilities = nullptr)
{
    std::vector<int16_t> out, block;
    for (size_t at = 0; at < in.size(); at += 333) {
        const int count = int(std::min<size_t>(333, in.size() - at));
        frontEnd.process(in.data() + at, count, &block);
        out.insert(out.end(), block.begin(), block.end());
        if (probabilities && !block.empty())
            probabilities->push_back(frontEnd.speechProbability());
    }
    return out;
}

} // namespace

TEST(SpeechFrontEnd, SuppressorsTakeOutSteadyNoiseAndKeepTheVoice)
{
    const NoisySpeech input;
    for (const char *name : {"speex", "webrtc-moderate", "webrtc-high"}) {
        SCOPED_TRACE(name);
        SpeechFrontEnd::Kind kind;
        ASSERT_TRUE(SpeechFrontEnd::kindFromName(QString::fromLatin1(name), &kind));
        auto frontEnd = SpeechFrontEnd::create(kind);
        ASSERT_TRUE(frontEnd);
        const std::vector<int16_t> out = clean(*frontEnd, input.samples);
        // Whole frames come out, the rest waits for the next block.
        EXPECT_EQ(out.size(), input.samples.size() / 160 * 160);
        // The noise alone, once the suppressor has learnt it, is far quieter...
        const double noiseBefore = rmsDb(input.samples, 16000, input.speechStart);
        const double noiseAfter = rmsDb(out, 16000, input.speechStart);
        EXPECT_LT(noiseAfter, noiseBefore - 10);
        // ...while the voice over it loses little.
        const double speechBefore = rmsDb(input.samples, input.speechStart, out.size());
        const double speechAfter = rmsDb(out, input.speechStart, out.size());
        EXPECT_GT(speechAfter, speechBefore - 4);
    }
}

TEST(SpeechFrontEnd, WebRtcJudgesTheVoiceMoreLikelySpeechThanTheNoise)
{
    const NoisySpeech input;
    auto frontEnd = SpeechFrontEnd::create(SpeechFrontEnd::Kind::WebRtcModerate);
    std::vector<double> probabilities;
    clean(*frontEnd, input.samples, &probabilities);
    const size_t speechBlock = input.speechStart / 333;
    double noise = 0, speech = 0;
    for (size_t i = speechBlock / 2; i < speechBlock; ++i)
        noise += probabilities[i] / double(speechBlock - speechBlock / 2);
    for (size_t i = speechBlock; i < probabilities.size(); ++i)
        speech += probabilities[i] / double(probabilities.size() - speechBlock);
    EXPECT_GE(noise, 0);
    EXPECT_LE(speech, 1);
    EXPECT_GT(speech, noise + 0.2) << "noise " << noise << " speech " << speech;

    EXPECT_EQ(SpeechFrontEnd::create(SpeechFrontEnd::Kind::Speex)->speechProbability(), -1);
    EXPECT_EQ(SpeechFrontEnd::create(SpeechFrontEnd::Kind::None), nullptr);
    SpeechFrontEnd::Kind kind;
    EXPECT_FALSE(SpeechFrontEnd::kindFromName(QStringLiteral("webrtc"), &kind));
}
