#pragma once

#include "KeySender.h"

#include <QObject>

#include <memory>

// Types keys into the focused window of the X display through the XTEST extension. A
// character that the keyboard map lacks is typed by mapping a spare keycode to it for a
// while; the spare keycodes go back to empty some time after the last use (and when the
// sender is destroyed), because clients look the map up only when they handle the key.
class XTestKeySender : public QObject, public KeySender {
    Q_OBJECT
public:
    explicit XTestKeySender(QObject *parent = nullptr);
    ~XTestKeySender() override;

    // Opens its own connection to $DISPLAY on first use; without an X display every call
    // fails with a message saying so.
    bool sendKeys(const QString &keys, QString *error = nullptr) override;

    // How long a borrowed keycode keeps its character after its last use.
    void setRestoreDelay(int milliseconds);
    // Keycodes currently lent to characters missing from the map.
    int borrowedKeycodes() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
