#pragma once

#include "AudioSink.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_operation;

// Plays through the PulseAudio server named by PULSE_SERVER (or the user's default one).
// Each stretch gets a playback stream of its own, prepared while the previous one plays, so
// its clock starts at zero and dropping it silences it at once. Samples wait in a local queue
// until the server asks for them, which keeps the server's buffer, and thus latency, short.
// A server that plays nothing of a stretch for a few seconds is taken to have gone away.
class PulseAudioSink : public AudioSink {
public:
    explicit PulseAudioSink(const QString &clientName = QStringLiteral("Quillet"));
    ~PulseAudioSink() override;

    // Connects to the server; false when none answers.
    bool open(int sampleRate) override;
    void begin() override;
    void write(const qint16 *samples, qsizetype count) override;
    void finish() override;
    qint64 played() override;
    void end() override;
    void setPaused(bool paused) override;
    bool failed() const override { return m_failed; }

    // When the first sample of the current stretch went to the server; for measurements.
    std::chrono::steady_clock::time_point firstHandOver() const;

private:
    // All of these run with the mainloop lock held.
    pa_stream *createStream();
    void dispose(pa_stream *&stream);
    void pump();
    static void onContextState(pa_context *context, void *self);
    static void onStreamState(pa_stream *stream, void *self);
    static void onWritable(pa_stream *stream, size_t bytes, void *self);
    static void onDrained(pa_stream *stream, int success, void *self);

    const QByteArray m_clientName;
    pa_threaded_mainloop *m_mainloop = nullptr;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr; // the current stretch
    pa_stream *m_spare = nullptr;  // ready for the next one
    pa_operation *m_timingUpdate = nullptr;
    int m_sampleRate = 0;
    QByteArray m_pending; // samples not yet taken by the server
    qint64 m_handed = 0;  // samples of the stretch given to the server
    bool m_finishing = false;
    bool m_triggered = false;
    // The server has played the whole finished stretch; its clock alone never gets there,
    // as it keeps the sink's latency back once the stream runs dry.
    bool m_drained = false;
    bool m_paused = false;
    std::chrono::steady_clock::time_point m_firstHandOver;
    // A server that stops taking audio counts as gone, so speech never waits on it forever.
    qint64 m_lastPlayed = -1;
    std::chrono::steady_clock::time_point m_lastProgress;
    std::atomic<bool> m_failed{false};
};
