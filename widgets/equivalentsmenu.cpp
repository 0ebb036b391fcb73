#include "widgets/equivalentsmenu.h"

#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "palette/colorequivalents.h"

#include <QContextMenuEvent>
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

EquivalentsMenu::EquivalentsMenu(QWidget *widget, ChipAt chipAt)
    : QObject(widget), m_chipAt(std::move(chipAt))
{
    widget->installEventFilter(this);
}

EquivalentsMenu *EquivalentsMenu::install(QWidget *widget, ChipAt chipAt)
{
    return new EquivalentsMenu(widget, std::move(chipAt));
}

DB::ItemIndex EquivalentsMenu::chipOf(const QUuid &collection, const DB::ColorEntry *chip)
{
    return chip ? DB::ItemIndex {collection, chip->pageId, chip->id} : DB::ItemIndex();
}

bool EquivalentsMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ContextMenu || !watched->isWidgetType())
        return false;
    const auto *menuEvent = static_cast<QContextMenuEvent *>(event);
    const DB::ItemIndex chip = m_chipAt(menuEvent->pos());
    if (!chip.refersToChip())
        return false;
    popUp(static_cast<QWidget *>(watched), chip, menuEvent->globalPos());
    return true;
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
