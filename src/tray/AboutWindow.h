#pragma once

#include <QWidget>

class MenuState;
class QSystemTrayIcon;

// The hidden window `about`: it owns the menu `menue` and the tray icon.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(MenuState &menu, QWidget *parent = nullptr);
    ~AboutWindow() override;

    MenuState &menu() const { return m_menu; }
    QSystemTrayIcon *trayIcon() const { return m_tray; }

    // Puts the tray icon in place; false where the desktop has no tray.
    bool addTrayIcon();
    void removeTrayIcon();

private:
    MenuState &m_menu;
    QSystemTrayIcon *m_tray = nullptr;
};
