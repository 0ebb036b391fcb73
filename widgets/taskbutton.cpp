#include "widgets/taskbutton.h"

#include "core/interfacefonts.h"
#include "widgets/painting.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

namespace Sorven {

namespace {

QColor greyOf(const QColor &color)
{
    const int grey = qGray(color.rgb());
    return QColor(grey, grey, grey);
}

QColor oppositeGreyOf(const QColor &color)
{
    const int grey = 255 - qGray(color.rgb());
    return QColor(grey, grey, grey);
}

} // namespace

TaskButton::TaskButton(QWidget *parent) : TaskButton(Shape::RoundedRectangle, parent) { }

TaskButton::TaskButton(Shape shape, QWidget *parent)
    : QPushButton(parent),
      m_shape(shape),
      m_outlineColor(255, 255, 255, 64),
      m_textColor(49, 49, 49),
      m_gradientTopColor(238, 238, 238),
      m_gradientBottomColor(204, 204, 204)
{
    setMouseTracking(true);
    if (shape == Shape::Ellipse) {
        m_textColor = QColor(0, 129, 183);
        setFont(boldFont(4));
    } else {
        setFont(regularFont(3));
    }
}

bool TaskButton::event(QEvent *event)
{
    // A disabled widget drops mouse moves before mouseMoveEvent, yet the forbidden cursor is
    // meant for exactly that state.
    if (event->type() == QEvent::MouseMove)
        setCursor(isEnabled() ? Qt::ArrowCursor : Qt::ForbiddenCursor);
    return QPushButton::event(event);
}

// The round buttons keep their bottom colour when disabled and turn their text into the
// opposite grey; the text button darkens and greys its text after its top colour.
void TaskButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const bool ellipse = m_shape == Shape::Ellipse;
    const QRect body = rect();
    const QColor disabled = ellipse ? m_gradientBottomColor : m_gradientBottomColor.darker(120);
    QLinearGradient gradient(body.topLeft(), body.bottomLeft());
    gradient.setColorAt(0, isEnabled() ? m_gradientTopColor : disabled);
    gradient.setColorAt(1, isEnabled() ? m_gradientBottomColor : disabled);
    painter.setBrush(gradient);
    painter.setPen(hasFocus() ? QPen(Qt::NoPen) : QPen(m_outlineColor, 2));
    if (ellipse)
        painter.drawEllipse(body);
    else
        painter.drawRoundedRect(body, 5, 5);

    const int shift = (isDown() ? 2 : 0) + (ellipse ? 0 : 1);
    if (isEnabled())
        painter.setPen(m_textColor);
    else
        painter.setPen(ellipse ? oppositeGreyOf(m_textColor) : greyOf(m_gradientTopColor));
    Painting::drawTextTwice(painter, body.adjusted(shift, shift, 0, 0), Qt::AlignCenter, text());
    if (hasFocus() && !ellipse)
        paintFocusRings(painter, body);
}

void TaskButton::paintFocusRings(QPainter &painter, const QRect &body)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(119, 173, 216, 192), 2));
    painter.drawRoundedRect(body.adjusted(3, 3, -3, -3), 5, 5);
    painter.setPen(QPen(QColor(198, 216, 230, 192), 2));
    painter.drawRoundedRect(body.adjusted(2, 2, -2, -2), 5, 5);
}

} // namespace Sorven
