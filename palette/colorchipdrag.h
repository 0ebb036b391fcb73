#pragma once

#include "db/colorentry.h"

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QUuid>
#include <Qt>

class QWidget;

// Starting a drag of a colour chip: the record of palette/colorchipdnd.h under its MIME type,
// with a pixmap of the colour that names it.
namespace Sorven {

// 128 x 64: the colour fading out towards the bottom left, the text at the top right.
QPixmap colorChipDragPixmap(const QColor &color, const QString &text);

// Both return what QDrag::exec answers.
Qt::DropAction startColorChipDrag(QWidget *source, int from, const QUuid &collection,
                                  const DB::ColorEntry &chip, Qt::DropActions supportedActions,
                                  Qt::DropAction defaultAction);
Qt::DropAction startColorDrag(QWidget *source, int from, const QColor &color, const QString &label,
                              const QString &name1, const QString &name2,
                              Qt::DropActions supportedActions, Qt::DropAction defaultAction);

} // namespace Sorven
