#include "LayoutKeys.h"

#include <QFile>
#include <QRegularExpression>

#include <linux/input-event-codes.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>

namespace {

int cost(const LayoutKeys::Key &key)
{
    return (key.shift ? 1 : 0) + (key.levelThree ? 2 : 0);
}

QString firstOfList(const QString &list)
{
    return list.section(',', 0, 0).trimmed();
}

} // namespace

std::optional<LayoutKeys> LayoutKeys::load(const QString &name, QString *error)
{
    static const QRegularExpression form(
        QStringLiteral("^([A-Za-z0-9_-]+)(?:\\(([A-Za-z0-9_-]+)\\))?$"));
    const auto parts = form.match(name.trimmed());
    if (!parts.hasMatch()) {
        if (error)
            *error = QStringLiteral("\"%1\" is not the name of a keyboard layout").arg(name);
        return std::nullopt;
    }
    const QString layout = parts.captured(1);
    const QString variant = parts.captured(2);
    std::unique_ptr<xkb_context, void (*)(xkb_context *)> context(
        xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES), xkb_context_unref);
    // A layout that is not there is said in one sentence of ours, not xkbcommon's log lines.
    if (context)
        xkb_context_set_log_level(context.get(), XKB_LOG_LEVEL_CRITICAL);
    const QByteArray layoutName = layout.toUtf8();
    const QByteArray variantName = variant.toUtf8();
    xkb_rule_names names{};
    names.layout = layoutName.constData();
    names.variant = variantName.constData();
    std::unique_ptr<xkb_keymap, void (*)(xkb_keymap *)> keymap(
        context ? xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS)
                : nullptr,
        xkb_keymap_unref);
    if (!keymap) {
        if (error)
            *error = QStringLiteral("The keyboard layout \"%1\" is not known here").arg(name);
        return std::nullopt;
    }

    const xkb_mod_mask_t shift = 1u << xkb_keymap_mod_get_index(keymap.get(), XKB_MOD_NAME_SHIFT);
    // Every layout of the keyboard data puts AltGr's level on the fifth real modifier.
    const xkb_mod_mask_t levelThree = 1u << xkb_keymap_mod_get_index(keymap.get(), "Mod5");
    LayoutKeys keys;
    keys.m_name = name.trimmed();
    const xkb_keycode_t last = xkb_keymap_max_keycode(keymap.get());
    for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap.get()); code <= last; ++code) {
        const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap.get(), code, 0);
        for (xkb_level_index_t level = 0; level < levels; ++level) {
            const xkb_keysym_t *syms = nullptr;
            if (xkb_keymap_key_get_syms_by_level(keymap.get(), code, 0, level, &syms) != 1)
                continue;
            xkb_mod_mask_t masks[8];
            const size_t count =
                xkb_keymap_key_get_mods_for_level(keymap.get(), code, 0, level, masks, 8);
            std::optional<Key> best;
            for (size_t i = 0; i < count; ++i) {
                // Levels reached through Lock, NumLock and the like depend on a state the
                // sender does not know.
                if (masks[i] & ~(shift | levelThree))
                    continue;
                const Key key{int(code) - 8, bool(masks[i] & shift), bool(masks[i] & levelThree)};
                if (!best || cost(key) < cost(*best))
                    best = key;
            }
            if (!best)
                continue;
            // AltGr is the right Alt key of a real keyboard; the layouts also give its symbol
            // to a key code no keyboard has, which comes first.
            const bool altGr = syms[0] == XKB_KEY_ISO_Level3_Shift && best->code == KEY_RIGHTALT;
            const auto known = keys.m_keys.constFind(syms[0]);
            if (known == keys.m_keys.cend() || cost(*best) < cost(*known) || altGr)
                keys.m_keys.insert(syms[0], *best);
        }
    }
    return keys;
}

QString LayoutKeys::systemLayout(const QString &keyboardFile)
{
    const QString fromEnvironment = firstOfList(qEnvironmentVariable("XKB_DEFAULT_LAYOUT"));
    if (!fromEnvironment.isEmpty()) {
        const QString variant = firstOfList(qEnvironmentVariable("XKB_DEFAULT_VARIANT"));
        return variant.isEmpty() ? fromEnvironment : fromEnvironment + '(' + variant + ')';
    }
    QFile file(keyboardFile);
    if (file.open(QIODevice::ReadOnly)) {
        static const QRegularExpression setting(
            QStringLiteral("^\\s*(XKBLAYOUT|XKBVARIANT)\\s*=\\s*\"?([^\"\\n]*)\"?"),
            QRegularExpression::MultilineOption);
        QString layout, variant;
        auto matches = setting.globalMatch(QString::fromUtf8(file.readAll()));
        while (matches.hasNext()) {
            const auto match = matches.next();
            (match.captured(1) == QLatin1String("XKBLAYOUT") ? layout : variant) =
                firstOfList(match.captured(2));
        }
        if (!layout.isEmpty())
            return variant.isEmpty() ? layout : layout + '(' + variant + ')';
    }
    return QStringLiteral("us");
}

std::optional<LayoutKeys::Key> LayoutKeys::find(uint32_t keysym) const
{
    const auto key = m_keys.constFind(keysym);
    if (key == m_keys.cend())
        return std::nullopt;
    return *key;
}
