#include "AboutFade.h"

AboutFade::Step AboutFade::tick(int &level, bool pictureShown, bool editorOpen)
{
    Step step;
    if (level <= 0) {
        // At nothing the picture changes places with what was under it, then the level rises.
        m_in = true;
        if (pictureShown) {
            step.hidePicture = true;
            if (!editorOpen) {
                level = 0;
                m_in = false;
                step.hideWindow = true;
                step.ended = true;
                return step;
            }
        } else {
            step.showPicture = true;
        }
        level = 1;
    }
    level += m_in ? 2 : -2;
    if (level >= kWhole) {
        level = kWhole;
        m_in = false;
        step.ended = true;
    } else if (level < 0) {
        level = 0;
    }
    return step;
}
