#include "AboutWindow.h"

#include "MenuState.h"
#include "TickTimer.h"
#include "TrayIcon.h"

#include <QAction>
#include <QMenu>

#include <cstdio>
#include <utility>

namespace {

const QString kHeadPicture = QStringLiteral("normalico");
const QString kAnimatedTip = QStringLiteral("Animated TrayIcon");

} // namespace

AboutWindow::AboutWindow(MenuState &menu, TrayIcon &tray, std::function<bool()> listening,
                         QWidget *focusWindow, QWidget *parent)
    : QWidget(parent)
    , m_menu(menu)
    , m_tray(tray)
    , m_listening(std::move(listening))
    , m_focusWindow(focusWindow)
    , m_notice([](const QString &text) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        std::fflush(stderr);
    })
    , m_ear(new TickTimer(kEarIntervalMs, true, this))
    , m_picture(kHeadPicture)
    , m_tip(QStringLiteral("Quillet"))
{
    setObjectName(QStringLiteral("about"));
    m_tray.setMenu(m_menu.menue());
    connect(m_ear, &TickTimer::tick, this, &AboutWindow::earTick);
    // Listening switched off shows the head at once rather than at the ear's next tick.
    connect(m_menu.action(MenuState::Listen), &QAction::toggled, this, [this](bool listening) {
        if (!listening)
            showPicture(kHeadPicture, kAnimatedTip);
    });
    connect(&m_tray, &TrayIcon::activated, this, &AboutWindow::onActivated);
    connect(m_menu.menue(), &QMenu::aboutToHide, this, &AboutWindow::onMenuHidden);
}

AboutWindow::~AboutWindow()
{
    removeTrayIcon();
}

QString AboutWindow::noTrayMessage()
{
    return QStringLiteral(
        "Quillet: no system tray was found; right-click the character for the menu.");
}

bool AboutWindow::addTrayIcon()
{
    const bool available = m_tray.isAvailable();
    if (!available && !m_toldNoTray) {
        m_toldNoTray = true;
        m_notice(noTrayMessage());
    }
    // Added all the same: a tray that starts later still gets the icon.
    m_tray.add(m_picture, m_tip);
    m_added = true;
    return available;
}

void AboutWindow::removeTrayIcon()
{
    if (!m_added)
        return;
    m_added = false;
    m_tray.remove();
}

void AboutWindow::earTick()
{
    const QString &tip = kAnimatedTip;
    if (!m_listening || !m_listening()) {
        showPicture(kHeadPicture, tip);
        return;
    }
    switch (earsingel) {
    case 1:
        showPicture(QStringLiteral("l1"), tip);
        earsingel = 2;
        break;
    case 2:
        showPicture(QStringLiteral("l2"), tip);
        earsingel = 3;
        break;
    case 3:
        showPicture(QStringLiteral("l3"), tip);
        earsingel = 1;
        break;
    default:
        break;
    }
}

void AboutWindow::showPicture(const QString &picture, const QString &tip)
{
    m_picture = picture;
    m_tip = tip;
    if (m_added)
        m_tray.change(picture, tip);
}

void AboutWindow::onActivated()
{
    // While the menu is up the focus waits for it to close.
    if (!m_menu.menue()->isVisible())
        giveFocus();
}

void AboutWindow::popupMenu(const QPoint &pos)
{
    m_menuFromCharacter = true;
    m_menu.menue()->popup(pos);
}

void AboutWindow::onMenuHidden()
{
    if (std::exchange(m_menuFromCharacter, false))
        return;
    // Queued, so that the focus moves once the menu is gone and its command has run.
    QMetaObject::invokeMethod(this, &AboutWindow::giveFocus, Qt::QueuedConnection);
}

void AboutWindow::giveFocus()
{
    if (m_focusWindow)
        m_focusWindow->activateWindow();
}
