#pragma once

#include <QWidget>

#include <functional>

class MenuState;
class TickTimer;
class TrayIcon;

// The hidden window `about`: it owns the menu `menue` and the tray icon, whose ear turns to
// the sound while the character listens.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kEarIntervalMs = 150;

    // listening tells whether the character listens; focusWindow takes the keyboard after
    // every click on the icon.
    AboutWindow(MenuState &menu, TrayIcon &tray, std::function<bool()> listening,
                QWidget *focusWindow, QWidget *parent = nullptr);
    ~AboutWindow() override;

    MenuState &menu() const { return m_menu; }
    TrayIcon &trayIcon() const { return m_tray; }
    TickTimer *ear() const { return m_ear; }

    // The ear picture the next tick of listening shows, 1 to 3. It is kept when the character
    // stops listening, so the next listening goes on where this one stopped.
    int earsingel = 1;

    // Puts the tray icon in place; false where the desktop has no tray, which is told once.
    bool addTrayIcon();
    void removeTrayIcon();

    // The timer `ear`'s tick.
    void earTick();

    // Opens the menu for a right click on the character. Unlike the tray's menu, it leaves
    // the keyboard where it is when it closes.
    void popupMenu(const QPoint &pos);

    // Where the word that there is no tray goes; standard error unless replaced.
    void setNotice(std::function<void(const QString &)> notice) { m_notice = std::move(notice); }
    static QString noTrayMessage();

private:
    void showPicture(const QString &picture, const QString &tip);
    void onActivated();
    void onMenuHidden();
    void giveFocus();

    MenuState &m_menu;
    TrayIcon &m_tray;
    std::function<bool()> m_listening;
    QWidget *m_focusWindow;
    std::function<void(const QString &)> m_notice;
    TickTimer *m_ear;
    QString m_picture;
    QString m_tip;
    bool m_added = false;
    bool m_toldNoTray = false;
    bool m_menuFromCharacter = false;
};
