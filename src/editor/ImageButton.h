#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A button that is only its picture, as the skinned editor draws every button: no frame, no
// focus, a click on the picture's rectangle.
class ImageButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ImageButton(const QPixmap &picture, QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};
