#pragma once

#include "AppPaths.h"
#include "CommandActions.h"
#include "Recognizer.h"
#include "Synthesizer.h"

#include <QObject>

#include <memory>

class AboutWindow;
class BrainWindow;
class BubbleWindow;
class CharacterWindow;
class CommandList;
class Dialogs;
class Dispatcher;
class ListSaver;
class MenuState;
class PasteBlocker;
class QL;
class Speaker;

// The program's object graph, made once: the four windows for the whole run and what each of
// them uses. Tests make it with engine doubles and answerable dialogs.
class Program : public QObject {
    Q_OBJECT
public:
    // The engines and the desktop services the program drives; tests pass doubles.
    struct Services {
        std::unique_ptr<Recognizer> recognizer;
        std::unique_ptr<Synthesizer> synthesizer;
        std::unique_ptr<CommandActions> actions;
    };

    // The real engines and services of the desktop.
    static Services desktopServices(const AppPaths &paths);

    Program(const AppPaths &paths, Services services, Dialogs &dialogs);
    ~Program() override;

    // Runs the start-up; false when it failed and the program must end.
    bool start();

    const AppPaths &paths() const { return m_paths; }
    CommandList &commands() const { return *m_commands; }
    MenuState &menu() const { return *m_menu; }
    AboutWindow &about() const { return *m_about; }
    BubbleWindow &bubble() const { return *m_bubble; }
    BrainWindow &brain() const { return *m_brain; }
    CharacterWindow &character() const { return *m_character; }
    Recognizer &reco() const { return *m_reco; }
    Synthesizer &mun() const { return *m_mun; }
    QL &ql() const { return *m_ql; }
    ListSaver &listSaver() const { return *m_listSaver; }
    Speaker &speaker() const { return *m_speaker; }
    Dispatcher &dispatcher() const { return *m_dispatcher; }
    CommandActions &actions() const { return *m_actions; }

    // Ends the program as the menu's Quit does: the tray icon goes, then the event loop.
    void quit();
    PasteBlocker &pasteBlocker() const { return *m_pasteBlocker; }
    Dialogs &dialogs() const { return m_dialogs; }

private:
    AppPaths m_paths;
    Dialogs &m_dialogs;
    std::unique_ptr<CommandList> m_commands;
    std::unique_ptr<MenuState> m_menu;
    std::unique_ptr<Recognizer> m_reco;
    std::unique_ptr<Synthesizer> m_mun;
    std::unique_ptr<CommandActions> m_actions;
    std::unique_ptr<CharacterWindow> m_character;
    std::unique_ptr<BubbleWindow> m_bubble;
    std::unique_ptr<BrainWindow> m_brain;
    std::unique_ptr<AboutWindow> m_about;
    std::unique_ptr<QL> m_ql;
    std::unique_ptr<ListSaver> m_listSaver;
    std::unique_ptr<PasteBlocker> m_pasteBlocker;
    std::unique_ptr<Speaker> m_speaker;
    std::unique_ptr<Dispatcher> m_dispatcher;
};
