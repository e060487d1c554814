#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>

#include <cstdint>

// A keyboard map made for the keys of one string: Shift, Control and Alt, then each keysym
// on a keycode of its own at the first level, so that every key types its symbol without a
// modifier whatever layout the user has. Keycodes are XKB's (evdev code + 8).
class StringKeymap {
public:
    // Keycodes 9 to 255, the range X clients (XWayland's among them) can read.
    static constexpr int MaxKeysyms = 255 - 9 + 1 - 3;

    explicit StringKeymap(const QList<uint32_t> &keysyms);

    // The map in XKB's text form, ending in the NUL the compositor expects.
    QByteArray text() const;

    // The keycode that types keysym, 0 when the map lacks it.
    int keycode(uint32_t keysym) const { return m_keycodes.value(keysym, 0); }
    bool contains(uint32_t keysym) const { return m_keycodes.contains(keysym); }
    int size() const { return int(m_order.size()); }

    // The modifier bits a held Shift_L, Control_L or Alt_L sets (Shift, Control, Mod1 in
    // every XKB map), 0 for other keysyms.
    static uint32_t modifierMask(uint32_t keysym);

private:
    QList<uint32_t> m_order;
    QHash<uint32_t, int> m_keycodes;
};
