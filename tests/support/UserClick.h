#pragma once

#include <QPoint>
#include <QTest>
#include <QWidget>

// Clicks at a point of a window as a user does: the press goes to the widget that the window
// has there (the one on top, passing over those that let mouse events through), so a control
// covered by another page cannot be clicked in a test either.
namespace UserClick {

inline QWidget *widgetAt(QWidget *window, const QPoint &pos)
{
    QWidget *hit = window->childAt(pos);
    return hit ? hit : window;
}

// A point of `widget`, in the coordinates of its window.
inline QPoint centreOf(const QWidget *widget)
{
    return widget->mapTo(widget->window(), widget->rect().center());
}

inline void at(QWidget *window, const QPoint &pos, Qt::MouseButton button = Qt::LeftButton)
{
    QWidget *target = widgetAt(window, pos);
    QTest::mouseClick(target, button, {}, target->mapFrom(window, pos));
}

// Clicks at the middle of `widget`, wherever it is and whatever covers it.
inline void on(const QWidget *widget, Qt::MouseButton button = Qt::LeftButton)
{
    at(widget->window(), centreOf(widget), button);
}

} // namespace UserClick
