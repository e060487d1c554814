#include "SpokenAudio.h"

#include "FileAudioSource.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

// The speech said with the sox effects after it, made once per build folder.
QString makeWav(const QString &text, const QString &voice, int rate, const QStringList &effects)
{
    const QString dir = QStringLiteral(QUILLET_BINARY_DIR "/tests/recognizer/speech");
    QDir().mkpath(dir);
    const QByteArray key = QCryptographicHash::hash(
        (voice + '|' + QString::number(rate) + '|' + text + '|' + effects.join(' ')).toUtf8(),
        QCryptographicHash::Md5);
    const QString wav = dir + '/' + QString::fromLatin1(key.toHex()) + ".wav";
    if (QFile::exists(wav))
        return wav;
    // Test processes run side by side and may want the same file: each works on names of its
    // own and the finished file is renamed into place.
    const QString own = QStringLiteral(".%1").arg(QCoreApplication::applicationPid());
    const QString raw = wav + own + ".espeak.wav";
    const QString part = wav + own + ".part.wav";
    if (QProcess::execute("espeak-ng",
                          {"-v", voice, "-s", QString::number(rate), "-w", raw, text}) != 0)
        return {};
    const int sox = QProcess::execute(
        "sox",
        QStringList{"-q", "-V1", "-R", raw, "-r", "16000", "-c", "1", "-b", "16", part} + effects);
    QFile::remove(raw);
    if (sox != 0)
        return {};
    // Another process may have finished the same file first; either copy is whole.
    if (!QFile::rename(part, wav)) {
        QFile::remove(part);
        if (!QFile::exists(wav))
            return {};
    }
    return wav;
}

} // namespace

QString spokenWav(const QString &text, const QString &voice, int rate)
{
    return makeWav(text, voice, rate, {"pad", "0.3", "0.7"});
}

std::vector<int16_t> spokenSamples(const QString &text, const QString &voice, int rate)
{
    const QString wav = makeWav(
        text, voice, rate,
        {"silence", "1", "0.02", "0.5%", "reverse", "silence", "1", "0.02", "0.5%", "reverse"});
    return wav.isEmpty() ? std::vector<int16_t>() : FileAudioSource::loadSamples(wav);
}
