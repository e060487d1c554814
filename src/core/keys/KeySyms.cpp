#include "KeySyms.h"

#include "SendKeysParser.h"

#include <xkbcommon/xkbcommon.h>

namespace KeySyms {

uint32_t forNamedKey(NamedKey key)
{
    switch (key) {
    case NamedKey::Character:
        return NoSymbol;
    case NamedKey::Backspace:
        return XKB_KEY_BackSpace;
    case NamedKey::Break:
        return XKB_KEY_Break;
    case NamedKey::CapsLock:
        return XKB_KEY_Caps_Lock;
    case NamedKey::Delete:
        return XKB_KEY_Delete;
    case NamedKey::Down:
        return XKB_KEY_Down;
    case NamedKey::End:
        return XKB_KEY_End;
    case NamedKey::Enter:
        return XKB_KEY_Return;
    case NamedKey::Escape:
        return XKB_KEY_Escape;
    case NamedKey::Help:
        return XKB_KEY_Help;
    case NamedKey::Home:
        return XKB_KEY_Home;
    case NamedKey::Insert:
        return XKB_KEY_Insert;
    case NamedKey::Left:
        return XKB_KEY_Left;
    case NamedKey::NumLock:
        return XKB_KEY_Num_Lock;
    case NamedKey::PageDown:
        return XKB_KEY_Next;
    case NamedKey::PageUp:
        return XKB_KEY_Prior;
    case NamedKey::PrintScreen:
        return XKB_KEY_Print;
    case NamedKey::Right:
        return XKB_KEY_Right;
    case NamedKey::ScrollLock:
        return XKB_KEY_Scroll_Lock;
    case NamedKey::Tab:
        return XKB_KEY_Tab;
    case NamedKey::Up:
        return XKB_KEY_Up;
    case NamedKey::Add:
        return XKB_KEY_KP_Add;
    case NamedKey::Subtract:
        return XKB_KEY_KP_Subtract;
    case NamedKey::Multiply:
        return XKB_KEY_KP_Multiply;
    case NamedKey::Divide:
        return XKB_KEY_KP_Divide;
    default:
        break;
    }
    if (key >= NamedKey::F1 && key <= NamedKey::F16)
        return XKB_KEY_F1 + (int(key) - int(NamedKey::F1));
    return NoSymbol;
}

uint32_t forCharacter(char32_t c)
{
    switch (c) {
    case 0x08:
        return XKB_KEY_BackSpace;
    case 0x1b:
        return XKB_KEY_Escape;
    case 0x7f:
        return XKB_KEY_Delete;
    default:
        break;
    }
    if (c < 0x20 || (c >= 0x80 && c < 0xa0))
        return NoSymbol;
    if (c < 0x100)
        return uint32_t(c);
    return 0x01000000 | uint32_t(c);
}

uint32_t forStroke(const KeyStroke &stroke)
{
    return stroke.isCharacter() ? forCharacter(stroke.character) : forNamedKey(stroke.key);
}

QList<Event> events(const QList<KeyStroke> &strokes)
{
    QList<Event> out;
    for (const KeyStroke &stroke : strokes) {
        QList<uint32_t> held;
        if (stroke.modifiers & KeyModifier::Shift)
            held << ShiftL;
        if (stroke.modifiers & KeyModifier::Control)
            held << ControlL;
        if (stroke.modifiers & KeyModifier::Alt)
            held << AltL;
        for (uint32_t sym : held)
            out << Event{sym, true};
        // Shift with a letter types its capital, whatever map the keys are read with.
        uint32_t sym = forStroke(stroke);
        if (stroke.isCharacter() && (stroke.modifiers & KeyModifier::Shift))
            sym = xkb_keysym_to_upper(sym);
        out << Event{sym, true} << Event{sym, false};
        for (auto it = held.crbegin(); it != held.crend(); ++it)
            out << Event{*it, false};
    }
    return out;
}

std::optional<QList<Event>> parse(const QString &keys, QString *error)
{
    const auto strokes = SendKeysParser::parse(keys, error);
    if (!strokes)
        return std::nullopt;
    QList<Event> out = events(*strokes);
    for (const Event &e : out) {
        if (e.keysym == NoSymbol) {
            if (error)
                *error = QStringLiteral("Cannot type keys: a character of the string has no key");
            return std::nullopt;
        }
    }
    return out;
}

} // namespace KeySyms
