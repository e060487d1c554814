#pragma once

#include "SelectionReader.h"

class KeySender;
class QClipboard;

// Reads the selection by having the focused window copy it: the clipboard is cleared, Ctrl+C
// is typed, and the text that arrives on the clipboard is the selection. The clipboard keeps
// the copied text afterwards; what it held before is lost.
class ClipboardSelectionReader : public SelectionReader {
public:
    // The sender types the Ctrl+C; clipboard defaults to the application's.
    explicit ClipboardSelectionReader(KeySender *sender, QClipboard *clipboard = nullptr);

    QString readSelection() override;

    // How long to wait for the copy after Ctrl+C: an X11 owner hands the text over
    // asynchronously, and a window with no selection never does.
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    int timeout() const { return m_timeoutMs; }

private:
    QClipboard *clipboard() const;

    KeySender *m_sender;
    QClipboard *m_clipboard;
    int m_timeoutMs = 500;
};
