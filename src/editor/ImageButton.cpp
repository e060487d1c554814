#include "ImageButton.h"

#include <QPainter>

ImageButton::ImageButton(const QPixmap &picture, QWidget *parent)
    : QAbstractButton(parent)
    , m_picture(picture)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

QSize ImageButton::sizeHint() const
{
    return m_picture.size();
}

void ImageButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    // A pressed button sinks a little, so that a click is seen.
    if (isDown())
        painter.fillRect(rect(), QColor(0, 0, 0, 40));
}
