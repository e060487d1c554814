#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The program's text files: written as UTF-8 with CR LF line ends; read with CR LF or LF,
// and as Windows-1252 when the bytes are not valid UTF-8, so lists made elsewhere still load.
namespace TextFile {

QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);

// Splits into lines; a final line end does not start another line, and no line keeps a CR.
QStringList splitLines(const QString &text);

// Reads the whole file as lines; false when it cannot be opened.
bool readLines(const QString &path, QStringList *lines);

// Each line followed by CR LF.
QByteArray joinLines(const QStringList &lines);

// Writes through a temporary file in the same folder renamed over the target, so that an
// interrupted write leaves the old file whole. The target is replaced only once every byte is
// on the disk; on a full or read-only disk the old file stays as it was, false is returned
// and *error, when given, says why.
bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace TextFile
