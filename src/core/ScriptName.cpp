#include "ScriptName.h"

namespace ScriptName {

QString problem(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("A script's phrase cannot be empty.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("\"") + name +
               QStringLiteral("\" cannot be a script's phrase, since it names a folder.");
    if (name.contains('/') || name.contains('\\'))
        return QStringLiteral("A script's phrase cannot hold \"/\" or \"\\\", since the script "
                              "is kept in a file named after its phrase.");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QStringLiteral("A script's phrase cannot hold a line break, a tab or another "
                                  "control character.");
    }
    return {};
}

} // namespace ScriptName
