#pragma once

#include <QObject>
#include <QString>

// The speech recognizer `reco`. Activate and deactivate are not counted or nested; a
// deactivate while inactive is harmless. Every call returns at once, and phraseFinished is
// emitted on the UI thread with the exact right-hand side of one "<start>=" line of the
// loaded grammar file.
class Recognizer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void deactivate() = 0;
    // Replaces the grammar with the one in the file; false when it could not be read.
    virtual bool loadGrammar(const QString &path) = 0;
    virtual void activate() = 0;

signals:
    void phraseFinished(const QString &phrase);
};
