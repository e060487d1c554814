#include "TrayPictures.h"

#include <QFile>

namespace TrayPictures {

QStringList names()
{
    return {QStringLiteral("normalico"), QStringLiteral("l1"), QStringLiteral("l2"),
            QStringLiteral("l3")};
}

QList<int> sizes()
{
    return {16, 22, 24, 32};
}

QIcon icon(const QString &name)
{
    QIcon icon;
    for (int size : sizes()) {
        const QString file = QStringLiteral(":/icons/%1-%2.png").arg(name).arg(size);
        // QIcon takes any file name and only fails when painting, so a wrong name is caught
        // here, where it can still give a null icon.
        if (QFile::exists(file))
            icon.addFile(file, QSize(size, size));
    }
    return icon;
}

} // namespace TrayPictures
