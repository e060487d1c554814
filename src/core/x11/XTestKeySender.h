#pragma once

#include "KeySender.h"

#include <QObject>

#include <memory>

// Types keys into the focused window of the X display through the XTEST extension, without
// waiting for them to be handled. A character that the keyboard map lacks is typed by lending
// it a free keycode for a while; the keycodes go back to empty some time after their last use
// (and when the sender is destroyed), not at once, because a client looks the changed map up
// only when it handles the key. A string with more different missing characters than there
// are free keycodes (19 in the default map of Xvfb) goes out in parts with a short pause
// between them, so that no keycode is lent anew before the keys typed with it are handled.
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
    // The pause before a keycode that keys on their way use is lent to another character.
    void setRelendPause(int milliseconds);
    // Keycodes currently lent to characters missing from the map.
    int borrowedKeycodes() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
