#include "EditorWidgets.h"

#include "EditorSkin.h"
#include "ImageButton.h"
#include "PictureBox.h"
#include "Twips.h"

namespace EditorWidgets {

const char *const kSkinnedScrollBar =
    "QScrollBar:vertical { background: transparent; width: 12px; margin: 2px 2px 2px 0; }"
    "QScrollBar::handle:vertical { background: rgba(70, 96, 140, 150); border-radius: 4px;"
    " min-height: 16px; }"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: transparent; }";

void place(QWidget *widget, const QRect &twips)
{
    widget->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
}

QFont smallFont(int pixels)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    return font;
}

ImageButton *imageButton(const QString &name, const QString &picture, QWidget *parent,
                         const QRect &twips)
{
    auto *button = new ImageButton(EditorSkin::picture(picture), parent);
    button->setObjectName(name);
    place(button, twips);
    return button;
}

PictureBox *pictureBox(const QString &name, const QString &picture, QWidget *parent,
                       const QRect &twips)
{
    auto *box =
        new PictureBox(picture.isEmpty() ? QPixmap() : EditorSkin::picture(picture), parent);
    box->setObjectName(name);
    place(box, twips);
    return box;
}

} // namespace EditorWidgets
