#pragma once

#include <QString>

// Fetches the text selected in the window that has the focus.
class SelectionReader {
public:
    virtual ~SelectionReader() = default;

    // The selected text, or an empty text when there is none (or it cannot be read).
    virtual QString readSelection() = 0;
};
