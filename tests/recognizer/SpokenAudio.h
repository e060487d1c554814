#pragma once

#include <QString>

// A WAV of the text said by espeak-ng, resampled to 16 kHz mono and padded with silence so
// that the recognizer sees the end of the utterance. Made once per build folder and reused.
QString spokenWav(const QString &text, const QString &voice = QStringLiteral("en-us"),
                  int rate = 160);

#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
