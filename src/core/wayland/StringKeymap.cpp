#include "StringKeymap.h"

#include "KeySyms.h"

#include <xkbcommon/xkbcommon.h>

namespace {

QByteArray keysymName(uint32_t keysym)
{
    char name[64];
    if (xkb_keysym_get_name(keysym, name, sizeof name) > 0)
        return QByteArray(name);
    return "0x" + QByteArray::number(keysym, 16);
}

} // namespace

StringKeymap::StringKeymap(const QList<uint32_t> &keysyms)
{
    for (uint32_t sym : {KeySyms::ShiftL, KeySyms::ControlL, KeySyms::AltL}) {
        m_order << sym;
        m_keycodes.insert(sym, 9 + int(m_keycodes.size()));
    }
    for (uint32_t sym : keysyms) {
        if (sym == KeySyms::NoSymbol || m_keycodes.contains(sym))
            continue;
        m_order << sym;
        m_keycodes.insert(sym, 9 + int(m_keycodes.size()));
    }
}

uint32_t StringKeymap::modifierMask(uint32_t keysym)
{
    switch (keysym) {
    case KeySyms::ShiftL:
        return 1u << 0;
    case KeySyms::ControlL:
        return 1u << 2;
    case KeySyms::AltL:
        return 1u << 3;
    default:
        return 0;
    }
}

QByteArray StringKeymap::text() const
{
    const int last = 8 + int(m_order.size());
    QByteArray codes, symbols;
    for (int i = 0; i < m_order.size(); ++i) {
        const QByteArray code = QByteArray::number(9 + i);
        codes += "    <K" + code + "> = " + code + ";\n";
        symbols += "    key <K" + code + "> { [ " + keysymName(m_order[i]) + " ] };\n";
    }
    QByteArray out = "xkb_keymap {\n"
                     "xkb_keycodes \"quillet\" {\n"
                     "    minimum = 8;\n"
                     "    maximum = " +
                     QByteArray::number(qMax(last, 9)) + ";\n" + codes +
                     "};\n"
                     "xkb_types \"quillet\" { include \"complete\" };\n"
                     "xkb_compatibility \"quillet\" { include \"complete\" };\n"
                     "xkb_symbols \"quillet\" {\n" +
                     symbols +
                     "    modifier_map Shift { <K9> };\n"
                     "    modifier_map Control { <K10> };\n"
                     "    modifier_map Mod1 { <K11> };\n"
                     "};\n"
                     "};\n";
    out.append('\0');
    return out;
}
