#include "palette/colorchipdrag.h"

#include "core/interfacefonts.h"
#include "palette/colorchipdnd.h"
#include "widgets/painting.h"

#include <QDrag>
#include <QLinearGradient>
#include <QMimeData>
#include <QPainter>
#include <QWidget>

namespace Sorven {

namespace {

const QSize DragPixmapSize {128, 64};
// The interface's base size.
constexpr int DragTextSizeStep = 2;

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

Qt::DropAction runDrag(QWidget *source, QMimeData *mimeData, const QPixmap &pixmap,
                       Qt::DropActions supportedActions, Qt::DropAction defaultAction)
{
    auto *drag = new QDrag(source);
    drag->setMimeData(mimeData);
    drag->setPixmap(pixmap);
    return drag->exec(supportedActions, defaultAction);
}

} // namespace

QPixmap colorChipDragPixmap(const QColor &color, const QString &text)
{
    QPixmap pixmap(DragPixmapSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QLinearGradient gradient(QPointF(0, 0), QPointF(16, pixmap.rect().bottom()));
    gradient.setColorAt(0, withAlpha(color, 255));
    gradient.setColorAt(0.65, withAlpha(color, 208));
    gradient.setColorAt(1, withAlpha(color, 160));
    painter.fillRect(pixmap.rect(), gradient);
    painter.setPen(Qt::black);
    painter.setFont(italicFont(DragTextSizeStep));
    Painting::drawTextTwice(painter, pixmap.rect().adjusted(2, 2, -2, -2),
                            Qt::AlignTop | Qt::AlignRight, text);
    return pixmap;
}

Qt::DropAction startColorChipDrag(QWidget *source, int from, const QUuid &collection,
                                  const DB::ColorEntry &chip, Qt::DropActions supportedActions,
                                  Qt::DropAction defaultAction)
{
    return runDrag(source, colorChipMimeData(from, collection, chip),
                   colorChipDragPixmap(chip.color(), chip.code), supportedActions, defaultAction);
}

Qt::DropAction startColorDrag(QWidget *source, int from, const QColor &color, const QString &label,
                              const QString &name1, const QString &name2,
                              Qt::DropActions supportedActions, Qt::DropAction defaultAction)
{
    return runDrag(source, colorMimeData(from, color, name1, name2),
                   colorChipDragPixmap(color, label), supportedActions, defaultAction);
}

} // namespace Sorven
