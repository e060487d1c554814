#pragma once

#include <QObject>

class QWidget;

// Refuses pasting into a text box: the keyboard shortcuts, the middle button's X selection
// and the context menu. `stoppaste` installs it, `allowpaste` takes it away again.
class PasteBlocker : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void stoppaste(QWidget *box);
    void allowpaste(QWidget *box);
    bool isBlocking(QWidget *box) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
