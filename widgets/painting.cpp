#include "widgets/painting.h"

#include <QPainter>

namespace Sorven::Painting {

void drawBlockFrame(QPainter &painter, const QRect &block)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    QColor color = FrameGrey;
    color.setAlpha(24);
    painter.setPen(color);
    painter.drawRoundedRect(
        QRect(block.topLeft() - QPoint(2, 2), block.bottomRight() + QPoint(1, 1)), 3, 3);
    color.setAlpha(48);
    painter.setPen(color);
    painter.drawRoundedRect(QRect(block.topLeft() - QPoint(1, 1), block.bottomRight()), 2, 2);
    painter.setPen(FrameGrey);
    painter.drawRect(QRect(block.topLeft(), block.bottomRight() - QPoint(1, 1)));
    painter.restore();
}

void drawTextTwice(QPainter &painter, const QRect &rect, int flags, const QString &text)
{
    painter.drawText(rect, flags, text);
    painter.drawText(rect, flags, text);
}

void drawSelectionFrame(QPainter &painter, const QRect &chip)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 224), 2));
    painter.drawRect(QRect(chip.topLeft() - QPoint(1, 1), chip.bottomRight() + QPoint(1, 1)));
    painter.restore();
}

} // namespace Sorven::Painting
