#pragma once

// The about picture's fade, tick by tick, apart from the window and its timer. The level goes
// up by 2 a tick to whole or down by 2 to nothing; at nothing the picture comes or goes, and
// with it the window where the editor is closed.
class AboutFade {
public:
    static constexpr int kWhole = 255;

    // What the window does after a tick.
    struct Step {
        bool showPicture = false;
        bool hidePicture = false;
        // The editor is closed: the window goes with the picture, and the level stays at 0.
        bool hideWindow = false;
        // The fade is over: its timer stops, and the picture and the menu items answer again.
        bool ended = false;
    };

    // One tick: moves `level` on. A level that reaches or passes an end stops there, so a
    // level set from outside mid-fade cannot run past it.
    Step tick(int &level, bool pictureShown, bool editorOpen);

    bool fadingIn() const { return m_in; }
    // A fade stopped halfway: the next starts afresh.
    void reset() { m_in = false; }

private:
    bool m_in = false;
};
