#include "EspeakSynthesizer.h"
#include "RecordingSink.h"
#include "SpeechEvents.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

namespace {

const QStringList startEnd{"start", "end"};
const QStringList twice{"start", "end", "start", "end"};

class SynthesizerEvents : public testing::Test {
protected:
    SynthesizerEvents()
    {
        auto sink = std::make_unique<RecordingSink>();
        m_sink = sink.get();
        m_synthesizer = std::make_unique<EspeakSynthesizer>(std::move(sink));
        m_events = std::make_unique<SpeechEvents>(*m_synthesizer);
    }
    ~SynthesizerEvents() override { EXPECT_FALSE(m_events->offUiThread); }

    bool waitForEvents(int count)
    {
        return waitUntil([&] { return m_events->events.size() >= count; });
    }

    EspeakSynthesizer &synthesizer() { return *m_synthesizer; }
    QStringList &events() { return m_events->events; }
    RecordingSink *m_sink = nullptr;

private:
    std::unique_ptr<EspeakSynthesizer> m_synthesizer;
    std::unique_ptr<SpeechEvents> m_events;
};

TEST_F(SynthesizerEvents, SpeaksInTheBackgroundWithStartBeforeEnd)
{
    synthesizer().speaktext("Hello there");
    // speaktext returned before any audio was heard.
    EXPECT_TRUE(events().isEmpty());
    EXPECT_TRUE(synthesizer().isSpeaking());
    ASSERT_TRUE(waitForEvents(2)) << events().join(" ").toStdString();
    EXPECT_EQ(events(), startEnd);
    EXPECT_FALSE(synthesizer().isSpeaking());
    runEventsFor(300);
    EXPECT_EQ(events(), startEnd);
    EXPECT_EQ(m_sink->calls(), (QStringList{"begin", "finish", "end"}));
}

TEST_F(SynthesizerEvents, StopInMidUtteranceEndsItAtTheNextEventPass)
{
    synthesizer().speaktext(longText);
    ASSERT_TRUE(waitForEvents(1)) << events().join(" ").toStdString();
    synthesizer().stopspeech();
    EXPECT_FALSE(synthesizer().isSpeaking());
    // The stopped utterance's audio was dropped before stopspeech returned.
    EXPECT_EQ(m_sink->calls().last(), "end");
    QCoreApplication::processEvents();
    EXPECT_EQ(events(), startEnd);
    runEventsFor(500);
    EXPECT_EQ(events(), startEnd);
    EXPECT_EQ(m_sink->calls().count("begin"), 1);
}

TEST_F(SynthesizerEvents, SpeakingAfterStopGivesTheOldEndBeforeTheNewStart)
{
    synthesizer().speaktext(longText);
    ASSERT_TRUE(waitForEvents(1)) << events().join(" ").toStdString();
    synthesizer().stopspeech();
    synthesizer().speaktext("Second");
    ASSERT_TRUE(waitForEvents(4)) << events().join(" ").toStdString();
    EXPECT_EQ(events(), twice);
}

TEST_F(SynthesizerEvents, StopBeforeTheAudioStartsGivesNoEventsForThatText)
{
    synthesizer().speaktext(longText);
    synthesizer().stopspeech();
    synthesizer().speaktext("Second");
    ASSERT_TRUE(waitForEvents(2)) << events().join(" ").toStdString();
    runEventsFor(300);
    EXPECT_EQ(events(), startEnd);
}

TEST_F(SynthesizerEvents, StopWhileNothingIsSpokenGivesNoEvents)
{
    synthesizer().stopspeech();
    runEventsFor(200);
    EXPECT_TRUE(events().isEmpty());
}

// Without a stopspeech the new text waits for the one in progress, each with its own events.
TEST_F(SynthesizerEvents, SpeakingWhileSpeakingQueuesTheText)
{
    synthesizer().speaktext("One");
    synthesizer().speaktext("Two");
    ASSERT_TRUE(waitForEvents(4)) << events().join(" ").toStdString();
    EXPECT_EQ(events(), twice);
    EXPECT_EQ(m_sink->calls(), (QStringList{"begin", "finish", "end", "begin", "finish", "end"}));
    EXPECT_FALSE(synthesizer().isSpeaking());
}

TEST_F(SynthesizerEvents, StopAlsoDropsQueuedTexts)
{
    synthesizer().speaktext(longText);
    synthesizer().speaktext("Two");
    ASSERT_TRUE(waitForEvents(1)) << events().join(" ").toStdString();
    synthesizer().stopspeech();
    runEventsFor(1000);
    EXPECT_EQ(events(), startEnd);
    EXPECT_EQ(m_sink->calls().count("begin"), 1);
}

TEST_F(SynthesizerEvents, EmptyOrBlankTextGivesNoEvents)
{
    synthesizer().speaktext("");
    synthesizer().speaktext("  \t ");
    EXPECT_FALSE(synthesizer().isSpeaking());
    runEventsFor(300);
    EXPECT_TRUE(events().isEmpty());
    EXPECT_TRUE(m_sink->calls().isEmpty());

    synthesizer().speaktext("Hi");
    ASSERT_TRUE(waitForEvents(2)) << events().join(" ").toStdString();
    EXPECT_EQ(events(), startEnd);
}

TEST_F(SynthesizerEvents, PauseHoldsTheUtteranceUntilResumed)
{
    synthesizer().speaktext("This takes a few seconds to say, long enough to pause it.");
    ASSERT_TRUE(waitForEvents(1)) << events().join(" ").toStdString();
    synthesizer().pause();
    // Synthesis carries on while paused; once all of it is in, the clock must still stand.
    ASSERT_TRUE(waitUntil([&] { return m_sink->calls().contains("finish"); }));
    const qint64 heard = m_sink->played();
    runEventsFor(700);
    EXPECT_EQ(m_sink->played(), heard);
    EXPECT_EQ(events(), QStringList{"start"});
    EXPECT_TRUE(synthesizer().isSpeaking());

    synthesizer().resume();
    ASSERT_TRUE(waitForEvents(2)) << events().join(" ").toStdString();
    EXPECT_EQ(events(), startEnd);
}

TEST_F(SynthesizerEvents, StopLiftsAPause)
{
    synthesizer().speaktext(longText);
    ASSERT_TRUE(waitForEvents(1)) << events().join(" ").toStdString();
    synthesizer().pause();
    synthesizer().stopspeech();
    synthesizer().speaktext("Hi");
    ASSERT_TRUE(waitForEvents(4)) << events().join(" ").toStdString();
    EXPECT_EQ(events(), twice);
}

TEST_F(SynthesizerEvents, PronunciationsCanBeAskedForWhileSpeaking)
{
    synthesizer().speaktext(longText);
    ASSERT_TRUE(waitForEvents(1)) << events().join(" ").toStdString();
    EXPECT_FALSE(EspeakLibrary::instance().textToPhonemes("hello").isEmpty());
    synthesizer().stopspeech();
    synthesizer().speaktext("Hi");
    ASSERT_TRUE(waitForEvents(4)) << events().join(" ").toStdString();
    EXPECT_EQ(events(), twice);
}

TEST(SynthesizerLifetime, CanBeDestroyedWhileSpeaking)
{
    auto synthesizer = std::make_unique<EspeakSynthesizer>(std::make_unique<SilentSink>());
    SpeechEvents events(*synthesizer);
    synthesizer->speaktext(longText);
    synthesizer->speaktext(longText);
    ASSERT_TRUE(waitUntil([&] { return !events.events.isEmpty(); }));
    synthesizer.reset();
    // Nothing posted by the worker may reach the destroyed object.
    runEventsFor(200);
    EXPECT_EQ(events.events, QStringList{"start"});
}

TEST(SynthesizerOutput, FallsBackToSilentOutputWithoutASoundServer)
{
    const QByteArray saved = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:/nonexistent/quillet-no-server");
    EspeakSynthesizer synthesizer;
    if (saved.isNull())
        qunsetenv("PULSE_SERVER");
    else
        qputenv("PULSE_SERVER", saved);

    EXPECT_FALSE(synthesizer.isAudible());
    SpeechEvents events(synthesizer);
    synthesizer.speaktext("Hi");
    ASSERT_TRUE(waitUntil([&] { return events.events.size() >= 2; }));
    EXPECT_EQ(events.events, startEnd);
    EXPECT_FALSE(events.offUiThread);
}

TEST(SynthesizerOutput, ConnectingInBackgroundFallsBackToSilenceWithoutASoundServer)
{
    const QByteArray saved = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:/nonexistent/quillet-no-server");
    const std::unique_ptr<EspeakSynthesizer> synthesizer =
        EspeakSynthesizer::connectingInBackground();
    SpeechEvents events(*synthesizer);
    synthesizer->speaktext("Hi");
    ASSERT_TRUE(waitUntil([&] { return events.events.size() >= 2; }));
    if (saved.isNull())
        qunsetenv("PULSE_SERVER");
    else
        qputenv("PULSE_SERVER", saved);
    EXPECT_EQ(events.events, startEnd);
    EXPECT_FALSE(events.offUiThread);
    EXPECT_FALSE(synthesizer->isAudible());
}

TEST(SynthesizerOutput, FindsTheOutputOnceItComesBack)
{
    // No output for the first three tries, as when the sound server starts after the program.
    int tries = 0;
    RecordingSink *recording = nullptr;
    EspeakSynthesizer synthesizer([&]() -> std::unique_ptr<AudioSink> {
        if (++tries <= 3)
            return nullptr;
        auto sink = std::make_unique<RecordingSink>(true);
        sink->open(22050);
        recording = sink.get();
        return sink;
    });
    synthesizer.setReopenInterval(std::chrono::milliseconds(10));
    SpeechEvents events(synthesizer);

    // Silent meanwhile, yet the events still come.
    EXPECT_FALSE(synthesizer.isAudible());
    synthesizer.speaktext("Hi");
    ASSERT_TRUE(waitUntil([&] { return events.events.size() >= 2; }));

    ASSERT_TRUE(waitUntil([&] { return synthesizer.isAudible(); }));
    EXPECT_EQ(tries, 4);
    synthesizer.speaktext("Hello again");
    ASSERT_TRUE(waitUntil([&] { return events.events.size() >= 4; }));
    EXPECT_EQ(events.events, twice);
    ASSERT_EQ(recording->stretches().size(), 1u);
    EXPECT_FALSE(recording->stretches().front().empty());
    // Found once, it is kept: no more tries.
    runEventsFor(100);
    EXPECT_EQ(tries, 4);
}

// The sound server restarted while nothing was being said: the next utterance is heard through
// the new server rather than played silently while the old one is mourned.
TEST(SynthesizerOutput, AnOutputLostWhileQuietIsFoundAgainBeforeTheNextUtterance)
{
    std::vector<RecordingSink *> sinks;
    EspeakSynthesizer synthesizer([&]() -> std::unique_ptr<AudioSink> {
        auto sink = std::make_unique<RecordingSink>(true);
        sink->open(22050);
        sinks.push_back(sink.get());
        return sink;
    });
    // Only the lost output makes it look again, not the clock.
    synthesizer.setReopenInterval(std::chrono::hours(1));
    SpeechEvents events(synthesizer);
    synthesizer.speaktext("Hi");
    ASSERT_TRUE(waitUntil([&] { return events.events.size() >= 2; }));
    ASSERT_EQ(sinks.size(), 1u);
    EXPECT_EQ(sinks.front()->stretches().size(), 1u);

    // The program lets go of the lost output: from here on the first sink is gone.
    sinks.front()->fail();
    synthesizer.speaktext("Hello again");
    ASSERT_TRUE(waitUntil([&] { return events.events.size() >= 4; }));
    EXPECT_EQ(events.events, twice);
    EXPECT_TRUE(synthesizer.isAudible());
    ASSERT_EQ(sinks.size(), 2u);
    ASSERT_EQ(sinks.back()->stretches().size(), 1u);
    EXPECT_FALSE(sinks.back()->stretches().front().empty());
}

TEST(SynthesizerOutput, AnOutputLostWhileQuietIsLookedForWithoutWaitingForSpeech)
{
    std::atomic<int> made = 0;
    std::atomic<RecordingSink *> first = nullptr;
    EspeakSynthesizer synthesizer([&]() -> std::unique_ptr<AudioSink> {
        auto sink = std::make_unique<RecordingSink>(true);
        sink->open(22050);
        if (++made == 1)
            first = sink.get();
        return sink;
    });
    synthesizer.setReopenInterval(std::chrono::milliseconds(10));
    runEventsFor(100);
    EXPECT_EQ(made, 1);
    first.load()->fail();
    ASSERT_TRUE(waitUntil([&] { return made == 2; }));
    EXPECT_TRUE(synthesizer.isAudible());
}

} // namespace
