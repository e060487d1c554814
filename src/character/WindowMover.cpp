#include "WindowMover.h"

#include <QWidget>
#include <QWindow>

bool SystemWindowMover::startMove(QWidget &window)
{
    QWindow *handle = window.windowHandle();
    return handle && handle->startSystemMove();
}
