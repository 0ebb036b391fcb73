#pragma once

#include "db/colorentry.h"
#include "db/itemindex.h"

#include <QObject>
#include <QUuid>

class QMenu;

namespace Sorven {
class ChipPointer;
}
class QPoint;
class QWidget;

namespace Sorven {

// A chip's context menu in the roller, the schemers and My Palette: the nearest chip of every
// other collection with its colour difference, marked when it lies within that collection's
// first colour-difference interval. Choosing one asks, through chipChosen, for the palette to
// go there; the main widget answers every such menu among its children.
class EquivalentsMenu : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(EquivalentsMenu)

public:
    // Gives the widget the menu on its chips' context-menu requests; the helper lives as the
    // widget's child.
    static EquivalentsMenu *install(QWidget *widget, const ChipPointer *pointer);

signals:
    void chipChosen(QUuid collectionId, Sorven::DB::ColorEntry colorEntry);

private:
    using QObject::QObject;
    void popUp(QWidget *widget, const DB::ItemIndex &chip, const QPoint &globalPos);
    void fill(QMenu *menu, const DB::ColorEntry &chip, const QUuid &collection);
    void choose(const DB::ItemIndex &chip);
};

} // namespace Sorven
