#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Command lines as words, split the way a POSIX shell splits them, but with nothing of a
// shell's other work: no variables, globs, pipes or redirections.
class CommandLine {
public:
    // Words separated by unquoted blanks. '…' quotes everything literally; "…" quotes all but
    // \" \\ \$ \` (a backslash before anything else stays); an unquoted backslash makes the
    // next character literal. Quoted parts join the word around them: a"b c"d is one word.
    // An open quote or a trailing backslash is an error.
    static std::optional<QStringList> split(const QString &commandLine, QString *error = nullptr);
};
