#pragma once

#include <QObject>
#include <QString>

class BubbleWindow;
class CharacterWindow;
class MenuState;
class Synthesizer;
class TickTimer;

// The one speaking sequence, and the face while the synthesizer speaks: the mouth cycles on
// `talktimer`, blinking and gestures pause, and the bubble opens; at the end of the audio
// the rest frame returns, the bubble closes, and the idle life resumes or, when the character
// was sent to sleep, it falls asleep.
class Speaker : public QObject {
    Q_OBJECT
public:
    static constexpr int kTalkInterval = 120;

    Speaker(Synthesizer &mun, BubbleWindow &bubble, CharacterWindow &character, MenuState &menu,
            QObject *parent = nullptr);

    // Stops what is being said, lets pending events run once, shows the bubble text and
    // speaks the text.
    void speakout(const QString &text) { speakout(text, text); }
    void speakout(const QString &text, const QString &bubbletext);
    // The wake reply: bubble text and speech only, so speech in progress is not cut off.
    void sayWithoutStopping(const QString &text);

    TickTimer *talktimer() const { return m_talktimer; }
    float talkcount = 1;

public slots:
    void speechstart();
    void speechend();
    void talkTick();

private:
    Synthesizer &m_mun;
    BubbleWindow &m_bubble;
    CharacterWindow &m_character;
    MenuState &m_menu;
    TickTimer *m_talktimer;
};
