#include "FakeKeySender.h"

#include "SendKeysParser.h"

bool FakeKeySender::sendKeys(const QString &keys, QString *error)
{
    m_requests.append(keys);
    if (!m_unavailable.isEmpty()) {
        if (error)
            *error = m_unavailable;
        return false;
    }
    const auto strokes = SendKeysParser::parse(keys, error);
    if (!strokes)
        return false;
    m_strokes += *strokes;
    return true;
}

void FakeKeySender::clear()
{
    m_requests.clear();
    m_strokes.clear();
}
