#include "CharacterChooser.h"

#include "CharacterWindow.h"
#include "CommandList.h"
#include "MenuState.h"
#include "TickTimer.h"
#include "Twips.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

// The no-character choice: an empty outline with a closed eye, 49 x 49.
QImage nobodyPicture()
{
    QImage image(49, 49, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(120, 130, 150), 2, Qt::DashLine, Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(13, 5, 23, 23));
    QPainterPath body;
    body.moveTo(8, 46);
    body.cubicTo(8, 32, 41, 32, 41, 46);
    p.drawPath(body);
    p.setPen(QPen(QColor(70, 80, 100), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(17, 13, 6, 5), 180 * 16, 180 * 16);
    p.drawArc(QRectF(26, 13, 6, 5), 180 * 16, 180 * 16);
    return image;
}

} // namespace

CharacterChooser::CharacterChooser(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Characterlist"));
    resize(Twips::toPixels(kWidth), Twips::toPixels(kCellHeight));
    m_hider = new QWidget(this);
    m_hider->setObjectName(QStringLiteral("hider"));
    m_hider->setAutoFillBackground(true);
    QPalette white = m_hider->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_hider->setPalette(white);
    m_hider->hide();
    Guy nobody;
    nobody.picture = nobodyPicture();
    nobody.leftTwips = kFirstLeft;
    nobody.thumbnail = makeThumbnail(nobody.picture, kFirstLeft, 0, kCellWidth);
    nobody.thumbnail->setToolTip(QStringLiteral("No character"));
    m_guys.append(nobody);
}

void CharacterChooser::setServices(CommandList *list, CharacterWindow *character, MenuState *menu)
{
    m_list = list;
    m_character = character;
    m_menu = menu;
}

QLabel *CharacterChooser::makeThumbnail(const QImage &picture, int leftTwips, int topTwips,
                                        int widthTwips)
{
    auto *label = new QLabel(this);
    label->setScaledContents(true);
    label->setPixmap(QPixmap::fromImage(picture));
    label->setGeometry(Twips::toPixels(leftTwips), Twips::toPixels(topTwips),
                       Twips::toPixels(widthTwips), Twips::toPixels(kCellHeight));
    label->installEventFilter(this);
    label->show();
    return label;
}

QStringList CharacterChooser::loadguys()
{
    QStringList unreadable;
    // Thumbnails of an earlier filling go; guy(0) stays.
    while (m_guys.size() > 1)
        delete m_guys.takeLast().thumbnail;
    const QStringList files =
        QDir(m_folder).entryList({QStringLiteral("*.qlc")}, QDir::Files, QDir::Name);
    int columnsleft = kPerRow - 1;
    for (const QString &file : files) {
        const QImage picture = m_loader ? m_loader(m_folder + '/' + file) : QImage();
        if (picture.isNull()) {
            unreadable << file;
            if (!m_toldUnreadable.contains(file)) {
                m_toldUnreadable.insert(file);
                std::fprintf(stderr,
                             "Quillet: the character file \"%s\" cannot be read; it is left "
                             "out of the characters.\n",
                             qPrintable(QDir(m_folder).filePath(file)));
            }
            continue;
        }
        const Guy &previous = m_guys.last();
        Guy guy;
        guy.fileName = file;
        guy.picture = picture;
        if (columnsleft != 0) {
            guy.topTwips = previous.topTwips;
            guy.leftTwips = previous.leftTwips + kCellWidth + kGap;
            --columnsleft;
        } else {
            columnsleft = kPerRow - 1;
            guy.topTwips = previous.topTwips + kCellHeight + kGap;
            guy.leftTwips = kFirstLeft;
        }
        // The whole strip is stretched so that frame 0 fills the cell; the next thumbnail,
        // brought to the front, covers the other frames.
        guy.thumbnail = makeThumbnail(picture, guy.leftTwips, guy.topTwips, kThumbnailWidth);
        guy.thumbnail->setToolTip(file);
        guy.thumbnail->raise();
        m_guys.append(guy);
    }
    const Guy &last = m_guys.last();
    m_heightTwips = last.topTwips + kCellHeight;
    resize(width(), Twips::toPixels(m_heightTwips));
    const QRect hider = hiderTwips();
    m_hider->setGeometry(Twips::toPixels(hider.x()), Twips::toPixels(hider.y()),
                         Twips::toPixels(hider.width()), Twips::toPixels(hider.height()));
    m_hider->setVisible(m_guys.size() > 1);
    m_hider->raise();
    return unreadable;
}

QRect CharacterChooser::hiderTwips() const
{
    const Guy &last = m_guys.last();
    return QRect(last.leftTwips + kCellWidth, last.topTwips, kHiderWidth, kCellHeight);
}

QLabel *CharacterChooser::thumbnail(int index) const
{
    return index >= 0 && index < m_guys.size() ? m_guys[index].thumbnail : nullptr;
}

QString CharacterChooser::characterName(const QString &fileName)
{
    return fileName.section('.', 0, 0);
}

bool CharacterChooser::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 0; i < m_guys.size(); ++i) {
            if (m_guys[i].thumbnail == watched) {
                choose(i);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CharacterChooser::choose(int index)
{
    if (index < 0 || index >= m_guys.size() || !m_list || !m_character || !m_menu)
        return;
    if (index == 0)
        chooseNobody();
    else
        chooseGuy(m_guys[index]);
}

void CharacterChooser::chooseNobody()
{
    m_character->hide();
    m_menu->setChecked(MenuState::Bubble, false);
    m_menu->setEnabled(MenuState::Bubble, false);
    m_list->setOption(CommandList::HiddenOption, true);
    m_character->savethelist();
}

void CharacterChooser::chooseGuy(const Guy &guy)
{
    // Copied first: the yield below may run another choice that refills the list.
    const QImage picture = guy.picture;
    const QString name = characterName(guy.fileName);
    m_menu->setEnabled(MenuState::Bubble, true);
    QApplication::processEvents();
    m_character->fadeinout()->setEnabled(false);
    m_character->a = 0;
    if (!m_menu->isChecked(MenuState::Semitransparent))
        m_character->trans = 250;
    m_list->setWakePhrase(name);
    m_character->setTempPicture(picture);
    m_character->nameoftheguy = name;
    if (m_character->isHidden())
        m_character->trans = 5;
    m_character->fadeinout()->setEnabled(true);
    m_menu->setEnabled(MenuState::Semitransparent, false);
    m_list->setOption(CommandList::HiddenOption, false);
    m_character->savethelist();
}
