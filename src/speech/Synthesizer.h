#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The speech synthesizer `mun`. speaktext returns at once and the text is spoken in the
// background; stopspeech ends speech in progress at once. speechstart is emitted when the
// first audio of an utterance really plays and speechend when it has ended or was stopped,
// both on the UI thread and in order. An empty text gives no events.
class Synthesizer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void speaktext(const QString &text) = 0;
    virtual void stopspeech() = 0;

    virtual void pause() = 0;
    virtual void resume() = 0;
    virtual bool isSpeaking() const = 0;

    // Words per minute.
    virtual int rate() const = 0;
    virtual void setRate(int wordsPerMinute) = 0;
    // 0 to 100, 50 the voice's normal pitch.
    virtual int pitch() const = 0;
    virtual void setPitch(int pitch) = 0;
    // 0 to 100.
    virtual int volume() const = 0;
    virtual void setVolume(int volume) = 0;
    virtual QString voice() const = 0;
    virtual bool setVoice(const QString &name) = 0;
    virtual QStringList voices() const = 0;

signals:
    void speechstart();
    void speechend();
};
