#include "CharacterChooser.h"

#include <QDir>

CharacterChooser::CharacterChooser(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Characterlist"));
}

bool CharacterChooser::loadguys()
{
    m_guys.clear();
    const QStringList files =
        QDir(m_folder).entryList({QStringLiteral("*.qlc")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        const QImage picture = m_loader ? m_loader(m_folder + '/' + file) : QImage();
        if (picture.isNull())
            return false;
        m_guys.append({file, picture});
    }
    return true;
}
