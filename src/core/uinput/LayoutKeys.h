#pragma once

#include <QHash>
#include <QString>

#include <cstdint>
#include <optional>

// Where a keyboard layout puts its symbols: for each keysym, the key (as the kernel numbers
// keys) that types it and the modifiers it needs. Keys typed by their code come out as the
// desktop's layout reads them, so the sender has to know that layout.
class LayoutKeys {
public:
    struct Key {
        int code = 0;
        bool shift = false;
        // AltGr on the layouts that have it.
        bool levelThree = false;
        friend bool operator==(const Key &, const Key &) = default;
    };

    // The layout of that name ("us", "de", "fr", a variant in brackets: "de(nodeadkeys)"), or
    // nothing (and the reason in *error) when the keyboard data has no such layout.
    static std::optional<LayoutKeys> load(const QString &name, QString *error = nullptr);

    // The layout the user types with, as far as a program outside the desktop can tell:
    // $XKB_DEFAULT_LAYOUT, else the system's keyboard setting (/etc/default/keyboard), else
    // "us". The first of several layouts; variant after a "(", as in "de(nodeadkeys)".
    static QString
    systemLayout(const QString &keyboardFile = QStringLiteral("/etc/default/keyboard"));

    QString name() const { return m_name; }

    // The easiest key that types the keysym: no modifiers before Shift before AltGr.
    std::optional<Key> find(uint32_t keysym) const;

private:
    QString m_name;
    QHash<uint32_t, Key> m_keys;
};
