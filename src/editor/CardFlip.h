#pragma once

#include <QString>

// The editor's card turning over to the add page and back, tick by tick, apart from the window
// and its timer. The step counts from 1 (the front page) to 19 (the add page); 2 to 17 show
// the turning card's frames 0 to 15, and 18 is the card seen edge-on. The direction is the add
// button's tag: "true" turns towards the add page, "false" back to the front.
class CardFlip {
public:
    static constexpr int kFront = 1;
    static constexpr int kEdge = 18;
    static constexpr int kAddPage = 19;
    static constexpr int kEdgeFrame = 16;

    // What the window shows after a tick.
    enum class Show {
        FrontPage, // the window's own shape; the turn has ended
        Frame,     // the turning card at `frame`
        Edge,      // the card edge-on: the add page goes while nothing of it can be seen
        AddPage,   // the window's own shape with the add page; the turn has ended
        Nothing,   // a step outside the turn: nothing changes
    };
    struct Step {
        Show show = Show::Nothing;
        int frame = -1;
        bool ended = false;
    };

    // One tick: moves `flipp` one step in the tag's direction and turns the tag round at the
    // two ends.
    static Step tick(float &flipp, QString &tag);
};
