#include "Program.h"

#include "AboutWindow.h"
#include "BrainWindow.h"
#include "BubbleWindow.h"
#include "CharacterWindow.h"
#include "CommandList.h"
#include "Dialogs.h"
#include "Dispatcher.h"
#include "FakeCommandActions.h"
#include "FakeRecognizer.h"
#include "FakeSynthesizer.h"
#include "ListSaver.h"
#include "MenuState.h"
#include "PasteBlocker.h"
#include "QL.h"
#include "Speaker.h"
#include "Startup.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

Program::Services Program::desktopServices(const AppPaths &paths)
{
    Services services;
    services.recognizer = std::make_unique<FakeRecognizer>();
    services.synthesizer = std::make_unique<FakeSynthesizer>();
    services.actions = std::make_unique<FakeCommandActions>();
    return services;
}

Program::Program(const AppPaths &paths, Services services, Dialogs &dialogs)
    : m_paths(paths)
    , m_dialogs(dialogs)
    , m_commands(std::make_unique<CommandList>())
    , m_menu(std::make_unique<MenuState>())
    , m_reco(std::move(services.recognizer))
    , m_mun(std::move(services.synthesizer))
    , m_actions(std::move(services.actions))
    , m_character(std::make_unique<CharacterWindow>(*m_menu))
    , m_bubble(std::make_unique<BubbleWindow>())
    , m_brain(std::make_unique<BrainWindow>(*m_commands))
    , m_about(std::make_unique<AboutWindow>(*m_menu))
    , m_ql(std::make_unique<QL>(*m_menu, *m_character))
    , m_listSaver(std::make_unique<ListSaver>(m_paths, *m_commands, *m_menu, *m_reco))
    , m_pasteBlocker(std::make_unique<PasteBlocker>())
    , m_speaker(std::make_unique<Speaker>(*m_mun, *m_bubble, *m_character, *m_menu))
    , m_dispatcher(std::make_unique<Dispatcher>(*m_commands, *m_menu, *m_character, *m_bubble,
                                                *m_reco, *m_mun, *m_speaker, *m_actions))
{
    m_character->setSaveTheList([this] { m_listSaver->savethelist(); });
    connect(m_character.get(), &CharacterWindow::menuRequested, this,
            [this](const QPoint &pos) { m_menu->menue()->popup(pos); });
    connect(m_menu->action(MenuState::Quit), &QAction::triggered, this, &Program::quit);
}

Program::~Program() = default;

bool Program::start()
{
    return Startup(*this).run();
}

void Program::quit()
{
    m_about->removeTrayIcon();
    QCoreApplication::exit(0);
}
