#pragma once

#include "KeyStroke.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

// Key strokes as keysyms, the names of keys that X11, XKB and the desktop portals share.
namespace KeySyms {

constexpr uint32_t NoSymbol = 0;
constexpr uint32_t ShiftL = 0xffe1;
constexpr uint32_t ControlL = 0xffe3;
constexpr uint32_t AltL = 0xffe9;

// The keysym a named key types, NoSymbol for NamedKey::Character.
uint32_t forNamedKey(NamedKey key);

// The keysym that types a character: Latin-1 characters have keysyms equal to their code,
// all others the Unicode keysym range, which every toolkit of today reads back as the
// character. NoSymbol for control characters that no key types.
uint32_t forCharacter(char32_t c);

uint32_t forStroke(const KeyStroke &stroke);

// One key going down or up.
struct Event {
    uint32_t keysym;
    bool press;
    friend bool operator==(const Event &, const Event &) = default;
};

// The presses and releases of the strokes, held modifiers included: Shift, Control, Alt go
// down before the key and come up after it in reverse order. A letter typed with Shift is its
// capital's keysym.
QList<Event> events(const QList<KeyStroke> &strokes);

// The events of a key string in the SendKeys notation, or nothing (and the reason in *error)
// when the string is malformed or names a character no key types.
std::optional<QList<Event>> parse(const QString &keys, QString *error = nullptr);

} // namespace KeySyms
