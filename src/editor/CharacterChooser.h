#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>

// The chooser `Characterlist`: a thumbnail of every character file of the character folder,
// after the built-in no-character choice.
class CharacterChooser : public QWidget {
    Q_OBJECT
public:
    using Loader = std::function<QImage(const QString &path)>;

    struct Guy {
        QString fileName; // the tooltip: the file name, extension included
        QImage picture;
    };

    explicit CharacterChooser(QWidget *parent = nullptr);

    void setFolder(const QString &characterDir) { m_folder = characterDir; }
    void setLoader(Loader loader) { m_loader = std::move(loader); }

    // Fills the chooser from the folder's "*.qlc" files sorted by name. A file that does not
    // decode stops the filling and makes it fail, as a missing character does.
    bool loadguys();

    const QList<Guy> &guys() const { return m_guys; }

private:
    QString m_folder;
    Loader m_loader;
    QList<Guy> m_guys;
};
