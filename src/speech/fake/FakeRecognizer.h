#pragma once

#include "Recognizer.h"

#include <QStringList>

// Records what it was asked; hear() plays a phrase as if it had been recognized.
class FakeRecognizer : public Recognizer {
    Q_OBJECT
public:
    using Recognizer::Recognizer;

    void deactivate() override;
    bool loadGrammar(const QString &path) override;
    void activate() override;

    // Emits phraseFinished when active, as the real engine would; returns whether it did.
    bool hear(const QString &phrase);

    bool isActive() const { return m_active; }
    // "deactivate", "load <path>", "activate", in call order.
    QStringList calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }
    // The bytes of the grammar file as they were at the last load.
    QByteArray loadedGrammar() const { return m_grammar; }

private:
    bool m_active = false;
    QStringList m_calls;
    QByteArray m_grammar;
};
