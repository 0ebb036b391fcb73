#include "palette/screenpick.h"

#include <QPainter>

#include <cmath>

namespace Sorven {

ScreenPick::ScreenPick(const QImage &grab) : m_grab(grab.convertToFormat(QImage::Format_RGB32))
{
    m_grab.setDevicePixelRatio(grab.devicePixelRatio());
}

QPoint ScreenPick::devicePixel(const QPoint &point) const
{
    const qreal ratio = m_grab.devicePixelRatio();
    return QPoint(int(std::floor(point.x() * ratio)), int(std::floor(point.y() * ratio)));
}

std::optional<QColor> ScreenPick::colorAt(const QPoint &point) const
{
    const QPoint pixel = devicePixel(point);
    if (!m_grab.valid(pixel))
        return std::nullopt;
    return QColor(m_grab.pixel(pixel));
}

QImage ScreenPick::magnifiedView(const QPoint &point) const
{
    const int side = 2 * Radius + 1;
    QImage view(side * Zoom, side * Zoom, QImage::Format_ARGB32_Premultiplied);
    view.fill(Qt::transparent);
    const QPoint centre = devicePixel(point);
    QPainter painter(&view);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const QPoint pixel = centre + QPoint(x - Radius, y - Radius);
            if (m_grab.valid(pixel))
                painter.fillRect(x * Zoom, y * Zoom, Zoom, Zoom, QColor(m_grab.pixel(pixel)));
        }
    }
    // Black inside white shows on any colour.
    const QRect middle(Radius * Zoom, Radius * Zoom, Zoom, Zoom);
    painter.setPen(Qt::white);
    painter.drawRect(middle.adjusted(-1, -1, 0, 0));
    painter.setPen(Qt::black);
    painter.drawRect(middle.adjusted(0, 0, -1, -1));
    return view;
}

} // namespace Sorven
