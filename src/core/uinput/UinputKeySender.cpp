#include "UinputKeySender.h"

#include "KeySyms.h"
#include "UinputDevice.h"

#include <QList>

#include <linux/input.h>
#include <xkbcommon/xkbcommon.h>

namespace {

void append(QByteArray &out, uint16_t type, uint16_t code, int32_t value)
{
    input_event event{};
    event.type = type;
    event.code = code;
    event.value = value;
    out.append(reinterpret_cast<const char *>(&event), sizeof event);
}

void appendKey(QByteArray &out, int code, bool press)
{
    append(out, EV_KEY, uint16_t(code), press ? 1 : 0);
    append(out, EV_SYN, SYN_REPORT, 0);
}

// Keys that are where they are on every layout, for the few that a layout's map may leave out.
int fixedCode(uint32_t keysym)
{
    switch (keysym) {
    case KeySyms::ShiftL:
        return KEY_LEFTSHIFT;
    case KeySyms::ControlL:
        return KEY_LEFTCTRL;
    case KeySyms::AltL:
        return KEY_LEFTALT;
    case XKB_KEY_Break:
        return KEY_PAUSE;
    case XKB_KEY_Help:
        return KEY_HELP;
    default:
        break;
    }
    if (keysym >= XKB_KEY_F13 && keysym <= XKB_KEY_F16)
        return KEY_F13 + int(keysym - XKB_KEY_F13);
    return 0;
}

QString describe(uint32_t keysym)
{
    const uint32_t c = xkb_keysym_to_utf32(keysym);
    if (c >= 0x20)
        return QStringLiteral("\"%1\"").arg(
            QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1));
    char name[64];
    xkb_keysym_get_name(keysym, name, sizeof name);
    return QString::fromLatin1(name);
}

} // namespace

UinputKeySender::UinputKeySender(std::unique_ptr<InputDevice> device, LayoutKeys layout)
    : m_device(std::move(device))
    , m_layout(std::move(layout))
{}

std::unique_ptr<UinputKeySender> UinputKeySender::connect(const QString &path, QString *why)
{
    auto layout = LayoutKeys::load(LayoutKeys::systemLayout(), why);
    if (!layout)
        return nullptr;
    auto device = UinputDevice::create(path, why);
    if (!device)
        return nullptr;
    return std::make_unique<UinputKeySender>(std::move(device), std::move(*layout));
}

bool UinputKeySender::sendKeys(const QString &keys, QString *error)
{
    const auto events = KeySyms::parse(keys, error);
    if (!events)
        return false;
    const auto modifier = [this](uint32_t keysym) {
        const auto key = m_layout.find(keysym);
        return key && !key->shift && !key->levelThree ? key->code : fixedCode(keysym);
    };
    const int shiftCode = modifier(KeySyms::ShiftL);
    const auto levelThree = m_layout.find(XKB_KEY_ISO_Level3_Shift);

    // The whole string is worked out before any of it is typed, so that a character the
    // layout lacks types nothing rather than half the string.
    QByteArray out;
    bool shiftHeld = false;
    QList<int> added; // modifiers pressed for the key that is down, beyond the held ones
    for (const KeySyms::Event &e : *events) {
        if (e.keysym == KeySyms::ShiftL || e.keysym == KeySyms::ControlL ||
            e.keysym == KeySyms::AltL) {
            if (e.keysym == KeySyms::ShiftL)
                shiftHeld = e.press;
            appendKey(out, modifier(e.keysym), e.press);
            continue;
        }
        std::optional<LayoutKeys::Key> key = m_layout.find(e.keysym);
        if (!key) {
            if (const int code = fixedCode(e.keysym))
                key = LayoutKeys::Key{code, false, false};
        }
        if (!key || (key->levelThree && (!levelThree || levelThree->shift))) {
            if (error)
                *error = QStringLiteral("Cannot type %1: no key of the \"%2\" keyboard layout "
                                        "types it")
                             .arg(describe(e.keysym), m_layout.name());
            return false;
        }
        if (e.press) {
            added.clear();
            if (key->levelThree)
                added << levelThree->code;
            if (key->shift && !shiftHeld)
                added << shiftCode;
            for (int code : std::as_const(added))
                appendKey(out, code, true);
            appendKey(out, key->code, true);
        } else {
            appendKey(out, key->code, false);
            for (auto code = added.crbegin(); code != added.crend(); ++code)
                appendKey(out, *code, false);
            added.clear();
        }
    }
    return m_device->write(out, error);
}
