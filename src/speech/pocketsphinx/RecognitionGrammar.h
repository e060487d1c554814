#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The phrases of a grammar file as the decoder needs them: each "<start>=" line's text as
// written, and the words it is said with. Lines whose words were already taken by an
// earlier line, and lines with nothing speakable in them, are left out.
class RecognitionGrammar {
public:
    struct Phrase {
        QString text;
        QStringList words;
    };

    static RecognitionGrammar fromBytes(const QByteArray &bytes);
    // False when the file cannot be read.
    static bool readFile(const QString &path, RecognitionGrammar *grammar);

    // How a phrase is said: lower-case words, punctuation dropped, numbers spelled out.
    static QStringList spokenWords(const QString &phrase);
    static QStringList numberWords(const QString &digits);

    const QList<Phrase> &phrases() const { return m_phrases; }
    // Every word used, each once.
    QStringList vocabulary() const;
    // The text of the phrase said with these words; empty when there is none.
    QString phraseFor(const QStringList &words) const;

private:
    QList<Phrase> m_phrases;
};
