#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

// The command editor's pictures, compiled into the program under :/skin.
namespace EditorSkin {

// A null pixmap or image when there is no picture of that name.
QPixmap picture(const QString &name);
QImage image(const QString &name);
// The size of a picture, read without decoding it.
QSize size(const QString &name);

} // namespace EditorSkin
