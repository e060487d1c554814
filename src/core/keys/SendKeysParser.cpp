#include "SendKeysParser.h"

#include <QHash>

namespace {

const QHash<QString, NamedKey> &keyNames()
{
    static const QHash<QString, NamedKey> names = [] {
        QHash<QString, NamedKey> n{
            {QStringLiteral("BACKSPACE"), NamedKey::Backspace},
            {QStringLiteral("BS"), NamedKey::Backspace},
            {QStringLiteral("BKSP"), NamedKey::Backspace},
            {QStringLiteral("BREAK"), NamedKey::Break},
            {QStringLiteral("CAPSLOCK"), NamedKey::CapsLock},
            {QStringLiteral("DELETE"), NamedKey::Delete},
            {QStringLiteral("DEL"), NamedKey::Delete},
            {QStringLiteral("DOWN"), NamedKey::Down},
            {QStringLiteral("END"), NamedKey::End},
            {QStringLiteral("ENTER"), NamedKey::Enter},
            {QStringLiteral("ESC"), NamedKey::Escape},
            {QStringLiteral("HELP"), NamedKey::Help},
            {QStringLiteral("HOME"), NamedKey::Home},
            {QStringLiteral("INSERT"), NamedKey::Insert},
            {QStringLiteral("INS"), NamedKey::Insert},
            {QStringLiteral("LEFT"), NamedKey::Left},
            {QStringLiteral("NUMLOCK"), NamedKey::NumLock},
            {QStringLiteral("PGDN"), NamedKey::PageDown},
            {QStringLiteral("PGUP"), NamedKey::PageUp},
            {QStringLiteral("PRTSC"), NamedKey::PrintScreen},
            {QStringLiteral("RIGHT"), NamedKey::Right},
            {QStringLiteral("SCROLLLOCK"), NamedKey::ScrollLock},
            {QStringLiteral("TAB"), NamedKey::Tab},
            {QStringLiteral("UP"), NamedKey::Up},
            {QStringLiteral("ADD"), NamedKey::Add},
            {QStringLiteral("SUBTRACT"), NamedKey::Subtract},
            {QStringLiteral("MULTIPLY"), NamedKey::Multiply},
            {QStringLiteral("DIVIDE"), NamedKey::Divide},
        };
        for (int f = 1; f <= 16; ++f)
            n.insert(QStringLiteral("F%1").arg(f), NamedKey(int(NamedKey::F1) + f - 1));
        return n;
    }();
    return names;
}

QString modifierName(QChar c)
{
    switch (c.unicode()) {
    case '+':
        return QStringLiteral("Shift");
    case '^':
        return QStringLiteral("Ctrl");
    default:
        return QStringLiteral("Alt");
    }
}

class Parser {
public:
    explicit Parser(const QString &keys)
        : m_keys(keys)
    {}

    // A loop with the open groups on a list of its own rather than a descent per group or
    // modifier: key strings come from scripts, and a string of a million "(" must be turned
    // down like any other, not run the program out of stack.
    bool run()
    {
        struct Group {
            KeyModifiers held;
            int at;
        };
        QList<Group> groups;
        while (m_pos < m_keys.size()) {
            if (m_keys.at(m_pos) == QLatin1Char(')')) {
                if (groups.isEmpty())
                    return fail(QStringLiteral("\")\" at position %1 has no matching \"(\"")
                                    .arg(m_pos + 1));
                groups.removeLast();
                ++m_pos;
                continue;
            }
            KeyModifiers held = groups.isEmpty() ? KeyModifiers() : groups.last().held;
            if (!modifiers(&held))
                return false;
            if (m_keys.at(m_pos) == QLatin1Char('(')) {
                groups.append({held, m_pos});
                ++m_pos;
                continue;
            }
            if (!key(held))
                return false;
        }
        if (!groups.isEmpty())
            return fail(QStringLiteral("\"(\" at position %1 has no matching \")\"")
                            .arg(groups.last().at + 1));
        return true;
    }

    QList<KeyStroke> strokes;
    QString error;

private:
    bool fail(const QString &message)
    {
        error = message;
        return false;
    }

    // "+", "^" and "%" in a row all hold for the key or group after them.
    bool modifiers(KeyModifiers *held)
    {
        for (;;) {
            const QChar c = m_keys.at(m_pos);
            if (c != QLatin1Char('+') && c != QLatin1Char('^') && c != QLatin1Char('%'))
                return true;
            const int at = m_pos;
            *held |= c == QLatin1Char('+')   ? KeyModifier::Shift
                     : c == QLatin1Char('^') ? KeyModifier::Control
                                             : KeyModifier::Alt;
            ++m_pos;
            if (m_pos >= m_keys.size() || m_keys.at(m_pos) == QLatin1Char(')'))
                return fail(QStringLiteral("\"%1\" at position %2 holds %3 for no key")
                                .arg(c)
                                .arg(at + 1)
                                .arg(modifierName(c)));
        }
    }

    // One key at m_pos, which is no modifier, group or ")".
    bool key(KeyModifiers held)
    {
        const QChar c = m_keys.at(m_pos);
        switch (c.unicode()) {
        case '~':
            ++m_pos;
            strokes.append(KeyStroke::named(NamedKey::Enter, held));
            return true;
        case '{':
            return braces(held);
        case '}':
            return fail(
                QStringLiteral("\"}\" at position %1 has no matching \"{\"").arg(m_pos + 1));
        case '\r':
            ++m_pos;
            if (m_pos < m_keys.size() && m_keys.at(m_pos) == QLatin1Char('\n'))
                ++m_pos;
            strokes.append(KeyStroke::named(NamedKey::Enter, held));
            return true;
        case '\n':
            ++m_pos;
            strokes.append(KeyStroke::named(NamedKey::Enter, held));
            return true;
        case '\t':
            ++m_pos;
            strokes.append(KeyStroke::named(NamedKey::Tab, held));
            return true;
        default:
            strokes.append(KeyStroke::text(codePointAt(m_pos), held));
            m_pos += codePointLength(m_pos);
            return true;
        }
    }

    // "{NAME}", "{NAME count}", "{c}" or "{c count}" for any single character c, which is
    // how "{}}" and "{{}" quote the braces themselves.
    bool braces(KeyModifiers held)
    {
        const int open = m_pos;
        const int start = open + 1;
        int close = -1;
        if (start < m_keys.size() && m_keys.at(start) == QLatin1Char('}'))
            close = m_keys.indexOf(QLatin1Char('}'), start + 1);
        if (close < 0)
            close = m_keys.indexOf(QLatin1Char('}'), start);
        if (close < 0)
            return fail(QStringLiteral("\"{\" at position %1 has no matching \"}\"").arg(open + 1));
        const QString content = m_keys.mid(start, close - start);
        m_pos = close + 1;
        if (content.isEmpty())
            return fail(QStringLiteral("Empty braces \"{}\" at position %1").arg(open + 1));

        QString name = content;
        int count = 1;
        const int firstLength = codePointLength(start);
        const int space = content.indexOf(QLatin1Char(' '), firstLength);
        if (space >= 0) {
            name = content.left(space);
            const QString countText = content.mid(space + 1).trimmed();
            bool ok = !countText.isEmpty();
            for (QChar d : countText)
                ok = ok && d >= QLatin1Char('0') && d <= QLatin1Char('9');
            count = ok ? countText.toInt(&ok) : 0;
            if (!ok || count > SendKeysParser::MaxRepeat)
                return fail(QStringLiteral("Bad repeat count \"%1\" in \"{%2}\" at position %3 "
                                           "(a whole number up to %4)")
                                .arg(countText, content)
                                .arg(open + 1)
                                .arg(SendKeysParser::MaxRepeat));
        }

        KeyStroke stroke;
        if (name.size() == codePointLength(start)) {
            stroke = KeyStroke::text(codePointAt(start), held);
        } else {
            const auto key = SendKeysParser::namedKey(name);
            if (!key)
                return fail(QStringLiteral("Unknown key name \"%1\" in \"{%2}\" at position %3")
                                .arg(name, content)
                                .arg(open + 1));
            stroke = KeyStroke::named(*key, held);
        }
        for (int i = 0; i < count; ++i)
            strokes.append(stroke);
        return true;
    }

    int codePointLength(int index) const
    {
        if (index + 1 < m_keys.size() && m_keys.at(index).isHighSurrogate() &&
            m_keys.at(index + 1).isLowSurrogate())
            return 2;
        return 1;
    }

    char32_t codePointAt(int index) const
    {
        if (codePointLength(index) == 2)
            return QChar::surrogateToUcs4(m_keys.at(index), m_keys.at(index + 1));
        return m_keys.at(index).unicode();
    }

    const QString &m_keys;
    int m_pos = 0;
};

} // namespace

std::optional<QList<KeyStroke>> SendKeysParser::parse(const QString &keys, QString *error)
{
    Parser parser(keys);
    if (!parser.run()) {
        if (error)
            *error = parser.error;
        return std::nullopt;
    }
    return parser.strokes;
}

std::optional<NamedKey> SendKeysParser::namedKey(const QString &name)
{
    const auto it = keyNames().constFind(name.toUpper());
    if (it == keyNames().constEnd())
        return std::nullopt;
    return *it;
}
