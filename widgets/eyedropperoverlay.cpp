#include "widgets/eyedropperoverlay.h"

#include "core/interfacefonts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace Sorven {

namespace {

const int PointerGap = 16;
const int LabelHeight = 20;
const QColor LoupeBackground(45, 45, 45);
const QColor LoupeFrame(188, 188, 188);

QSize loupeSize()
{
    const int side = (2 * ScreenPick::Radius + 1) * ScreenPick::Zoom;
    return QSize(side, side + LabelHeight);
}

} // namespace

EyedropperOverlay::EyedropperOverlay(const ScreenPick &pick, const QRect &screenGeometry,
                                     QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_pick(pick)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFont(regularFont(2));
    setGeometry(screenGeometry);
    m_pointer = mapFromGlobal(QCursor::pos());
}

// Beside the pointer, below and to the right unless that leaves the screen.
QRect EyedropperOverlay::loupeRect(const QPoint &pos) const
{
    QRect loupe(pos + QPoint(PointerGap, PointerGap), loupeSize());
    if (loupe.right() >= width())
        loupe.moveRight(pos.x() - PointerGap);
    if (loupe.bottom() >= height())
        loupe.moveBottom(pos.y() - PointerGap);
    return loupe;
}

void EyedropperOverlay::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        finish(QColor());
}

void EyedropperOverlay::mouseMoveEvent(QMouseEvent *event)
{
    movePointer(event->position().toPoint());
}

void EyedropperOverlay::mousePressEvent(QMouseEvent *event)
{
    const std::optional<QColor> color = event->button() == Qt::LeftButton
        ? m_pick.colorAt(event->position().toPoint())
        : std::nullopt;
    finish(color.value_or(QColor()));
}

void EyedropperOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_pick.grab());
    const std::optional<QColor> color = m_pick.colorAt(m_pointer);
    if (!color)
        return;
    const QRect loupe = loupeRect(m_pointer);
    painter.fillRect(loupe, LoupeBackground);
    painter.drawImage(loupe.topLeft(), m_pick.magnifiedView(m_pointer));
    painter.setPen(Qt::white);
    painter.drawText(
        QRect(loupe.left(), loupe.bottom() - LabelHeight + 1, loupe.width(), LabelHeight),
        Qt::AlignCenter, color->name());
    painter.setPen(LoupeFrame);
    painter.drawRect(loupe.adjusted(0, 0, -1, -1));
}

// The keys must come here even where the window manager would leave them with the palette.
void EyedropperOverlay::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    activateWindow();
    setFocus(Qt::OtherFocusReason);
    grabKeyboard();
}

void EyedropperOverlay::movePointer(const QPoint &pos)
{
    update(loupeRect(m_pointer));
    m_pointer = pos;
    update(loupeRect(m_pointer));
}

// A second press or key on the way out must not report again.
void EyedropperOverlay::finish(const QColor &picked)
{
    if (std::exchange(m_closed, true))
        return;
    releaseKeyboard();
    close();
    if (picked.isValid())
        emit colorPicked(picked);
    else
        emit cancelled();
}

} // namespace Sorven
