#pragma once

#include <QString>

class QWidget;

// The seam through which the program asks the user something, so tests can answer.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A box with an OK button.
    virtual void message(const QString &title, const QString &text) = 0;

    // A box with the buttons and icon of a VBScript MsgBox style value; returns the
    // VBScript code of the button pressed (1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore,
    // 6 Yes, 7 No).
    virtual int ask(const QString &title, const QString &text, int style) = 0;

    // A line of text; cancelled gives an empty text and *ok false.
    virtual QString input(const QString &title, const QString &prompt, const QString &defaultText,
                          bool *ok) = 0;
};

class WidgetDialogs : public Dialogs {
public:
    void message(const QString &title, const QString &text) override;
    int ask(const QString &title, const QString &text, int style) override;
    QString input(const QString &title, const QString &prompt, const QString &defaultText,
                  bool *ok) override;
};
