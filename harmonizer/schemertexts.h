#pragma once

#include <QString>
#include <QUuid>

class QPainter;
class QRect;

// The texts both harmonizer panes show alike.
namespace Sorven {

// A localized scheme tooltip as rich text: its line feeds kept, in the tooltip's own size.
QString schemeToolTip(const QUuid &uuid, const QString &key);

// The hint that chips can be dragged away, in one secondary-grey italic line.
void drawDragDropMessage(QPainter &painter, const QRect &rect, const QUuid &uuid);

} // namespace Sorven
