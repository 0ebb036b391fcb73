#pragma once

#include "db/colorentry.h"
#include "db/itemindex.h"

#include <QObject>
#include <QUuid>

#include <functional>

class QMenu;
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
    // The chip at a position in the widget; a reference to no chip shows no menu.
    using ChipAt = std::function<DB::ItemIndex(const QPoint &pos)>;

    // Gives the widget the menu; the helper lives as the widget's child.
    static EquivalentsMenu *install(QWidget *widget, ChipAt chipAt);
    // The reference to a painted chip of the collection; to none without a chip.
    static DB::ItemIndex chipOf(const QUuid &collection, const DB::ColorEntry *chip);

signals:
    void chipChosen(QUuid collectionId, Sorven::DB::ColorEntry colorEntry);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    EquivalentsMenu(QWidget *widget, ChipAt chipAt);
    void popUp(QWidget *widget, const DB::ItemIndex &chip, const QPoint &globalPos);
    void fill(QMenu *menu, const DB::ColorEntry &chip, const QUuid &collection);
    void choose(const DB::ItemIndex &chip);

    ChipAt m_chipAt;
};

} // namespace Sorven
