#include "Program.h"

#include "AboutWindow.h"
#include "BrainWindow.h"
#include "BubbleWindow.h"
#include "CharacterChooser.h"
#include "CharacterWindow.h"
#include "ClipboardSelectionReader.h"
#include "CommandList.h"
#include "DesktopActions.h"
#include "DetachedProcessStarter.h"
#include "Dialogs.h"
#include "Dispatcher.h"
#include "EspeakSynthesizer.h"
#include "KeyBackend.h"
#include "ListSaver.h"
#include "MenuCommands.h"
#include "MenuState.h"
#include "PasteBlocker.h"
#include "PocketSphinxRecognizer.h"
#include "PortalKeySender.h"
#include "QL.h"
#include "QtTrayIcon.h"
#include "ScriptHost.h"
#include "ScriptObjects.h"
#include "Speaker.h"
#include "Startup.h"
#include "WaylandWindowActivator.h"
#include "X11WindowActivator.h"
#include "XdgShellOpener.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

#include <cstdio>
#include <cstdlib>

Program::Services Program::desktopServices()
{
    Services services;
    services.recognizer = std::make_unique<PocketSphinxRecognizer>();
    services.synthesizer = EspeakSynthesizer::connectingInBackground();
    KeyBackend keys = KeyBackend::choose();
    std::fprintf(stderr, "keys: %s\n", qPrintable(keys.name));
    if (!keys.shortfall.isEmpty())
        std::fprintf(stderr, "Quillet: %s\n", qPrintable(keys.shortfall));
    services.keys = std::move(keys.sender);
    services.keyShortfall = keys.shortfall;
    services.portalKeys = keys.portal;
    services.selection = std::make_unique<ClipboardSelectionReader>(services.keys.get());
    services.opener = std::make_unique<XdgShellOpener>();
    services.starter = std::make_unique<DetachedProcessStarter>();
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        services.windows = std::make_unique<X11WindowActivator>();
    else
        services.windows = WaylandWindowActivator::forSession();
    services.tray = std::make_unique<QtTrayIcon>();
    return services;
}

namespace {

WindowActivator &windowsOf(Program::Services &services)
{
    if (!services.windows)
        services.windows = std::make_unique<X11WindowActivator>();
    return *services.windows;
}

TrayIcon &trayOf(Program::Services &services)
{
    if (!services.tray)
        services.tray = std::make_unique<QtTrayIcon>();
    return *services.tray;
}

} // namespace

Program::Program(const AppPaths &paths, Services services, Dialogs &dialogs)
    : m_paths(paths)
    , m_dialogs(dialogs)
    , m_services(std::move(services))
    , m_exit([] {
        // Nothing is kept in memory that is not on disk already, so the end is immediate.
        std::fflush(nullptr);
        std::_Exit(0);
    })
    , m_commands(std::make_unique<CommandList>())
    , m_menu(std::make_unique<MenuState>())
    , m_character(std::make_unique<CharacterWindow>(*m_menu))
    , m_bubble(std::make_unique<BubbleWindow>(*m_character))
    , m_brain(std::make_unique<BrainWindow>(m_paths, *m_commands, m_dialogs))
    , m_about(std::make_unique<AboutWindow>(
          *m_menu, trayOf(m_services), [this] { return m_character->listen == -1; },
          m_bubble.get()))
    , m_ql(std::make_unique<QL>(*m_menu, *m_character))
    , m_listSaver(std::make_unique<ListSaver>(m_paths, *m_commands, *m_menu, *m_services.recognizer,
                                              m_dialogs))
    , m_pasteBlocker(std::make_unique<PasteBlocker>())
    , m_speaker(
          std::make_unique<Speaker>(*m_services.synthesizer, *m_bubble, *m_character, *m_menu))
    , m_scriptHost(std::make_unique<ScriptHost>(
          m_paths, m_dialogs,
          ScriptHost::Desktop{*m_services.keys, *m_services.starter, *m_services.opener,
                              windowsOf(m_services)}))
    , m_actions(std::make_unique<DesktopActions>(*m_services.keys, *m_services.selection,
                                                 *m_services.opener, *m_scriptHost))
    , m_dispatcher(std::make_unique<Dispatcher>(*m_commands, *m_menu, *m_character, *m_bubble,
                                                *m_services.recognizer, *m_services.synthesizer,
                                                *m_speaker, *m_actions))
    , m_menuCommands(std::make_unique<MenuCommands>(*m_menu, *m_commands, *m_character, *m_brain,
                                                    *m_speaker, *m_services.recognizer))
{
    // The tray menu is live while a start-up's message box waits, even the failure's; no
    // save may write a list that was perhaps read only in part.
    m_character->setSaveTheList([this] {
        if (m_started)
            m_listSaver->savethelist();
    });
    m_brain->setSaveTheList([this] { m_character->savethelist(); });
    m_dispatcher->setTypingShortfall(m_services.keyShortfall);
    if (m_services.portalKeys)
        connect(m_services.portalKeys, &PortalKeySender::unavailable, m_speaker.get(),
                [this](const QString &sentence) { m_speaker->speakout(sentence); });
    m_brain->setShellOpener(m_services.opener.get());
    m_brain->setMenu(m_menu.get());
    m_brain->characterlist()->setServices(m_commands.get(), m_character.get(), m_menu.get());
    m_ql->setServices({m_brain.get(), m_speaker.get(), m_services.keys.get(),
                       m_services.opener.get(), m_services.starter.get(), [this] { quit(); }});
    m_scriptHost->setObjects({
        {"QL", ScriptObjects::ql(*m_ql)},
        {"Mouth", ScriptObjects::mouth(*m_services.synthesizer)},
        {"Bubble", ScriptObjects::bubble(*m_bubble->speech())},
        {"wink", ScriptObjects::wink(*m_character->wink())},
        {"character", ScriptObjects::character(*m_character)},
    });
    connect(m_character.get(), &CharacterWindow::menuRequested, this,
            [this](const QPoint &pos) { m_about->popupMenu(pos); });
    connect(m_menu->action(MenuState::Quit), &QAction::triggered, this, &Program::quit);
}

Program::~Program() = default;

bool Program::start()
{
    m_started = Startup(*this).run();
    return m_started;
}

QString Program::unsavedQuitQuestion()
{
    return QStringLiteral("Your latest commands could not be saved, and are lost if Quillet "
                          "ends now.\n\nQuit anyway?");
}

void Program::quit()
{
    // Changes that a full or read-only disk kept from their file get one more try; the user
    // decides whether to lose them.
    if (m_listSaver->isBehind() && !m_listSaver->savethelist() &&
        m_dialogs.ask(QStringLiteral("Quillet"), unsavedQuitQuestion(), 4 + 48) != 6)
        return;
    m_about->removeTrayIcon();
    m_exit();
}
