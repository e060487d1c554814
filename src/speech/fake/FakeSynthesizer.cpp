#include "FakeSynthesizer.h"

void FakeSynthesizer::speaktext(const QString &text)
{
    m_calls << QStringLiteral("speak ") + text;
}

void FakeSynthesizer::stopspeech()
{
    m_calls << QStringLiteral("stop");
}

bool FakeSynthesizer::setVoice(const QString &name)
{
    if (!voices().contains(name))
        return false;
    m_voice = name;
    return true;
}

QStringList FakeSynthesizer::spoken() const
{
    QStringList texts;
    for (const QString &call : m_calls) {
        if (call.startsWith(QStringLiteral("speak ")))
            texts << call.mid(6);
    }
    return texts;
}

void FakeSynthesizer::startSpeaking()
{
    m_speaking = true;
    emit speechstart();
}

void FakeSynthesizer::finishSpeaking()
{
    m_speaking = false;
    emit speechend();
}
