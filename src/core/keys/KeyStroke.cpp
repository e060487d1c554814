#include "KeyStroke.h"

#include <QStringList>

QString namedKeyName(NamedKey key)
{
    switch (key) {
    case NamedKey::Character:
        return {};
    case NamedKey::Backspace:
        return QStringLiteral("backspace");
    case NamedKey::Break:
        return QStringLiteral("break");
    case NamedKey::CapsLock:
        return QStringLiteral("capslock");
    case NamedKey::Delete:
        return QStringLiteral("delete");
    case NamedKey::Down:
        return QStringLiteral("down");
    case NamedKey::End:
        return QStringLiteral("end");
    case NamedKey::Enter:
        return QStringLiteral("enter");
    case NamedKey::Escape:
        return QStringLiteral("esc");
    case NamedKey::Help:
        return QStringLiteral("help");
    case NamedKey::Home:
        return QStringLiteral("home");
    case NamedKey::Insert:
        return QStringLiteral("insert");
    case NamedKey::Left:
        return QStringLiteral("left");
    case NamedKey::NumLock:
        return QStringLiteral("numlock");
    case NamedKey::PageDown:
        return QStringLiteral("pgdn");
    case NamedKey::PageUp:
        return QStringLiteral("pgup");
    case NamedKey::PrintScreen:
        return QStringLiteral("prtsc");
    case NamedKey::Right:
        return QStringLiteral("right");
    case NamedKey::ScrollLock:
        return QStringLiteral("scrolllock");
    case NamedKey::Tab:
        return QStringLiteral("tab");
    case NamedKey::Up:
        return QStringLiteral("up");
    case NamedKey::Add:
        return QStringLiteral("add");
    case NamedKey::Subtract:
        return QStringLiteral("subtract");
    case NamedKey::Multiply:
        return QStringLiteral("multiply");
    case NamedKey::Divide:
        return QStringLiteral("divide");
    default:
        break;
    }
    const int f = int(key) - int(NamedKey::F1) + 1;
    return QStringLiteral("f%1").arg(f);
}

static QString modifierPrefix(KeyModifiers modifiers)
{
    QString prefix;
    if (modifiers & KeyModifier::Shift)
        prefix += QStringLiteral("<shift>");
    if (modifiers & KeyModifier::Control)
        prefix += QStringLiteral("<ctrl>");
    if (modifiers & KeyModifier::Alt)
        prefix += QStringLiteral("<alt>");
    return prefix;
}

QString KeyStroke::toString() const
{
    const QString prefix = modifierPrefix(modifiers);
    if (isCharacter())
        return prefix + QString::fromUcs4(&character, 1);
    return prefix + QLatin1Char('<') + namedKeyName(key) + QLatin1Char('>');
}

QStringList describeKeyStrokes(const QList<KeyStroke> &strokes)
{
    QStringList log;
    bool lastWasPlainText = false;
    for (const KeyStroke &stroke : strokes) {
        const bool plainText = stroke.isCharacter() && !stroke.modifiers;
        if (plainText && lastWasPlainText)
            log.last() += stroke.toString();
        else
            log.append(stroke.toString());
        lastWasPlainText = plainText;
    }
    return log;
}
