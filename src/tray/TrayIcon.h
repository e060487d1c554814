#pragma once

#include <QObject>
#include <QString>

class QMenu;

// The icon in the desktop's notification area. Pictures go by their names in TrayPictures.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~TrayIcon() override = default;

    // Whether the desktop has a tray to show the icon in right now.
    virtual bool isAvailable() const = 0;

    // Puts the icon in the tray; where there is no tray yet, it comes as soon as one starts.
    virtual void add(const QString &picture, const QString &tip) = 0;
    virtual void change(const QString &picture, const QString &tip) = 0;
    virtual void remove() = 0;

    // The menu a right click on the icon opens; the tray, or the desktop, shows it.
    virtual void setMenu(QMenu *menu) = 0;

signals:
    // Any click on the icon, with any button.
    void activated();
};
