// Any text as a key string. A string is typed whole or not at all, with a reason; and what it
// types, written back in the notation, reads as the same strokes.
#include "FuzzCheck.h"
#include "KeyStroke.h"
#include "SendKeysParser.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

QString notation(const QList<KeyStroke> &strokes)
{
    QString keys;
    for (const KeyStroke &stroke : strokes) {
        if (stroke.modifiers & KeyModifier::Shift)
            keys += '+';
        if (stroke.modifiers & KeyModifier::Control)
            keys += '^';
        if (stroke.modifiers & KeyModifier::Alt)
            keys += '%';
        // Braces quote any single character, the special ones included.
        keys += '{';
        if (stroke.isCharacter()) {
            // Not QString::fromUcs4, which takes a leading U+FEFF for a byte-order mark.
            const char32_t c = stroke.character;
            if (QChar::requiresSurrogates(c)) {
                keys += QChar(QChar::highSurrogate(c));
                keys += QChar(QChar::lowSurrogate(c));
            } else {
                keys += QChar(char16_t(c));
            }
        } else {
            keys += namedKeyName(stroke.key);
        }
        keys += '}';
    }
    return keys;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Key strings reach the parser as text from scripts and command lists, so any UTF-16,
    // lone surrogates included.
    QString keys(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(keys.data(), data, size_t(keys.size()) * sizeof(QChar));
    QString error;
    const std::optional<QList<KeyStroke>> strokes = SendKeysParser::parse(keys, &error);
    if (!strokes) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(error.isEmpty());
    const std::optional<QList<KeyStroke>> again = SendKeysParser::parse(notation(*strokes));
    FUZZ_CHECK(again && *again == *strokes);
    return 0;
}
