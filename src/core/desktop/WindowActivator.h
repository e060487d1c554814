#pragma once

#include <QString>
#include <QStringList>

// Brings another program's window to the front by its title, as AppActivate does.
class WindowActivator {
public:
    virtual ~WindowActivator() = default;

    // Whether a window matched and was asked to become the active one.
    virtual bool activate(const QString &title) = 0;
    // The same for the first window of the process with that id.
    virtual bool activateProcess(qint64 processId) = 0;

    // The index in titles of the window a title asks for, -1 for none: the one that equals it,
    // else the first that begins with it, else the first that ends with it; case is ignored
    // and an empty title matches nothing.
    static int bestMatch(const QStringList &titles, const QString &title);
};
