#include "FakeRecognizer.h"

#include <QFile>

void FakeRecognizer::deactivate()
{
    m_active = false;
    m_calls << QStringLiteral("deactivate");
}

bool FakeRecognizer::loadGrammar(const QString &path)
{
    m_calls << QStringLiteral("load ") + path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_grammar.clear();
        return false;
    }
    m_grammar = file.readAll();
    return true;
}

void FakeRecognizer::activate()
{
    m_active = true;
    m_calls << QStringLiteral("activate");
}

bool FakeRecognizer::hear(const QString &phrase)
{
    if (!m_active)
        return false;
    emit phraseFinished(phrase);
    return true;
}
