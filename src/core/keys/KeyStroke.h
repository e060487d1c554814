#pragma once

#include <QFlags>
#include <QList>
#include <QString>

// The keys that have a name in the key notation; everything else is a character.
enum class NamedKey {
    Character, // not a named key: the stroke types its character
    Backspace,
    Break,
    CapsLock,
    Delete,
    Down,
    End,
    Enter,
    Escape,
    Help,
    Home,
    Insert,
    Left,
    NumLock,
    PageDown,
    PageUp,
    PrintScreen,
    Right,
    ScrollLock,
    Tab,
    Up,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    F13,
    F14,
    F15,
    F16,
    Add,
    Subtract,
    Multiply,
    Divide,
};

enum class KeyModifier {
    Shift = 0x1,
    Control = 0x2,
    Alt = 0x4,
};
Q_DECLARE_FLAGS(KeyModifiers, KeyModifier)
Q_DECLARE_OPERATORS_FOR_FLAGS(KeyModifiers)

// One key press: the held modifiers go down in the order Shift, Control, Alt, then the key
// goes down and up, then the modifiers come up in reverse order.
struct KeyStroke {
    NamedKey key = NamedKey::Character;
    char32_t character = 0; // meaningful when key is NamedKey::Character
    KeyModifiers modifiers;

    static KeyStroke named(NamedKey key, KeyModifiers modifiers = {})
    {
        return {key, 0, modifiers};
    }
    static KeyStroke text(char32_t character, KeyModifiers modifiers = {})
    {
        return {NamedKey::Character, character, modifiers};
    }

    bool isCharacter() const { return key == NamedKey::Character; }

    // Readable form for logs and tests: "a", "<ctrl>c", "<shift><alt><f4>".
    QString toString() const;

    friend bool operator==(const KeyStroke &, const KeyStroke &) = default;
};

// Lower-case name of a named key as written in logs ("enter", "pgdn", "f5").
QString namedKeyName(NamedKey key);

// The strokes as a readable log: runs of unmodified characters become one entry ("Hello"),
// every other stroke is an entry of its own ("<ctrl>c", "<enter>").
QStringList describeKeyStrokes(const QList<KeyStroke> &strokes);
