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

void TaskButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (m_shape == Shape::Ellipse)
        paintEllipse(painter);
    else
        paintRoundedRectangle(painter);
}

void TaskButton::paintRoundedRectangle(QPainter &painter)
{
    const QRect body = rect();
    QLinearGradient gradient(body.topLeft(), body.bottomLeft());
    QColor textColor = m_textColor;
    if (isEnabled()) {
        gradient.setColorAt(0, m_gradientTopColor);
        gradient.setColorAt(1, m_gradientBottomColor);
    } else {
        gradient.setColorAt(0, m_gradientBottomColor.darker(120));
        gradient.setColorAt(1, m_gradientBottomColor.darker(120));
        textColor = greyOf(m_gradientTopColor);
    }
    painter.setBrush(gradient);
    painter.setPen(hasFocus() ? QPen(Qt::NoPen) : QPen(m_outlineColor, 2));
    painter.drawRoundedRect(body, 5, 5);

    const int shift = isDown() ? 3 : 1;
    painter.setPen(textColor);
    Painting::drawTextTwice(painter, body.adjusted(shift, shift, 0, 0), Qt::AlignCenter, text());

    if (hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(119, 173, 216, 192), 2));
        painter.drawRoundedRect(body.adjusted(3, 3, -3, -3), 5, 5);
        painter.setPen(QPen(QColor(198, 216, 230, 192), 2));
        painter.drawRoundedRect(body.adjusted(2, 2, -2, -2), 5, 5);
    }
}

void TaskButton::paintEllipse(QPainter &painter)
{
    const QRect body = rect();
    QLinearGradient gradient(body.topLeft(), body.bottomLeft());
    QColor textColor = m_textColor;
    if (isEnabled()) {
        gradient.setColorAt(0, m_gradientTopColor);
        gradient.setColorAt(1, m_gradientBottomColor);
    } else {
        gradient.setColorAt(0, m_gradientBottomColor);
        gradient.setColorAt(1, m_gradientBottomColor);
        const int grey = 255 - qGray(m_textColor.rgb());
        textColor = QColor(grey, grey, grey);
    }
    painter.setBrush(gradient);
    painter.setPen(hasFocus() ? QPen(Qt::NoPen) : QPen(m_outlineColor, 2));
    painter.drawEllipse(body);

    const int shift = isDown() ? 2 : 0;
    painter.setPen(textColor);
    Painting::drawTextTwice(painter, body.adjusted(shift, shift, 0, 0), Qt::AlignCenter, text());
}

} // namespace Sorven
