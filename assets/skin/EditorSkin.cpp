#include "EditorSkin.h"

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

} // namespace EditorSkin
