#pragma once

// The character page shows two rows of thumbnails (855 twips each, 50 between rows); the
// scroll buttons move the chooser a row at a time, positions in twips.
namespace ChooserScroll {

constexpr int kStep = 905;
constexpr int kVisibleHeight = 1710;

// At the top already, the chooser stays.
inline int up(int top)
{
    return top != 0 ? top + kStep : top;
}

// Moves while the chooser's bottom edge is at or below the visible height. The test comes
// before the move, so the last step may leave the bottom edge above it.
inline int down(int top, int height)
{
    return kVisibleHeight - height <= top ? top - kStep : top;
}

} // namespace ChooserScroll
