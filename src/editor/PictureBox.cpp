#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{}

PictureBox::PictureBox(const QPixmap &picture, QWidget *parent)
    : QWidget(parent)
    , m_picture(picture)
{}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void PictureBox::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_color.isValid())
        painter.fillRect(rect(), m_color);
    if (!m_picture.isNull())
        painter.drawPixmap(0, 0, m_picture);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    if (m_movesWindow)
        event->ignore();
    else
        event->accept();
}
