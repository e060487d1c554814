#pragma once

#include "Dialogs.h"

#include <QStringList>

#include <functional>

// Answers every box at once and keeps what was shown, as "title|text". whileShown, when set,
// runs as each box is up, as the user may act elsewhere while a real box waits.
class RecordingDialogs : public Dialogs {
public:
    void message(const QString &title, const QString &text) override { show(title, text); }
    int ask(const QString &title, const QString &text, int style) override
    {
        show(title, text);
        return answer;
    }
    QString input(const QString &title, const QString &prompt, const QString &defaultText,
                  bool *ok) override
    {
        show(title, prompt);
        if (ok)
            *ok = inputAccepted;
        return inputAccepted ? inputText : QString();
    }

    QStringList shown;
    int answer = 1;
    bool inputAccepted = true;
    QString inputText;
    std::function<void()> whileShown;

private:
    void show(const QString &title, const QString &text)
    {
        shown << title + '|' + text;
        if (whileShown)
            whileShown();
    }
};
