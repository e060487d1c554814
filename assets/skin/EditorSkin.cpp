#include "EditorSkin.h"

#include <QImageReader>

namespace {

QString resourcePath(const QString &name)
{
    return QStringLiteral(":/skin/%1.png").arg(name);
}

} // namespace

namespace EditorSkin {

QPixmap picture(const QString &name)
{
    return QPixmap(resourcePath(name));
}

QImage image(const QString &name)
{
    return QImage(resourcePath(name));
}

QSize size(const QString &name)
{
    return QImageReader(resourcePath(name)).size();
}

} // namespace EditorSkin
