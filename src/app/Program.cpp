#include "Program.h"

#include "AboutWindow.h"
#include "BrainWindow.h"
#include "BubbleWindow.h"
#include "CharacterWindow.h"
#include "CommandList.h"
#include "Dialogs.h"
#include "FakeRecognizer.h"
#include "FakeSynthesizer.h"
#include "ListSaver.h"
#include "MenuState.h"
#include "PasteBlocker.h"
#include "QL.h"
#include "Startup.h"

Program::Engines Program::desktopEngines() {
    Engines engines;
    engines.recognizer = std::make_unique<FakeRecognizer>();
    engines.synthesizer = std::make_unique<FakeSynthesizer>();
    return engines;
}

Program::Program(const AppPaths &paths, Engines engines, Dialogs &dialogs)
    : m_paths(paths)
    , m_dialogs(dialogs)
    , m_commands(std::make_unique<CommandList>())
    , m_menu(std::make_unique<MenuState>())
    , m_reco(std::move(engines.recognizer))
    , m_mun(std::move(engines.synthesizer))
    , m_character(std::make_unique<CharacterWindow>(*m_menu))
    , m_bubble(std::make_unique<BubbleWindow>())
    , m_brain(std::make_unique<BrainWindow>(*m_commands))
    , m_about(std::make_unique<AboutWindow>(*m_menu))
    , m_ql(std::make_unique<QL>(*m_menu, *m_character))
    , m_listSaver(std::make_unique<ListSaver>(m_paths, *m_commands, *m_menu, *m_reco))
    , m_pasteBlocker(std::make_unique<PasteBlocker>()) {
    m_character->setSaveTheList([this] { m_listSaver->savethelist(); });
}

Program::~Program() = default;

bool Program::start() {
    return Startup(*this).run();
}
