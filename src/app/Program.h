#pragma once

#include "AppPaths.h"
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
class ListSaver;
class MenuState;
class PasteBlocker;
class QL;

// The program's object graph, made once: the four windows for the whole run and what each of
// them uses. Tests make it with engine doubles and answerable dialogs.
class Program : public QObject {
    Q_OBJECT
public:
    struct Engines {
        std::unique_ptr<Recognizer> recognizer;
        std::unique_ptr<Synthesizer> synthesizer;
    };

    // The real engines of the desktop.
    static Engines desktopEngines();

    Program(const AppPaths &paths, Engines engines, Dialogs &dialogs);
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
    PasteBlocker &pasteBlocker() const { return *m_pasteBlocker; }
    Dialogs &dialogs() const { return m_dialogs; }

private:
    AppPaths m_paths;
    Dialogs &m_dialogs;
    std::unique_ptr<CommandList> m_commands;
    std::unique_ptr<MenuState> m_menu;
    std::unique_ptr<Recognizer> m_reco;
    std::unique_ptr<Synthesizer> m_mun;
    std::unique_ptr<CharacterWindow> m_character;
    std::unique_ptr<BubbleWindow> m_bubble;
    std::unique_ptr<BrainWindow> m_brain;
    std::unique_ptr<AboutWindow> m_about;
    std::unique_ptr<QL> m_ql;
    std::unique_ptr<ListSaver> m_listSaver;
    std::unique_ptr<PasteBlocker> m_pasteBlocker;
};
