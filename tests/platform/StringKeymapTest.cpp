#include "StringKeymap.h"
#include "KeySyms.h"
#include "SendKeysParser.h"

#include <xkbcommon/xkbcommon.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The map as a compositor reads it.
struct CompiledMap {
    explicit CompiledMap(const StringKeymap &map)
        : context(xkb_context_new(XKB_CONTEXT_NO_FLAGS), xkb_context_unref)
        , keymap(xkb_keymap_new_from_string(context.get(), map.text().constData(),
                                            XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS),
                 xkb_keymap_unref)
    {}
    std::unique_ptr<xkb_context, void (*)(xkb_context *)> context;
    std::unique_ptr<xkb_keymap, void (*)(xkb_keymap *)> keymap;
};

QList<uint32_t> keysymsOf(const QString &keys)
{
    QList<uint32_t> syms;
    for (const KeySyms::Event &e : KeySyms::events(*SendKeysParser::parse(keys)))
        syms << e.keysym;
    return syms;
}

TEST(StringKeymap, EveryCharacterTypesItsSymbolWithoutAModifier)
{
    const QList<uint32_t> syms = keysymsOf(QStringLiteral("Quillet 2€ ça, Größe!{ENTER}{F5}ж"));
    const StringKeymap map(syms);
    CompiledMap compiled(map);
    ASSERT_TRUE(compiled.keymap) << map.text().constData();
    std::unique_ptr<xkb_state, void (*)(xkb_state *)> state(xkb_state_new(compiled.keymap.get()),
                                                            xkb_state_unref);
    for (uint32_t sym : syms) {
        ASSERT_TRUE(map.contains(sym)) << std::hex << sym;
        EXPECT_EQ(xkb_state_key_get_one_sym(state.get(), xkb_keycode_t(map.keycode(sym))), sym)
            << std::hex << sym;
    }
    // The three modifiers, then each symbol once: "l" and "e" come twice in the string.
    EXPECT_EQ(map.size(), 3 + 20);
    EXPECT_TRUE(map.contains(0x10020ac)) << "the euro sign goes as its Unicode keysym";
}

TEST(StringKeymap, ModifierKeysSetTheBitsTheModifierRequestSends)
{
    const StringKeymap map({KeySyms::forCharacter(U'a')});
    CompiledMap compiled(map);
    ASSERT_TRUE(compiled.keymap);
    std::unique_ptr<xkb_state, void (*)(xkb_state *)> state(xkb_state_new(compiled.keymap.get()),
                                                            xkb_state_unref);
    for (auto [sym, name] : {std::pair{KeySyms::ShiftL, XKB_MOD_NAME_SHIFT},
                             std::pair{KeySyms::ControlL, XKB_MOD_NAME_CTRL},
                             std::pair{KeySyms::AltL, XKB_MOD_NAME_ALT}}) {
        const auto code = xkb_keycode_t(map.keycode(sym));
        xkb_state_update_key(state.get(), code, XKB_KEY_DOWN);
        EXPECT_EQ(xkb_state_serialize_mods(state.get(), XKB_STATE_MODS_DEPRESSED),
                  StringKeymap::modifierMask(sym))
            << name;
        EXPECT_EQ(1u << xkb_keymap_mod_get_index(compiled.keymap.get(), name),
                  StringKeymap::modifierMask(sym));
        xkb_state_update_key(state.get(), code, XKB_KEY_UP);
    }
}

TEST(StringKeymap, TheMostSymbolsOneMapHoldsStayWithinXKeycodes)
{
    QList<uint32_t> syms;
    for (char32_t c = 0x400; syms.size() < StringKeymap::MaxKeysyms; ++c)
        syms << KeySyms::forCharacter(c);
    const StringKeymap map(syms);
    EXPECT_EQ(map.keycode(syms.last()), 255);
    CompiledMap compiled(map);
    EXPECT_TRUE(compiled.keymap);
}

TEST(KeySyms, ModifiersWrapTheKeyAndShiftTypesTheCapital)
{
    using E = KeySyms::Event;
    const QList<E> events = KeySyms::events(*SendKeysParser::parse(QStringLiteral("+b^a%{F4}é")));
    const QList<E> expected = {
        {KeySyms::ShiftL, true},
        {'B', true},
        {'B', false},
        {KeySyms::ShiftL, false},
        {KeySyms::ControlL, true},
        {'a', true},
        {'a', false},
        {KeySyms::ControlL, false},
        {KeySyms::AltL, true},
        {0xffc1, true},
        {0xffc1, false},
        {KeySyms::AltL, false},
        {0xe9, true},
        {0xe9, false},
    };
    EXPECT_EQ(events, expected);
}

} // namespace
