#include "FallbackKeySender.h"

FallbackKeySender::FallbackKeySender(std::unique_ptr<KeySender> first,
                                     std::function<bool()> firstRefused,
                                     std::unique_ptr<KeySender> second)
    : m_first(std::move(first))
    , m_firstRefused(std::move(firstRefused))
    , m_second(std::move(second))
{}

bool FallbackKeySender::sendKeys(const QString &keys, QString *error)
{
    return m_firstRefused() ? m_second->sendKeys(keys, error) : m_first->sendKeys(keys, error);
}
