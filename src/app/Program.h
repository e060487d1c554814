#pragma once

#include "AppPaths.h"
#include "KeySender.h"
#include "ProcessStarter.h"
#include "Recognizer.h"
#include "SelectionReader.h"
#include "ShellOpener.h"
#include "Synthesizer.h"
#include "TrayIcon.h"
#include "WindowActivator.h"

#include <QObject>

#include <functional>
#include <memory>

class AboutWindow;
class BrainWindow;
class BubbleWindow;
class CharacterWindow;
class CommandActions;
class CommandList;
class Dialogs;
class Dispatcher;
class ListSaver;
class MenuCommands;
class MenuState;
class PasteBlocker;
class QL;
class ScriptHost;
class Speaker;

// The program's object graph, made once: the four windows for the whole run and what each of
// them uses. Tests make it with engine and desktop doubles and answerable dialogs.
class Program : public QObject {
    Q_OBJECT
public:
    // The engines and the desktop services the program drives.
    struct Services {
        std::unique_ptr<Recognizer> recognizer;
        std::unique_ptr<Synthesizer> synthesizer;
        std::unique_ptr<KeySender> keys;
        std::unique_ptr<SelectionReader> selection;
        std::unique_ptr<ShellOpener> opener;
        std::unique_ptr<ProcessStarter> starter;
        // The desktop's window manager where left out.
        std::unique_ptr<WindowActivator> windows;
        // The desktop's tray where left out.
        std::unique_ptr<TrayIcon> tray;
        // What the key sender cannot reach and what the user can do about it; empty when it
        // reaches every window.
        QString keyShortfall;
        // The portal key sender among the services, when keys go through the portal.
        class PortalKeySender *portalKeys = nullptr;
    };

    // The real engines and services of the desktop.
    static Services desktopServices();

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
    Recognizer &reco() const { return *m_services.recognizer; }
    Synthesizer &mun() const { return *m_services.synthesizer; }
    const Services &services() const { return m_services; }
    QL &ql() const { return *m_ql; }
    ListSaver &listSaver() const { return *m_listSaver; }
    PasteBlocker &pasteBlocker() const { return *m_pasteBlocker; }
    Speaker &speaker() const { return *m_speaker; }
    Dispatcher &dispatcher() const { return *m_dispatcher; }
    ScriptHost &scriptHost() const { return *m_scriptHost; }
    Dialogs &dialogs() const { return m_dialogs; }

    // How the program ends; tests replace the real end, which leaves at once.
    void setExit(std::function<void()> exit) { m_exit = std::move(exit); }
    // Ends the program as the menu's Quit does: the tray icon goes, then the program. Where
    // the command list could not be saved, the user is asked first.
    void quit();
    static QString unsavedQuitQuestion();

private:
    AppPaths m_paths;
    Dialogs &m_dialogs;
    Services m_services;
    std::function<void()> m_exit;
    // Whether the start-up ran to its end. Until then the command list may be loaded only in
    // part, so only the start-up's own save writes it.
    bool m_started = false;
    std::unique_ptr<CommandList> m_commands;
    std::unique_ptr<MenuState> m_menu;
    std::unique_ptr<CharacterWindow> m_character;
    std::unique_ptr<BubbleWindow> m_bubble;
    std::unique_ptr<BrainWindow> m_brain;
    std::unique_ptr<AboutWindow> m_about;
    std::unique_ptr<QL> m_ql;
    std::unique_ptr<ListSaver> m_listSaver;
    std::unique_ptr<PasteBlocker> m_pasteBlocker;
    std::unique_ptr<Speaker> m_speaker;
    std::unique_ptr<ScriptHost> m_scriptHost;
    std::unique_ptr<CommandActions> m_actions;
    std::unique_ptr<Dispatcher> m_dispatcher;
    std::unique_ptr<MenuCommands> m_menuCommands;
};
