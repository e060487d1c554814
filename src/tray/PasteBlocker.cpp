#include "PasteBlocker.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

bool isPasteKey(QKeyEvent *key)
{
    // Shift+Insert belongs to QKeySequence::Paste only where the platform theme lists it. It is
    // refused with other modifiers held too: no box types anything on those.
    return key->matches(QKeySequence::Paste) ||
           (key->key() == Qt::Key_Insert && (key->modifiers() & Qt::ShiftModifier));
}

bool isPasteAction(const QAction *action, const QWidget *box)
{
    // The text edits name their standard actions after the freedesktop icons; QLineEdit leaves
    // them unnamed, so its Paste is known by its translated text, before the shortcut's tab.
    if (action->objectName() == QLatin1String("edit-paste"))
        return true;
    return qobject_cast<const QLineEdit *>(box) &&
           action->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr("&Paste");
}

} // namespace

PasteBlocker::~PasteBlocker()
{
    const QList<QWidget *> boxes = m_saved.keys();
    for (QWidget *box : boxes)
        allowpaste(box);
}

void PasteBlocker::stoppaste(QWidget *box)
{
    if (!box || isBlocking(box))
        return;
    Saved saved;
    saved.acceptDrops = box->acceptDrops();
    if (auto *area = qobject_cast<QAbstractScrollArea *>(box)) {
        saved.viewport = area->viewport();
        saved.viewportAcceptDrops = saved.viewport->acceptDrops();
        saved.viewport->installEventFilter(this);
    }
    // A box deleted while blocked must not leave its address behind for the next widget.
    saved.destroyed = connect(box, &QObject::destroyed, this, [this, box] { m_saved.remove(box); });
    box->installEventFilter(this);
    // A scroll area passes this on to its viewport, where the drops arrive.
    box->setAcceptDrops(false);
    m_saved.insert(box, saved);
}

void PasteBlocker::allowpaste(QWidget *box)
{
    if (!box || !isBlocking(box))
        return;
    const Saved saved = m_saved.take(box);
    disconnect(saved.destroyed);
    box->removeEventFilter(this);
    box->setAcceptDrops(saved.acceptDrops);
    // After the box, which has just passed its own setting on to the viewport.
    if (saved.viewport) {
        saved.viewport->removeEventFilter(this);
        saved.viewport->setAcceptDrops(saved.viewportAcceptDrops);
    }
}

bool PasteBlocker::isBlocking(QWidget *box) const
{
    return box && m_saved.contains(box);
}

QMenu *PasteBlocker::menuWithoutPaste(QWidget *box)
{
    QMenu *menu = nullptr;
    if (auto *line = qobject_cast<QLineEdit *>(box))
        menu = line->createStandardContextMenu();
    else if (auto *text = qobject_cast<QTextEdit *>(box))
        menu = text->createStandardContextMenu();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        menu = plain->createStandardContextMenu();
    if (!menu)
        return nullptr;
    const QList<QAction *> actions = menu->actions();
    for (QAction *action : actions) {
        if (isPasteAction(action, box)) {
            menu->removeAction(action);
            delete action;
        }
    }
    return menu;
}

QWidget *PasteBlocker::blockedBoxOf(QObject *watched) const
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (isBlocking(widget))
        return widget;
    for (auto it = m_saved.cbegin(); it != m_saved.cend(); ++it) {
        if (it->viewport == watched)
            return it.key();
    }
    return nullptr;
}

bool PasteBlocker::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        // Accepting the override keeps a window shortcut from taking the key, so the key press
        // that follows reaches this filter too.
        if (isPasteKey(static_cast<QKeyEvent *>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        // The X selection is pasted on the release; the press would move the cursor there.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton)
            return true;
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        // Ignored rather than only swallowed, so the drag shows it cannot drop here.
        static_cast<QDropEvent *>(event)->setDropAction(Qt::IgnoreAction);
        event->ignore();
        return true;
    case QEvent::ContextMenu: {
        QWidget *box = blockedBoxOf(watched);
        // Any other policy shows a menu of the owner's making, not the box's own.
        if (!box || box->contextMenuPolicy() != Qt::DefaultContextMenu)
            break;
        QMenu *menu = menuWithoutPaste(box);
        if (!menu)
            break;
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
        event->accept();
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
