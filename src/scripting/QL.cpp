#include "QL.h"

#include "BrainWindow.h"
#include "CharacterWindow.h"
#include "KeySender.h"
#include "MenuState.h"
#include "ProcessStarter.h"
#include "ShellOpener.h"
#include "Speaker.h"

QL::QL(MenuState &menu, CharacterWindow &character, QObject *parent)
    : QObject(parent)
    , m_menu(menu)
    , m_character(character)
{}

void QL::addflipp()
{
    if (m_services.brain)
        m_services.brain->addflipp();
}

void QL::cancelflipp()
{
    if (m_services.brain)
        m_services.brain->cancelflipp();
}

void QL::quit()
{
    if (m_services.quit)
        m_services.quit();
}

void QL::showbrain()
{
    if (m_services.brain)
        m_services.brain->show();
}

void QL::hidebrain()
{
    if (m_services.brain)
        m_services.brain->hide();
}

void QL::autolisten(bool on)
{
    if (on) {
        m_menu.setChecked(MenuState::Listen, true);
        m_character.listen = -1;
        m_menu.setChecked(MenuState::AutoListen, true);
        m_menu.setEnabled(MenuState::Listen, false);
    } else {
        // Listening itself carries on; only the next command will end it.
        m_menu.setChecked(MenuState::AutoListen, false);
        m_menu.setEnabled(MenuState::Listen, true);
    }
}

void QL::sendkeys(const QString &thing)
{
    if (m_services.keys)
        m_services.keys->sendKeys(thing);
}

void QL::run(const QString &path)
{
    if (m_services.opener)
        m_services.opener->open(path);
}

QString QL::animation() const
{
    const float frame = float(m_character.shownFrame());
    // Frame 0 reads "0", never "-0".
    return frame == 0 ? QStringLiteral("0") : QString::number(frame, 'g', 7);
}

void QL::setAnimation(const QString &nr)
{
    bool ok = false;
    const double frame = nr.trimmed().toDouble(&ok);
    if (ok)
        m_character.showframe(frame);
}

void QL::cmd(const QString &cmm)
{
    if (m_services.starter)
        m_services.starter->start(cmm, WindowState::MinimizedActive);
}

void QL::shellcommand(const QString &cccp)
{
    if (m_services.starter)
        m_services.starter->start(cccp, WindowState::MaximizedActive);
}

void QL::speak(const QString &sak)
{
    if (m_services.speaker)
        m_services.speaker->speakout(sak);
}
