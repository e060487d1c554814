#include "Speaker.h"

#include "BubbleWindow.h"
#include "CharacterWindow.h"
#include "MenuState.h"
#include "Synthesizer.h"
#include "TickTimer.h"

#include <QCoreApplication>

Speaker::Speaker(Synthesizer &mun, BubbleWindow &bubble, CharacterWindow &character,
                 MenuState &menu, QObject *parent)
    : QObject(parent)
    , m_mun(mun)
    , m_bubble(bubble)
    , m_character(character)
    , m_menu(menu)
    , m_talktimer(new TickTimer(kTalkInterval, false, this))
{
    connect(m_talktimer, &TickTimer::tick, this, &Speaker::talkTick);
    connect(&m_mun, &Synthesizer::speechstart, this, &Speaker::speechstart);
    connect(&m_mun, &Synthesizer::speechend, this, &Speaker::speechend);
}

void Speaker::speakout(const QString &text, const QString &bubbletext)
{
    m_mun.stopspeech();
    QCoreApplication::processEvents();
    m_bubble.setText(bubbletext);
    m_mun.speaktext(text);
}

void Speaker::sayWithoutStopping(const QString &text)
{
    m_bubble.setText(text);
    m_mun.speaktext(text);
}

void Speaker::speechstart()
{
    if (m_menu.isChecked(MenuState::Bubble))
        m_bubble.setWidthTwips(BubbleWindow::kOpenWidthTwips);
    talkcount = 1;
    m_talktimer->setEnabled(true);
    m_character.wink()->setEnabled(false);
    m_character.animate()->setEnabled(false);
}

void Speaker::talkTick()
{
    static const int kMouth[] = {11, 12, 13, 12, 11};
    const int step = int(talkcount);
    if (step >= 1 && step <= 5)
        m_character.showframe(kMouth[step - 1]);
    talkcount += 1;
    if (talkcount == 6)
        talkcount = 1;
}

void Speaker::speechend()
{
    const bool asleep = m_character.sleeping != 0;
    if (!asleep && !m_menu.isEnabled(MenuState::Sleep))
        m_menu.setEnabled(MenuState::Sleep, true);
    m_bubble.setWidthTwips(BubbleWindow::kClosedWidthTwips);
    m_talktimer->setEnabled(false);
    m_character.showframe(0);
    if (asleep) {
        // The next idle tick starts the falling-asleep gesture; blinking stays off.
        m_character.animate()->deliverDue();
        m_character.idlecount = 499;
        m_character.animate()->setEnabled(true);
        m_character.animate()->reschedule();
    } else {
        m_character.wink()->setEnabled(true);
        m_character.animate()->setEnabled(true);
    }
}
