#pragma once

#include "KeyStroke.h"

#include <QList>
#include <QString>

#include <optional>

// Reads a key string in the SendKeys notation: characters stand for themselves, "+", "^"
// and "%" hold Shift, Ctrl and Alt for the next key or parenthesised group, "~" is Enter,
// names in braces are special keys ({TAB}, {F5}, {LEFT 3}) and braces quote the
// characters that are otherwise special ({+}, {{}, {}}).
class SendKeysParser {
public:
    // The repeat count of "{key n}" is capped so that a typo cannot type for minutes.
    static constexpr int MaxRepeat = 1000;

    // All strokes of the string, or nothing (and the reason in *error) when any part of it
    // is malformed, so that a bad string never types half of itself.
    static std::optional<QList<KeyStroke>> parse(const QString &keys, QString *error = nullptr);

    // The named key for a brace name ("bksp", "PGDN"), letter case ignored.
    static std::optional<NamedKey> namedKey(const QString &name);
};
