#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// A WAV of the text said by espeak-ng, resampled to 16 kHz mono and padded with silence so
// that the recognizer sees the end of the utterance. Made once per build folder and reused.
QString spokenWav(const QString &text, const QString &voice = QStringLiteral("en-us"),
                  int rate = 160);

// The text said by espeak-ng as 16 kHz mono samples, without the silence around the voice, to
// be joined with other speech or with pauses of a chosen length.
std::vector<int16_t> spokenSamples(const QString &text,
                                   const QString &voice = QStringLiteral("en-us"), int rate = 160);

#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
