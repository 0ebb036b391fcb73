#include "db/builtinthemeimages.h"

#include <QPainter>
#include <QPainterPath>

namespace Sorven::DB {

namespace {

const QString EyedropperKey = QStringLiteral("image.widget.eyedropper");

// A pipette leaning to the bottom left, light on the dark bar like the other icons.
QImage eyedropper()
{
    QImage image(12, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(6.0, 8.0);
    painter.rotate(30.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 230, 230));
    painter.drawRoundedRect(QRectF(-2.5, -7.0, 5.0, 3.5), 1.5, 1.5);
    painter.drawRect(QRectF(-3.0, -3.8, 6.0, 1.3));
    QPainterPath tube;
    tube.moveTo(-1.5, -2.5);
    tube.lineTo(1.5, -2.5);
    tube.lineTo(1.5, 3.5);
    tube.lineTo(0.0, 6.5);
    tube.lineTo(-1.5, 3.5);
    tube.closeSubpath();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(230, 230, 230), 1.0));
    painter.drawPath(tube);
    return image;
}

} // namespace

QStringList builtInThemeImageKeys()
{
    return {EyedropperKey};
}

QImage builtInThemeImage(const QString &key)
{
    if (key.compare(EyedropperKey, Qt::CaseInsensitive) == 0)
        return eyedropper();
    return {};
}

} // namespace Sorven::DB
