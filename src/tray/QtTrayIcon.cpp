#include "QtTrayIcon.h"

#include "TrayPictures.h"

#include <QSystemTrayIcon>

QtTrayIcon::QtTrayIcon(QObject *parent)
    : TrayIcon(parent)
    , m_icon(new QSystemTrayIcon(this))
{
    connect(m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::activated);
}

QtTrayIcon::~QtTrayIcon() = default;

bool QtTrayIcon::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::add(const QString &picture, const QString &tip)
{
    change(picture, tip);
    m_icon->show();
}

void QtTrayIcon::change(const QString &picture, const QString &tip)
{
    // The animation asks for the same picture many times a second while nobody listens; a
    // StatusNotifierItem would tell the desktop over the bus every time.
    if (picture != m_picture) {
        m_picture = picture;
        m_icon->setIcon(icon(picture));
    }
    if (tip != m_tip) {
        m_tip = tip;
        m_icon->setToolTip(tip);
    }
}

void QtTrayIcon::remove()
{
    m_icon->hide();
}

void QtTrayIcon::setMenu(QMenu *menu)
{
    m_icon->setContextMenu(menu);
}

QIcon QtTrayIcon::icon(const QString &picture)
{
    auto found = m_icons.find(picture);
    if (found == m_icons.end())
        found = m_icons.insert(picture, TrayPictures::icon(picture));
    return *found;
}
