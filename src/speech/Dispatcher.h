#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

class BubbleWindow;
class CharacterWindow;
class CommandActions;
class CommandList;
class MenuState;
class Recognizer;
class Speaker;
class Synthesizer;

// The handler of every recognized phrase: keeps the listening state (awake, listening,
// asleep), answers the built-in phrases and carries out the phrase's command. Every step
// runs whatever the previous one did; the listening state and the recognizer restart are
// reached in every case.
class Dispatcher : public QObject {
    Q_OBJECT
public:
    Dispatcher(CommandList &list, MenuState &menu, CharacterWindow &character, BubbleWindow &bubble,
               Recognizer &reco, Synthesizer &mun, Speaker &speaker, CommandActions &actions,
               QObject *parent = nullptr);

    // The clock the time and date are read from; tests set their own.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    // Where keys cannot reach every window, the sentence that tells the user what to do; it is
    // said in place of the answer the first time a Type command runs, and never again.
    void setTypingShortfall(const QString &sentence) { m_typingShortfall = sentence; }

    // The month name of the last date read.
    QString monthName() const { return m_monthName; }

public slots:
    void phraseFinished(const QString &phrase);

private:
    // With QUILLET_RECO_DEBUG set, logs a phrase acted on: what it woke or the kind carried out.
    void tell(const QString &phrase, const QString &what) const;
    void goToSleep();
    void carryOut(const QString &kind, const QString &argument);
    void read(const QString &what);
    void restartRecognition();

    CommandList &m_list;
    MenuState &m_menu;
    CharacterWindow &m_character;
    BubbleWindow &m_bubble;
    Recognizer &m_reco;
    Synthesizer &m_mun;
    Speaker &m_speaker;
    CommandActions &m_actions;
    std::function<QDateTime()> m_clock;
    QString m_monthName;
    QString m_typingShortfall;
    const bool m_debug;
};
