#pragma once

#include <QString>

// What carrying out a command asks of the desktop and of the script host. Failures are
// reported by the result only; the dispatcher goes on with its next step whatever happens.
class CommandActions {
public:
    virtual ~CommandActions() = default;

    // Types the keys (SendKeys notation) into the focused window; false on a malformed
    // key string, in which case nothing is typed.
    virtual bool typeKeys(const QString &keys) = 0;
    // The focused window's selected text, fetched through the clipboard; empty when none.
    virtual QString readSelection() = 0;
    // Opens a document, folder, address or program.
    virtual bool open(const QString &target) = 0;
    // Runs the script file of a Script command; returns when the script has finished.
    virtual void runScript(const QString &fileName) = 0;
    // Starts the program of a Plugin command; returns at once.
    virtual void startPlugin(const QString &path) = 0;
};
