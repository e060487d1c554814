#include "CharacterWindow.h"

#include "FrameAnimator.h"
#include "MenuState.h"
#include "OutlineRegion.h"
#include "TickTimer.h"
#include "WindowMover.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QRegion>
#include <QWindow>

CharacterWindow::CharacterWindow(MenuState &menu, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool)
    , m_menu(menu)
    , m_systemMover(std::make_unique<SystemWindowMover>())
    , m_mover(m_systemMover.get())
    , m_animation(new QLabel(this))
    , m_wink(new TickTimer(10, true, this))
    , m_animate(new TickTimer(160, true, this))
    , m_fadeinout(new TickTimer(1, false, this))
{
    setObjectName(QStringLiteral("character"));
    setWindowTitle(QStringLiteral("Quillet"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    m_animation->setObjectName(QStringLiteral("animation"));
    m_animation->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_animation->move(0, 0);
    connect(m_wink, &TickTimer::tick, this, &CharacterWindow::winkTick);
    connect(m_animate, &TickTimer::tick, this, &CharacterWindow::animateTick);
    connect(m_fadeinout, &TickTimer::tick, this, &CharacterWindow::fadeTick);
    m_wink->setSchedule(
        [this] { return FrameAnimator::quietWinkTicks(winkcount, TickTimer::kMaxQuietTicks); });
    m_animate->setSchedule(
        [this] { return FrameAnimator::quietIdleTicks(idlecount, TickTimer::kMaxQuietTicks); });
}

CharacterWindow::~CharacterWindow() = default;

void CharacterWindow::setCharacterPicture(const QImage &strip)
{
    m_picture = strip;
    m_animation->setPixmap(QPixmap::fromImage(strip));
    m_animation->resize(strip.size());
}

void CharacterWindow::showframe(double n)
{
    m_stripLeftTwips = -n * widthofguy;
    m_animation->move(qRound(m_stripLeftTwips / kTwipsPerPixel), 0);
}

double CharacterWindow::shownFrame() const
{
    return widthofguy == 0 ? 0 : -m_stripLeftTwips / widthofguy;
}

void CharacterWindow::MakeTransparent(QRgb transparentColor)
{
    widthofguy = float(m_animation->width() * kTwipsPerPixel) / kFrames;
    const int w = qRound(widthofguy / kTwipsPerPixel);
    const int h = m_picture.height();
    resize(qMax(1, w), qMax(1, h));
    // An all-white frame gives an empty region; an empty mask would mean "no mask" to Qt,
    // so a region outside the window stands in for it.
    QRegion region = OutlineRegion::build(m_picture, w, h, transparentColor);
    if (region.isEmpty())
        region = QRegion(-1, -1, 1, 1);
    setMask(region);
}

void CharacterWindow::SetTrans(int level)
{
    setWindowOpacity(qBound(0, level, 255) / 255.0);
}

void CharacterWindow::settingtrans()
{
    SetTrans(trans);
}

void CharacterWindow::keepontop()
{
    const Qt::WindowFlags flags = windowFlags() | Qt::WindowStaysOnTopHint;
    // QWidget::setWindowFlags would hide a shown window and make its native window anew;
    // the native window can take the new flag in place, without moving or sizing.
    if (QWindow *handle = windowHandle()) {
        overrideWindowFlags(flags);
        handle->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
}

void CharacterWindow::savethelist()
{
    if (m_saveTheList)
        m_saveTheList();
}

bool CharacterWindow::isFading() const
{
    return m_fadeinout->isEnabled();
}

void CharacterWindow::winkTick()
{
    const int frame = FrameAnimator::winkTick(winkcount);
    if (frame != FrameAnimator::kNoFrame)
        showframe(frame);
}

void CharacterWindow::animateTick()
{
    const FrameAnimator::IdleStep step = FrameAnimator::animateTick(idlecount);
    if (step.wink == FrameAnimator::WinkChange::Stop)
        m_wink->setEnabled(false);
    if (step.frame != FrameAnimator::kNoFrame)
        showframe(step.frame);
    if (step.asleep) {
        m_animate->setEnabled(false);
        m_menu.setEnabled(MenuState::Sleep, true);
    }
    if (step.wink == FrameAnimator::WinkChange::Start)
        m_wink->setEnabled(true);
}

void CharacterWindow::fadeTick()
{
    if (m_menu.isChecked(MenuState::Sleep))
        showframe(1);
    const auto stop = [this] {
        a = 0;
        m_fadeinout->setEnabled(false);
        m_menu.setEnabled(MenuState::Semitransparent, true);
    };
    if (a == 1 && trans == 150 && m_menu.isChecked(MenuState::Semitransparent)) {
        stop();
        return;
    }
    trans = qint16(a == 1 ? trans + 5 : trans - 5);
    SetTrans(trans);
    if (trans == 0) {
        // Invisible now: change picture and outline before fading in.
        a = 1;
        trans = 5;
        savethelist();
        if (isHidden())
            show();
        setCharacterPicture(temp);
        MakeTransparent(0xFFFFFF);
        temp = QImage();
        QApplication::processEvents();
    }
    if (trans == 255)
        stop();
}

void CharacterWindow::setWindowMover(WindowMover *mover)
{
    m_mover = mover ? mover : m_systemMover.get();
}

void CharacterWindow::dragwindow()
{
    if (isFading())
        return;
    if (!m_mover->startMove(*this))
        m_manualDrag = mapFromGlobal(QCursor::pos());
}

void CharacterWindow::mousePressEvent(QMouseEvent *event)
{
    // The right button opens the menu at once: a window manager move held by the right
    // button would fight the menu for the pointer.
    if (event->button() == Qt::RightButton) {
        emit menuRequested(event->globalPosition().toPoint());
        return;
    }
    dragwindow();
    if (m_manualDrag)
        m_manualDrag = event->position().toPoint();
}

void CharacterWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_manualDrag)
        move(event->globalPosition().toPoint() - *m_manualDrag);
}

void CharacterWindow::mouseReleaseEvent(QMouseEvent *event)
{
    m_manualDrag.reset();
}
