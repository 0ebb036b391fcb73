#include "widgets/equivalentsmenu.h"

#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "palette/colorequivalents.h"
#include "widgets/chippointer.h"

#include <QMenu>
#include <QPixmap>
#include <QWidget>

namespace Sorven {

namespace {

QString text(const char *key)
{
    return DB::localeString(UserSettings::lastUsedCollection(), QLatin1String(key));
}

QString entryText(const ColorEquivalent &equivalent)
{
    const char *key
        = equivalent.withinInterval ? "equivalents.menu.entry.within" : "equivalents.menu.entry";
    return text(key).arg(equivalent.collectionName, equivalent.code,
                         QString::number(equivalent.deltaE, 'f', 2));
}

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color.isValid() ? color : QColor(Qt::transparent));
    return QIcon(pixmap);
}

} // namespace

EquivalentsMenu *EquivalentsMenu::install(QWidget *widget, const ChipPointer *pointer)
{
    auto *menu = new EquivalentsMenu(widget);
    connect(pointer, &ChipPointer::chipContextMenuRequested, menu,
            [menu, widget](const DB::ItemIndex &chip, const QPoint &globalPos) {
                menu->popUp(widget, chip, globalPos);
            });
    return menu;
}

void EquivalentsMenu::popUp(QWidget *widget, const DB::ItemIndex &chip, const QPoint &globalPos)
{
    DB::ColorEntry entry;
    if (DB::loadEntryById(chip.collection, chip.rowId, entry) != DB::Success)
        return;
    auto *menu = new QMenu(widget);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    fill(menu->addMenu(text("equivalents.menu.title")), entry, chip.collection);
    menu->popup(globalPos);
}

void EquivalentsMenu::fill(QMenu *menu, const DB::ColorEntry &chip, const QUuid &collection)
{
    const QList<ColorEquivalent> equivalents
        = equivalentsInOtherCollections({chip.l, chip.a, chip.b}, collection);
    if (equivalents.isEmpty())
        menu->addAction(text("equivalents.menu.none"))->setEnabled(false);
    for (const ColorEquivalent &equivalent : equivalents) {
        const DB::ItemIndex target = equivalent.chip;
        connect(menu->addAction(swatch(equivalent.color), entryText(equivalent)),
                &QAction::triggered, this, [this, target] { choose(target); });
    }
}

void EquivalentsMenu::choose(const DB::ItemIndex &chip)
{
    DB::ColorEntry entry;
    if (DB::loadEntryById(chip.collection, chip.rowId, entry) == DB::Success)
        emit chipChosen(chip.collection, entry);
}

} // namespace Sorven
