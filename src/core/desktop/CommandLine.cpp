#include "CommandLine.h"

std::optional<QStringList> CommandLine::split(const QString &commandLine, QString *error)
{
    enum class Quote { None, Single, Double };
    QStringList words;
    QString word;
    bool inWord = false; // "" is a word even though it is empty
    Quote quote = Quote::None;
    int quoteStart = 0;

    for (int i = 0; i < commandLine.size(); ++i) {
        const QChar c = commandLine.at(i);
        switch (quote) {
        case Quote::Single:
            if (c == QLatin1Char('\''))
                quote = Quote::None;
            else
                word += c;
            break;
        case Quote::Double:
            if (c == QLatin1Char('"')) {
                quote = Quote::None;
            } else if (c == QLatin1Char('\\') && i + 1 < commandLine.size() &&
                       QStringLiteral("\"\\$`").contains(commandLine.at(i + 1))) {
                word += commandLine.at(++i);
            } else {
                word += c;
            }
            break;
        case Quote::None:
            if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
                if (inWord)
                    words.append(word);
                word.clear();
                inWord = false;
            } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                quote = c == QLatin1Char('\'') ? Quote::Single : Quote::Double;
                quoteStart = i;
                inWord = true;
            } else if (c == QLatin1Char('\\')) {
                if (i + 1 >= commandLine.size()) {
                    if (error)
                        *error = QStringLiteral("The command line ends with a backslash");
                    return std::nullopt;
                }
                word += commandLine.at(++i);
                inWord = true;
            } else {
                word += c;
                inWord = true;
            }
            break;
        }
    }
    if (quote != Quote::None) {
        if (error)
            *error = QStringLiteral("The quote at position %1 of the command line is not closed")
                         .arg(quoteStart + 1);
        return std::nullopt;
    }
    if (inWord)
        words.append(word);
    return words;
}
