#pragma once

#include <QAccessible>
#include <QRect>
#include <QString>

namespace Sorven {

// What a custom-painted widget tells a screen reader about the things it paints (chips, cells,
// tabs, buttons): each becomes a child of the widget's accessible interface.
class AccessibleItems
{
public:
    struct Item
    {
        QAccessible::Role role = QAccessible::ListItem;
        // In the widget's coordinates, from the widget's one geometry source.
        QRect rect;
        QString name;
        QString description;
        bool selected = false;
    };

    virtual ~AccessibleItems() = default;

    virtual int accessibleItemCount() const = 0;
    virtual Item accessibleItem(int index) const = 0;
    // What the widget is as a whole.
    virtual QAccessible::Role accessibleRole() const { return QAccessible::List; }

protected:
    AccessibleItems() = default;
    AccessibleItems(const AccessibleItems &) = default;
    AccessibleItems &operator=(const AccessibleItems &) = default;
};

} // namespace Sorven
