// Latency of the espeak-ng synthesizer through PulseAudio, run by bench/tts.sh on a server of
// its own. Prints medians over several utterances:
//   tts_first_audio_ms  speaktext to the first sample handed to the sound server
//   tts_start_event_ms  speaktext to speechstart on the UI thread
//   tts_stop_ms         stopspeech to the server dropping the stream (silence)
#include "EspeakSynthesizer.h"
#include "PulseAudioSink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

template <typename Done>
bool waitUntil(Done done, int timeoutMs = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::usleep(200);
    }
    return true;
}

// A client of its own that hears from the server when a playback stream goes away.
class StreamRemovalWatch {
public:
    bool start()
    {
        m_mainloop = pa_threaded_mainloop_new();
        pa_threaded_mainloop_lock(m_mainloop);
        m_context = pa_context_new(pa_threaded_mainloop_get_api(m_mainloop), "tts-bench");
        pa_context_set_state_callback(m_context, &StreamRemovalWatch::onState, this);
        pa_context_set_subscribe_callback(m_context, &StreamRemovalWatch::onEvent, this);
        pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
        pa_threaded_mainloop_start(m_mainloop);
        pa_threaded_mainloop_unlock(m_mainloop);
        return waitUntil([this] { return m_subscribed.load(); }, 5000);
    }
    ~StreamRemovalWatch()
    {
        if (!m_mainloop)
            return;
        pa_threaded_mainloop_stop(m_mainloop);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
        pa_threaded_mainloop_free(m_mainloop);
    }
    int removals() const { return m_removals; }
    Clock::time_point lastRemoval() const { return Clock::time_point(Clock::duration(m_last)); }

private:
    static void onState(pa_context *context, void *self)
    {
        if (pa_context_get_state(context) != PA_CONTEXT_READY)
            return;
        auto *watch = static_cast<StreamRemovalWatch *>(self);
        pa_operation_unref(pa_context_subscribe(
            context, PA_SUBSCRIPTION_MASK_SINK_INPUT,
            [](pa_context *, int, void *self) {
                static_cast<StreamRemovalWatch *>(self)->m_subscribed = true;
            },
            watch));
    }
    static void onEvent(pa_context *, pa_subscription_event_type_t type, uint32_t, void *self)
    {
        if ((type & PA_SUBSCRIPTION_EVENT_TYPE_MASK) != PA_SUBSCRIPTION_EVENT_REMOVE)
            return;
        auto *watch = static_cast<StreamRemovalWatch *>(self);
        watch->m_last = Clock::now().time_since_epoch().count();
        ++watch->m_removals;
    }

    pa_threaded_mainloop *m_mainloop = nullptr;
    pa_context *m_context = nullptr;
    std::atomic<bool> m_subscribed{false};
    std::atomic<int> m_removals{0};
    std::atomic<Clock::rep> m_last{0};
};

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;

    auto sink = std::make_unique<PulseAudioSink>();
    PulseAudioSink *pulse = sink.get();
    EspeakSynthesizer synthesizer(std::move(sink));
    if (!synthesizer.isAudible()) {
        std::fprintf(stderr, "tts_bench: no sound server\n");
        return 1;
    }
    StreamRemovalWatch watch;
    if (!watch.start()) {
        std::fprintf(stderr, "tts_bench: cannot watch the sound server\n");
        return 1;
    }
    int starts = 0, ends = 0;
    Clock::time_point startEvent;
    QObject::connect(&synthesizer, &Synthesizer::speechstart, [&] {
        startEvent = Clock::now();
        ++starts;
    });
    QObject::connect(&synthesizer, &Synthesizer::speechend, [&] { ++ends; });

    const QString texts[] = {
        QStringLiteral("Roger that, I am opening it for you now."),
        QStringLiteral("It is twenty past seven in the morning, and all is well."),
        QStringLiteral("I hear you. Say a command and I will do what it asks."),
    };
    std::vector<double> firstAudio, startEvents, stops;
    // The first utterance loads the voice; it is not counted.
    for (int run = -1; run < runs; ++run) {
        const Clock::time_point spoken = Clock::now();
        synthesizer.speaktext(texts[(run + 1) % 3]);
        if (!waitUntil([&] { return pulse->firstHandOver() > spoken; }) ||
            !waitUntil([&] { return starts == ends + 1; })) {
            std::fprintf(stderr, "tts_bench: no audio\n");
            return 1;
        }
        const double first = msBetween(spoken, pulse->firstHandOver());
        const double start = msBetween(spoken, startEvent);
        waitUntil([] { return false; }, 300);

        const int removalsBefore = watch.removals();
        const Clock::time_point stopped = Clock::now();
        synthesizer.stopspeech();
        if (!waitUntil([&] { return watch.removals() > removalsBefore; }, 5000)) {
            std::fprintf(stderr, "tts_bench: the stream was not dropped\n");
            return 1;
        }
        const double stop = msBetween(stopped, watch.lastRemoval());
        waitUntil([&] { return ends == starts; });
        waitUntil([] { return false; }, 200);
        if (run < 0)
            continue;
        firstAudio.push_back(first);
        startEvents.push_back(start);
        stops.push_back(stop);
    }
    std::printf("tts_first_audio_ms: %.1f\n", median(firstAudio));
    std::printf("tts_start_event_ms: %.1f\n", median(startEvents));
    std::printf("tts_stop_ms: %.1f\n", median(stops));
    std::printf("tts_runs: %d\n", runs);
    return 0;
}
