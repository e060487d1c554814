#pragma once

#include "Dialogs.h"

#include <QStringList>

// Answers every box at once and keeps what was shown, as "title|text".
class RecordingDialogs : public Dialogs {
public:
    void message(const QString &title, const QString &text) override
    {
        shown << title + '|' + text;
    }
    int ask(const QString &title, const QString &text, int style) override
    {
        shown << title + '|' + text;
        return answer;
    }
    QString input(const QString &title, const QString &prompt, const QString &defaultText,
                  bool *ok) override
    {
        shown << title + '|' + prompt;
        if (ok)
            *ok = inputAccepted;
        return inputAccepted ? inputText : QString();
    }

    QStringList shown;
    int answer = 1;
    bool inputAccepted = true;
    QString inputText;
};
