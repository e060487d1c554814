#include "BubbleWindow.h"

#include "TickTimer.h"

#include <QLabel>

BubbleWindow::BubbleWindow(QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_speech(new QLabel(this))
    , m_timer1(new TickTimer(1, true, this)) {
    setObjectName(QStringLiteral("Bubble"));
    m_speech->setObjectName(QStringLiteral("speech"));
    m_speech->setWordWrap(true);
    m_speech->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_speech->setGeometry(16, 16, 153, 97);
    resize(186, 155);
}

QString BubbleWindow::text() const {
    return m_speech->text();
}

void BubbleWindow::setText(const QString &text) {
    m_speech->setText(text);
}

void BubbleWindow::setWidthTwips(int twips) {
    m_widthTwips = twips;
    // Less than one pixel wide shows nothing; the window manager still needs one pixel.
    resize(qMax(1, twips / 15), height());
}
