#pragma once

#include <QObject>
#include <QString>

#include <functional>

class BrainWindow;
class CharacterWindow;
class KeySender;
class MenuState;
class ProcessStarter;
class ShellOpener;
class Speaker;

// The program's own object for scripts, `QL`. It holds no state: every member works on the
// windows, the menu and the services it is given. All members but autolisten swallow their
// failures: a script that runs a missing file or sets a frame that is no number goes on.
class QL : public QObject {
    Q_OBJECT
public:
    struct Services {
        BrainWindow *brain = nullptr;
        Speaker *speaker = nullptr;
        KeySender *keys = nullptr;
        ShellOpener *opener = nullptr;
        ProcessStarter *starter = nullptr;
        std::function<void()> quit;
    };

    QL(MenuState &menu, CharacterWindow &character, QObject *parent = nullptr);

    void setServices(Services services) { m_services = std::move(services); }

    // The editor's add page is turned to and from by the editor's flip.
    void addflipp();
    void cancelflipp();
    void quit();
    void showbrain();
    void hidebrain();
    // Switches the Auto listen state of the menu without speaking or storing the option.
    void autolisten(bool on);
    void sendkeys(const QString &thing);
    void run(const QString &path);
    QString animation() const;
    void setAnimation(const QString &nr);
    void cmd(const QString &cmm);
    void shellcommand(const QString &cccp);
    void speak(const QString &sak);

private:
    MenuState &m_menu;
    CharacterWindow &m_character;
    Services m_services;
};
