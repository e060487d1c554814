#include "Dispatcher.h"

#include "BubbleWindow.h"
#include "CharacterWindow.h"
#include "CommandActions.h"
#include "CommandList.h"
#include "MenuState.h"
#include "Recognizer.h"
#include "Speaker.h"
#include "SpokenClock.h"
#include "Synthesizer.h"

#include <QCoreApplication>

#include <cstdio>
#include <utility>

namespace {

constexpr qint16 kTrue = -1;
constexpr qint16 kFalse = 0;

// Only spaces count, as for the phrases of the command list.
QString trimSpaces(const QString &text)
{
    int start = 0;
    int end = int(text.size());
    while (start < end && text[start] == ' ')
        ++start;
    while (end > start && text[end - 1] == ' ')
        --end;
    return text.mid(start, end - start);
}

void yieldOnce()
{
    QCoreApplication::processEvents();
}

} // namespace

Dispatcher::Dispatcher(CommandList &list, MenuState &menu, CharacterWindow &character,
                       BubbleWindow &bubble, Recognizer &reco, Synthesizer &mun, Speaker &speaker,
                       CommandActions &actions, QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_menu(menu)
    , m_character(character)
    , m_bubble(bubble)
    , m_reco(reco)
    , m_mun(mun)
    , m_speaker(speaker)
    , m_actions(actions)
    , m_clock([] { return QDateTime::currentDateTime(); })
    , m_debug(qEnvironmentVariableIsSet("QUILLET_RECO_DEBUG"))
{
    connect(&m_reco, &Recognizer::phraseFinished, this, &Dispatcher::phraseFinished);
}

void Dispatcher::phraseFinished(const QString &phrase)
{
    if (trimSpaces(phrase).isEmpty())
        return;

    const int index = m_list.selectByPhrase(phrase);
    const QString kind = m_list.selectedKind();
    const QString argument = m_list.selectedArgument();

    if (phrase == QLatin1String("stop speak")) {
        m_speaker.speakout(QStringLiteral("Ok"));
        return;
    }
    if (index == 0 && m_character.listen == kFalse) {
        tell(phrase, QStringLiteral("wake"));
        m_speaker.sayWithoutStopping(argument);
        m_character.listen = kTrue;
        m_menu.setChecked(MenuState::Listen, true);
        return;
    }
    if (m_character.listen == kTrue) {
        if (phrase == QLatin1String("go to sleep")) {
            goToSleep();
            return;
        }
        if (index == 0) {
            m_speaker.speakout(QStringLiteral("I am already listening"));
            return;
        }
        tell(phrase, kind);
        carryOut(kind, argument);
        if (!m_menu.isChecked(MenuState::AutoListen)) {
            m_character.listen = kFalse;
            m_menu.setChecked(MenuState::Listen, false);
        }
    }
    restartRecognition();
}

void Dispatcher::tell(const QString &phrase, const QString &what) const
{
    // Next to the recognizer's own lines, what became of each phrase it let through.
    if (m_debug)
        std::fprintf(stderr, "act: \"%s\" %s\n", qPrintable(phrase), qPrintable(what));
}

void Dispatcher::goToSleep()
{
    m_menu.setChecked(MenuState::AutoListen, false);
    m_menu.setEnabled(MenuState::AutoListen, false);
    m_menu.setChecked(MenuState::Listen, false);
    m_menu.setEnabled(MenuState::Listen, false);
    m_character.listen = kFalse;
    // Enabled again when the falling-asleep gesture has played.
    m_menu.setEnabled(MenuState::Sleep, false);
    m_menu.setChecked(MenuState::Sleep, true);
    m_character.sleeping = kTrue;
    m_mun.stopspeech();
    yieldOnce();
    const QString reply = QStringLiteral("I hope I am sleepy");
    m_mun.speaktext(reply);
    m_bubble.setText(reply);
    m_reco.deactivate();
}

void Dispatcher::carryOut(const QString &kind, const QString &argument)
{
    if (kind == QLatin1String("Script")) {
        m_actions.runScript(argument);
    } else if (kind == QLatin1String("Speak")) {
        m_speaker.speakout(argument);
    } else if (kind == QLatin1String("Type")) {
        // XWayland windows still get the keys, so they are typed all the same.
        m_speaker.speakout(m_typingShortfall.isEmpty() ? QStringLiteral("Yes Sir")
                                                       : std::exchange(m_typingShortfall, {}));
        m_actions.typeKeys(argument);
    } else if (kind == QLatin1String("Read")) {
        m_mun.stopspeech();
        yieldOnce();
        read(argument);
    } else if (kind == QLatin1String("Open")) {
        m_speaker.speakout(QStringLiteral("Roger that"));
        m_actions.open(argument);
    } else if (kind == QLatin1String("Plugin")) {
        m_speaker.speakout(QStringLiteral("Roger that"));
        m_actions.startPlugin(argument);
    }
}

void Dispatcher::read(const QString &what)
{
    if (what == QLatin1String("the time")) {
        // Spoken and shown each from a reading of its own, as two sentences are built.
        m_mun.speaktext(SpokenClock::spokenTime(m_clock().time()));
        m_bubble.setText(SpokenClock::shownTime(m_clock().time()));
    } else if (what == QLatin1String("the date")) {
        const QDate today = m_clock().date();
        m_monthName = SpokenClock::monthName(today.month());
        m_mun.speaktext(SpokenClock::dateText(today));
        m_bubble.setText(SpokenClock::dateText(m_clock().date()));
    } else if (what == QLatin1String("the selected text")) {
        const QString text = m_actions.readSelection();
        const QString reply = text.isEmpty() ? QStringLiteral("I can not read that") : text;
        m_mun.speaktext(reply);
        m_bubble.setText(reply);
    }
}

void Dispatcher::restartRecognition()
{
    m_reco.deactivate();
    // The command may have put the character to sleep while it ran (a nested "go to sleep",
    // or the tray's Sleep during a message box or a spoken reply): asleep, nothing listens.
    if (m_menu.isChecked(MenuState::Sleep))
        return;
    m_reco.activate();
}
