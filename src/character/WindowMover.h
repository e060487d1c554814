#pragma once

class QWidget;

// Moving a borderless window with the mouse, handed to the window manager.
class WindowMover {
public:
    virtual ~WindowMover() = default;
    // Starts a move of the window with the pressed button; false when the window manager
    // offers none, in which case the window follows the mouse itself.
    virtual bool startMove(QWidget &window) = 0;
};

// Asks the window manager for an interactive move, as a title bar drag would.
class SystemWindowMover : public WindowMover {
public:
    bool startMove(QWidget &window) override;
};
