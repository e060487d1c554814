#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QMenu;
class QWidget;

// Refuses pasting into a text box on every way a Linux desktop pastes: Ctrl+V, Shift+Insert
// and the other keys of QKeySequence::Paste, the context menu's Paste, the middle button's
// X selection and dropping dragged text. The rest of the context menu stays usable.
// `stoppaste` installs it, `allowpaste` leaves the box exactly as it found it.
// A QLineEdit, QTextEdit or QPlainTextEdit can be blocked; the scrolling boxes get their mouse,
// drop and menu events on the viewport, so that is watched too.
class PasteBlocker : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~PasteBlocker() override;

    void stoppaste(QWidget *box);
    void allowpaste(QWidget *box);
    bool isBlocking(QWidget *box) const;

    // The box's standard context menu without its Paste action, or nullptr for a widget that
    // is no text box. The caller owns the menu.
    static QMenu *menuWithoutPaste(QWidget *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Saved {
        bool acceptDrops = false;
        QPointer<QWidget> viewport;
        bool viewportAcceptDrops = false;
        QMetaObject::Connection destroyed;
    };

    QWidget *blockedBoxOf(QObject *watched) const;

    QHash<QWidget *, Saved> m_saved;
};
