#include "EspeakSynthesizer.h"
#include "RecordingSink.h"
#include "SpeechEvents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

// Speaks through a sink that hears everything at once, so only the samples matter.
class SynthesizerVoice : public testing::Test {
protected:
    SynthesizerVoice()
    {
        auto sink = std::make_unique<RecordingSink>(true);
        m_sink = sink.get();
        m_synthesizer = std::make_unique<EspeakSynthesizer>(std::move(sink));
        m_events = std::make_unique<SpeechEvents>(*m_synthesizer);
    }

    // The samples of text, spoken with the current settings.
    std::vector<qint16> samplesOf(const QString &text)
    {
        const qsizetype before = m_events->events.size();
        m_synthesizer->speaktext(text);
        EXPECT_TRUE(waitUntil([&] { return m_events->events.size() >= before + 2; }));
        const auto stretches = m_sink->stretches();
        return stretches.empty() ? std::vector<qint16>{} : stretches.back();
    }

    static int peak(const std::vector<qint16> &samples)
    {
        int result = 0;
        for (qint16 sample : samples)
            result = std::max(result, std::abs(int(sample)));
        return result;
    }

    // The voice's fundamental period in samples, from the autocorrelation of the middle of a
    // vowel, searched between 50 and 500 Hz.
    static int period(const std::vector<qint16> &samples)
    {
        const size_t window = 1024;
        if (samples.size() < 3 * window)
            return 0;
        const size_t from = samples.size() / 2 - window / 2;
        int best = 0;
        double bestScore = 0;
        for (int lag = 44; lag <= 441; ++lag) {
            double score = 0;
            for (size_t i = from; i < from + window; ++i)
                score += double(samples[i]) * samples[i + size_t(lag)];
            if (score > bestScore) {
                bestScore = score;
                best = lag;
            }
        }
        return best;
    }

    EspeakSynthesizer &synthesizer() { return *m_synthesizer; }

private:
    RecordingSink *m_sink = nullptr;
    std::unique_ptr<EspeakSynthesizer> m_synthesizer;
    std::unique_ptr<SpeechEvents> m_events;
};

TEST_F(SynthesizerVoice, MarkupIsReadOutAsText)
{
    const auto plain = samplesOf("hi");
    const auto tagged = samplesOf("<b>hi</b>");
    const auto symbols = samplesOf("hi & hi < hi");
    ASSERT_GT(peak(plain), 1000);
    EXPECT_GT(tagged.size(), plain.size() * 2);
    EXPECT_GT(symbols.size(), samplesOf("hi hi hi").size());
}

TEST_F(SynthesizerVoice, PhonemeBracketsAreNotPhonemeInput)
{
    // As phoneme input this would be "seven"; as text the "@" alone is read as "at".
    EXPECT_GT(samplesOf("[[s'Ev@n]]").size(), samplesOf("seven").size() * 5 / 4);
}

TEST_F(SynthesizerVoice, RateChangesTheLengthOfSpeech)
{
    EXPECT_EQ(synthesizer().rate(), 175);
    synthesizer().setRate(100);
    const auto slow = samplesOf("one two three four five");
    synthesizer().setRate(350);
    const auto fast = samplesOf("one two three four five");
    EXPECT_GT(slow.size(), fast.size() * 3 / 2);

    synthesizer().setRate(10000);
    EXPECT_EQ(synthesizer().rate(), 450);
}

TEST_F(SynthesizerVoice, VolumeScalesTheSamples)
{
    EXPECT_EQ(synthesizer().volume(), 100);
    const int loud = peak(samplesOf("hello"));
    synthesizer().setVolume(20);
    const int quiet = peak(samplesOf("hello"));
    EXPECT_GT(loud, 1000);
    EXPECT_LT(quiet, loud / 2);
    EXPECT_GT(quiet, 0);
}

TEST_F(SynthesizerVoice, PitchChangesTheSound)
{
    EXPECT_EQ(synthesizer().pitch(), 50);
    synthesizer().setPitch(5);
    const int low = period(samplesOf("ah"));
    synthesizer().setPitch(95);
    EXPECT_EQ(synthesizer().pitch(), 95);
    const int high = period(samplesOf("ah"));
    EXPECT_GT(low, high * 6 / 5) << "periods " << low << " and " << high;
    synthesizer().setPitch(-5);
    EXPECT_EQ(synthesizer().pitch(), 0);
}

TEST_F(SynthesizerVoice, VoicesAreEspeakVoicesAndOnlyThoseAreAccepted)
{
    const QStringList voices = synthesizer().voices();
    EXPECT_TRUE(voices.contains("en"));
    EXPECT_TRUE(voices.contains("de"));
    EXPECT_EQ(synthesizer().voice(), "en");

    EXPECT_FALSE(synthesizer().setVoice("no-such-voice"));
    EXPECT_EQ(synthesizer().voice(), "en");

    ASSERT_TRUE(synthesizer().setVoice("de"));
    EXPECT_EQ(synthesizer().voice(), "de");
    ASSERT_TRUE(synthesizer().setVoice("en-us"));
    EXPECT_EQ(synthesizer().voice(), "en-us");
}

// English spells it out as three "double-u", German as three "we".
const QString letters = QStringLiteral("www");

// The recognizer's pronunciation look-ups switch espeak-ng's voice; speech keeps its own.
TEST_F(SynthesizerVoice, PronunciationLookUpsDoNotChangeTheSpeakingVoice)
{
    const size_t english = samplesOf(letters).size();
    EspeakLibrary::instance().textToPhonemes("sieben", false, "de");
    const size_t afterLookUp = samplesOf(letters).size();
    ASSERT_TRUE(synthesizer().setVoice("de"));
    const size_t german = samplesOf(letters).size();
    EXPECT_GT(english, german * 3 / 2);
    EXPECT_GT(afterLookUp, german * 3 / 2);
}

} // namespace
