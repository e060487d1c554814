#pragma once

#include "TrayIcon.h"

#include <QHash>
#include <QIcon>

class QSystemTrayIcon;

// The tray icon through QSystemTrayIcon: a StatusNotifierItem where the desktop has a host for
// them, an icon docked into an XEmbed tray otherwise.
class QtTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    explicit QtTrayIcon(QObject *parent = nullptr);
    ~QtTrayIcon() override;

    bool isAvailable() const override;
    void add(const QString &picture, const QString &tip) override;
    void change(const QString &picture, const QString &tip) override;
    void remove() override;
    void setMenu(QMenu *menu) override;

    // What the icon shows now, by name.
    QString picture() const { return m_picture; }
    QString tip() const { return m_tip; }
    QSystemTrayIcon *systemTrayIcon() const { return m_icon; }

private:
    QIcon icon(const QString &picture);

    QSystemTrayIcon *m_icon;
    QHash<QString, QIcon> m_icons;
    QString m_picture;
    QString m_tip;
};
