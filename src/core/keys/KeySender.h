#pragma once

#include <QString>

// Types a key string (SendKeys notation, see SendKeysParser) into the window that has the
// keyboard focus, as if from the keyboard. Returns once the keys are handed on; it does not
// wait for the receiving window to process them.
class KeySender {
public:
    virtual ~KeySender() = default;

    // A malformed string types nothing: false, with the reason in *error.
    virtual bool sendKeys(const QString &keys, QString *error = nullptr) = 0;
};
