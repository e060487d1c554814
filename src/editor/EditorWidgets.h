#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class ImageButton;
class PictureBox;
class QWidget;

// How the editor's pages make their controls: each at its rectangle in twips, pictures from
// the skin, and the skin's small font.
namespace EditorWidgets {

// Lists whose own scroll bar lies over a track picture: only the handle is drawn.
extern const char *const kSkinnedScrollBar;

void place(QWidget *widget, const QRect &twips);
QFont smallFont(int pixels);
ImageButton *imageButton(const QString &name, const QString &picture, QWidget *parent,
                         const QRect &twips);
// A picture box showing the skin's `picture`, or nothing where it is empty.
PictureBox *pictureBox(const QString &name, const QString &picture, QWidget *parent,
                       const QRect &twips);

} // namespace EditorWidgets
