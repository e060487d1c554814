#include "AddOptions.h"

namespace AddOptions {

Offer offer(Option option)
{
    Offer o;
    switch (option) {
    case Option::Script:
        o.kind = QStringLiteral("Script");
        // The argument box is hidden under the script box; something in it lets Add show.
        o.startArgument = QStringLiteral("a");
        o.scriptBox = true;
        break;
    case Option::Open:
        o.kind = QStringLiteral("Open");
        o.argumentReadOnly = true;
        o.browse = true;
        break;
    case Option::Speak:
        o.kind = QStringLiteral("Speak");
        break;
    case Option::Type:
        o.kind = QStringLiteral("Type");
        break;
    case Option::Read:
        o.kind = QStringLiteral("Read");
        o.startArgument = readArgument(0);
        o.readChoices = true;
        break;
    }
    return o;
}

QString readArgument(int row)
{
    static const char *const kArguments[kReadRows] = {"the time", "the date", "the selected text"};
    return row >= 0 && row < kReadRows ? QString::fromLatin1(kArguments[row]) : QString();
}

int readRowTopTwips(int row)
{
    static const int kTops[kReadRows] = {120, 360, 600};
    return row >= 0 && row < kReadRows ? kTops[row] : kTops[0];
}

} // namespace AddOptions
