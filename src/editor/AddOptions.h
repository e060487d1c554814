#pragma once

#include <QString>

// What each action kind of the add page offers, apart from the widgets: the kind stored, the
// argument the box starts with, and which of the page's extras come with it. Also the three
// things a Read command can read, as its choice list shows them.
namespace AddOptions {

enum class Option { Script, Open, Speak, Type, Read };

struct Offer {
    QString kind;
    QString startArgument;
    bool argumentReadOnly = false; // Open: the browser fills it
    bool browse = false;           // the browse button and "Load a plugin"
    bool readChoices = false;
    bool scriptBox = false;
};

Offer offer(Option option);

// The Read choice list's rows.
constexpr int kReadRows = 3;
// The argument a row stands for, and the row's top in the list in twips; an empty argument for
// a row out of range.
QString readArgument(int row);
int readRowTopTwips(int row);

} // namespace AddOptions
