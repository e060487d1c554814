#pragma once

#include "Synthesizer.h"

// Records what it was asked to say and stop; tests raise the speech events by hand.
class FakeSynthesizer : public Synthesizer {
    Q_OBJECT
public:
    using Synthesizer::Synthesizer;

    void speaktext(const QString &text) override;
    void stopspeech() override;
    void pause() override { m_calls << QStringLiteral("pause"); }
    void resume() override { m_calls << QStringLiteral("resume"); }
    bool isSpeaking() const override { return m_speaking; }

    int rate() const override { return m_rate; }
    void setRate(int wordsPerMinute) override { m_rate = wordsPerMinute; }
    int pitch() const override { return m_pitch; }
    void setPitch(int pitch) override { m_pitch = pitch; }
    int volume() const override { return m_volume; }
    void setVolume(int volume) override { m_volume = volume; }
    QString voice() const override { return m_voice; }
    bool setVoice(const QString &name) override;
    QStringList voices() const override { return {QStringLiteral("en"), QStringLiteral("en-us")}; }

    // "speak <text>" and "stop", in call order.
    QStringList calls() const { return m_calls; }
    QStringList spoken() const;
    void clearCalls() { m_calls.clear(); }

    // Raise the events as the engine would.
    void startSpeaking();
    void finishSpeaking();

private:
    QStringList m_calls;
    bool m_speaking = false;
    int m_rate = 175;
    int m_pitch = 50;
    int m_volume = 100;
    QString m_voice = QStringLiteral("en");
};
