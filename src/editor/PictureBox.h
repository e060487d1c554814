#pragma once

#include <QPixmap>
#include <QWidget>

// A container that shows a picture behind its children.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);
    PictureBox(const QPixmap &picture, QWidget *parent);

    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }
    // A plain colour where there is no picture.
    void setColor(const QColor &color);
    // A press on a surface that moves the window is left to the window; others are taken.
    void setMovesWindow(bool moves) { m_movesWindow = moves; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    QColor m_color;
    bool m_movesWindow = false;
};
