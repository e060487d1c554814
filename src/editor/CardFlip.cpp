#include "CardFlip.h"

CardFlip::Step CardFlip::tick(float &flipp, QString &tag)
{
    flipp += tag == QLatin1String("true") ? 1 : -1;
    Step step;
    if (flipp == kFront) {
        tag = QStringLiteral("true");
        step.show = Show::FrontPage;
        step.ended = true;
    } else if (flipp >= 2 && flipp <= 17) {
        step.show = Show::Frame;
        step.frame = int(flipp) - 2;
    } else if (flipp == kEdge) {
        step.show = Show::Edge;
        step.frame = kEdgeFrame;
    } else if (flipp == kAddPage) {
        tag = QStringLiteral("false");
        step.show = Show::AddPage;
        step.ended = true;
    }
    return step;
}
