#pragma once

#include "KeySender.h"

#include <functional>
#include <memory>

// Types through the desktop's own sender until the desktop refuses it, then through another
// that reaches fewer windows (XTest reaches the XWayland ones) rather than through none.
class FallbackKeySender : public KeySender {
public:
    FallbackKeySender(std::unique_ptr<KeySender> first, std::function<bool()> firstRefused,
                      std::unique_ptr<KeySender> second);

    bool sendKeys(const QString &keys, QString *error = nullptr) override;

private:
    std::unique_ptr<KeySender> m_first;
    std::function<bool()> m_firstRefused;
    std::unique_ptr<KeySender> m_second;
};
