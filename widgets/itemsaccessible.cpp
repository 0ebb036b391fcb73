#include "widgets/itemsaccessible.h"

#include "widgets/accessibleitems.h"
#include "widgets/itemaccessible.h"

#include <QWidget>

namespace Sorven {

namespace {

int itemCountOf(const QWidget *widget)
{
    const auto *items = dynamic_cast<const AccessibleItems *>(widget);
    return items ? items->accessibleItemCount() : 0;
}

QAccessibleInterface *createItemsAccessible(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!dynamic_cast<AccessibleItems *>(widget))
        return nullptr;
    return new ItemsAccessible(widget);
}

} // namespace

ItemsAccessible::ItemsAccessible(QWidget *widget)
    : QAccessibleWidget(widget, dynamic_cast<AccessibleItems *>(widget)->accessibleRole())
{ }

ItemsAccessible::~ItemsAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_items))
        QAccessible::deleteAccessibleInterface(id);
}

void ItemsAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(createItemsAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

void ItemsAccessible::notifyCurrentItem(QWidget *widget, int index)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QAccessibleInterface *item = accessible
        ? accessible->child(accessible->childCount() - itemCountOf(widget) + index)
        : nullptr;
    if (!item)
        return;
    QAccessibleEvent event(item, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

int ItemsAccessible::childCount() const
{
    return QAccessibleWidget::childCount() + itemCountOf(widget());
}

QAccessibleInterface *ItemsAccessible::child(int index) const
{
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets)
        return QAccessibleWidget::child(index);
    const int item = index - widgets;
    if (item >= itemCountOf(widget()))
        return nullptr;
    if (const auto found = m_items.constFind(item); found != m_items.cend())
        return QAccessible::accessibleInterface(*found);
    auto *created = new ItemAccessible(widget(), item);
    m_items.insert(item, QAccessible::registerAccessibleInterface(created));
    return created;
}

QAccessibleInterface *ItemsAccessible::childAt(int x, int y) const
{
    const QPoint pos = widget()->mapFromGlobal(QPoint(x, y));
    const auto *items = dynamic_cast<const AccessibleItems *>(widget());
    for (int item = 0; items && item < items->accessibleItemCount(); ++item) {
        if (items->accessibleItem(item).rect.contains(pos))
            return child(QAccessibleWidget::childCount() + item);
    }
    return QAccessibleWidget::childAt(x, y);
}

int ItemsAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const auto *item = dynamic_cast<const ItemAccessible *>(child);
    if (item && item->widget() == widget())
        return QAccessibleWidget::childCount() + item->index();
    return QAccessibleWidget::indexOfChild(child);
}

} // namespace Sorven
