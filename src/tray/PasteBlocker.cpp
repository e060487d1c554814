#include "PasteBlocker.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace {
const char *const kBlockedProperty = "quilletPasteBlocked";
}

void PasteBlocker::stoppaste(QWidget *box)
{
    if (!box || isBlocking(box))
        return;
    box->installEventFilter(this);
    box->setProperty(kBlockedProperty, true);
    box->setContextMenuPolicy(Qt::NoContextMenu);
}

void PasteBlocker::allowpaste(QWidget *box)
{
    if (!box || !isBlocking(box))
        return;
    box->removeEventFilter(this);
    box->setProperty(kBlockedProperty, false);
    box->setContextMenuPolicy(Qt::DefaultContextMenu);
}

bool PasteBlocker::isBlocking(QWidget *box) const
{
    return box && box->property(kBlockedProperty).toBool();
}

bool PasteBlocker::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool shiftInsert =
            key->key() == Qt::Key_Insert && (key->modifiers() & Qt::ShiftModifier);
        if (key->matches(QKeySequence::Paste) || shiftInsert) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton)
            return true;
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
