#include "AboutWindow.h"

#include "MenuState.h"

#include <QMenu>
#include <QSystemTrayIcon>

AboutWindow::AboutWindow(MenuState &menu, QWidget *parent)
    : QWidget(parent)
    , m_menu(menu)
{
    setObjectName(QStringLiteral("about"));
}

AboutWindow::~AboutWindow()
{
    removeTrayIcon();
}

bool AboutWindow::addTrayIcon()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    if (!m_tray) {
        m_tray = new QSystemTrayIcon(this);
        m_tray->setToolTip(QStringLiteral("Quillet"));
        m_tray->setContextMenu(m_menu.menue());
    }
    m_tray->show();
    return true;
}

void AboutWindow::removeTrayIcon()
{
    if (m_tray)
        m_tray->hide();
}
