#pragma once

#include "TrayIcon.h"

#include <QStringList>

// Records what the tray icon was asked to show, as "add <picture> <tip>", "change <picture>
// <tip>" and "remove"; click() stands for the user's click on it.
class FakeTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    using TrayIcon::TrayIcon;

    bool isAvailable() const override { return m_available; }
    void add(const QString &picture, const QString &tip) override
    {
        record(QStringLiteral("add"), picture, tip);
        m_shown = true;
    }
    void change(const QString &picture, const QString &tip) override
    {
        record(QStringLiteral("change"), picture, tip);
    }
    void remove() override
    {
        m_calls.append(QStringLiteral("remove"));
        m_shown = false;
    }
    void setMenu(QMenu *menu) override { m_menu = menu; }

    void setAvailable(bool available) { m_available = available; }
    void click() { emit activated(); }

    QStringList calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }
    QString picture() const { return m_picture; }
    QString tip() const { return m_tip; }
    bool isShown() const { return m_shown; }
    QMenu *menu() const { return m_menu; }

private:
    void record(const QString &call, const QString &picture, const QString &tip)
    {
        m_calls.append(call + ' ' + picture + ' ' + tip);
        m_picture = picture;
        m_tip = tip;
    }

    QStringList m_calls;
    QString m_picture;
    QString m_tip;
    QMenu *m_menu = nullptr;
    bool m_available = true;
    bool m_shown = false;
};
