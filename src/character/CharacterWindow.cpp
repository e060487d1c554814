#include "CharacterWindow.h"

#include "MenuState.h"
#include "TickTimer.h"

#include <QLabel>
#include <QPixmap>
#include <QRegion>

CharacterWindow::CharacterWindow(MenuState &menu, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool)
    , m_menu(menu)
    , m_animation(new QLabel(this))
    , m_wink(new TickTimer(10, true, this))
    , m_animate(new TickTimer(160, true, this))
    , m_fadeinout(new TickTimer(1, false, this)) {
    setObjectName(QStringLiteral("character"));
    setWindowTitle(QStringLiteral("Quillet"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    m_animation->setObjectName(QStringLiteral("animation"));
    m_animation->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_animation->move(0, 0);
}

CharacterWindow::~CharacterWindow() = default;

void CharacterWindow::setCharacterPicture(const QImage &strip) {
    m_picture = strip;
    m_animation->setPixmap(QPixmap::fromImage(strip));
    m_animation->resize(strip.size());
}

void CharacterWindow::showframe(double n) {
    m_stripLeftTwips = -n * widthofguy;
    m_animation->move(qRound(m_stripLeftTwips / kTwipsPerPixel), 0);
}

double CharacterWindow::shownFrame() const {
    return widthofguy == 0 ? 0 : -m_stripLeftTwips / widthofguy;
}

void CharacterWindow::MakeTransparent(QRgb transparentColor) {
    const int stripWidth = m_picture.width();
    widthofguy = float(stripWidth * kTwipsPerPixel) / kFrames;
    const int w = int(widthofguy / kTwipsPerPixel);
    const int h = m_picture.height();
    resize(w, h);
    QRegion region(0, 0, w, h);
    const QImage frame = m_picture.copy(0, 0, w, h).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
        int x = 0;
        while (x < w) {
            if ((row[x] & 0xFFFFFF) != (transparentColor & 0xFFFFFF)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < w && (row[x] & 0xFFFFFF) == (transparentColor & 0xFFFFFF))
                ++x;
            region -= QRegion(start, y, x - start, 1);
        }
    }
    setMask(region);
}

void CharacterWindow::SetTrans(int level) {
    setWindowOpacity(qBound(0, level, 255) / 255.0);
}

void CharacterWindow::settingtrans() {
    SetTrans(trans);
}

void CharacterWindow::keepontop() {
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void CharacterWindow::savethelist() {
    if (m_saveTheList)
        m_saveTheList();
}
