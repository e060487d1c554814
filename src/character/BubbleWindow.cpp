#include "BubbleWindow.h"

#include "BubbleShape.h"
#include "CharacterWindow.h"
#include "TickTimer.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>

BubbleWindow::BubbleWindow(CharacterWindow &character, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_character(character)
    , m_speech(new QLabel(this))
    , m_timer1(new TickTimer(1, true, this))
    , m_background(BubbleShape::background())
{
    // Wayland compositors give the keyboard to every X window that maps, whatever it asks
    // for; an unmanaged bubble is never given it, so the keys of a command go on reaching the
    // window the user works in.
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        setWindowFlag(Qt::X11BypassWindowManagerHint);
    setObjectName(QStringLiteral("Bubble"));
    setWindowTitle(QStringLiteral("Bubble"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_speech->setObjectName(QStringLiteral("speech"));
    m_speech->setWordWrap(true);
    m_speech->setTextFormat(Qt::PlainText);
    m_speech->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The label's own size cuts off what does not fit; the window never grows.
    m_speech->setGeometry(16, 16, 153, 97);
    // Dark text on the pale fill whatever colours the desktop theme prefers.
    QPalette pal = m_speech->palette();
    pal.setColor(QPalette::WindowText, QColor(20, 30, 50));
    m_speech->setPalette(pal);
    m_speech->setAutoFillBackground(false);
    resize(BubbleShape::kWidth, BubbleShape::kHeight);
    SetTrans(kLevel);
    setMask(BubbleShape::region());
    connect(m_timer1, &TickTimer::tick, this, &BubbleWindow::putinplace);
    // The bubble only has to follow when the character moves or the bubble changes width;
    // until then its timer sleeps.
    m_timer1->setSchedule([this] { return pos() == place() ? TickTimer::kNothingPlanned : 0; });
    m_character.installEventFilter(this);
}

bool BubbleWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_character &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        m_timer1->reschedule();
    return QWidget::eventFilter(watched, event);
}

QString BubbleWindow::text() const
{
    return m_speech->text();
}

void BubbleWindow::setText(const QString &text)
{
    m_speech->setText(text);
}

void BubbleWindow::setWidthTwips(int twips)
{
    m_widthTwips = twips;
    // Less than one pixel wide shows nothing; the window system still needs one pixel, which
    // lies outside the outline.
    resize(qMax(1, qRound(double(twips) / kTwipsPerPixel)), height());
    m_timer1->reschedule();
}

void BubbleWindow::SetTrans(int level)
{
    setWindowOpacity(qBound(0, level, 255) / 255.0);
}

QPoint BubbleWindow::place() const
{
    const float left = float(m_character.leftTwips()) - float(m_widthTwips) / 6;
    const float top = float(m_character.topTwips()) - float(heightTwips());
    return {qRound(left / kTwipsPerPixel), qRound(top / kTwipsPerPixel)};
}

void BubbleWindow::putinplace()
{
    move(place());
}

void BubbleWindow::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.drawImage(0, 0, m_background);
}
