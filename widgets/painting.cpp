#include "widgets/painting.h"

#include "db/connections.h"
#include "db/lookups.h"

#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QWidget>

namespace Sorven::Painting {

namespace {

// The frame reaches two pixels above and left of the block and, with the outline's extra
// pixel, three below and right of it; one more on every side keeps antialiased edges whole.
const QPoint FrameOrigin(3, 3);
const QSize FrameMargins(7, 7);

void strokeBlockFrame(QPainter &painter, const QRect &block)
{
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
}

struct FrameKey
{
    QSize block;
    bool antialiased;
    qreal ratio;

    friend bool operator==(const FrameKey &, const FrameKey &) = default;
    friend size_t qHash(const FrameKey &key, size_t seed = 0)
    {
        return qHashMulti(seed, key.block.width(), key.block.height(), key.antialiased, key.ratio);
    }
};

// Translucent rounded outlines are slow to rasterise and the card roller draws three of them
// on every paint; blocks keep their size between paints, so each frame is drawn once, in the
// device's pixels so that it stays crisp on scaled screens.
QImage frameImage(const QSize &block, bool antialiased, qreal ratio)
{
    static QHash<FrameKey, QImage> cache;
    const FrameKey key {block, antialiased, ratio};
    if (const auto found = cache.constFind(key); found != cache.cend())
        return *found;
    QImage image(deviceSize(block + FrameMargins, ratio), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, antialiased);
        strokeBlockFrame(painter, QRect(FrameOrigin, block));
    }
    if (cache.size() >= 16)
        cache.clear();
    cache.insert(key, image);
    return image;
}

// The palette's surface: the main widget, which a host may place in a larger window of its own.
const QWidget *surfaceOf(const QWidget *widget)
{
    for (const QWidget *ancestor = widget; ancestor; ancestor = ancestor->parentWidget()) {
        if (ancestor->objectName() == QLatin1String("MainWidget") || ancestor->isWindow())
            return ancestor;
    }
    return widget;
}

} // namespace

QSize deviceSize(const QSize &size, qreal ratio)
{
    return (QSizeF(size) * ratio).toSize();
}

qreal deviceRatio(const QPainter &painter)
{
    return painter.device() ? painter.device()->devicePixelRatio() : 1.0;
}

void drawBlockFrame(QPainter &painter, const QRect &block)
{
    painter.drawImage(block.topLeft() - FrameOrigin,
                      frameImage(block.size(), painter.testRenderHint(QPainter::Antialiasing),
                                 deviceRatio(painter)));
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

void fillOutline(QPainter &painter, const QRect &rect, const QColor &color)
{
    if (!rect.isValid())
        return;
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.right();
    const int b = rect.bottom();
    painter.fillRect(QRect(QPoint(l, t), QPoint(r, t)), color);
    if (b > t)
        painter.fillRect(QRect(QPoint(l, b), QPoint(r, b)), color);
    if (b - t < 2)
        return;
    painter.fillRect(QRect(QPoint(l, t + 1), QPoint(l, b - 1)), color);
    if (r > l)
        painter.fillRect(QRect(QPoint(r, t + 1), QPoint(r, b - 1)), color);
}

QImage mainBackgroundUnder(const QWidget *widget, const QRect &rect)
{
    const QWidget *surface = surfaceOf(widget);
    const QImage background
        = DB::themeImage(DB::SystemWideCollectionUuid,
                         QStringLiteral("image.widget.main.background"), surface->size());
    return background.copy(rect.translated(widget->mapTo(surface, QPoint(0, 0))));
}

} // namespace Sorven::Painting
