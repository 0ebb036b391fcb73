#pragma once

#include <QAccessibleWidget>
#include <QHash>

class QObject;
class QString;

namespace Sorven {

// The accessible interface of a custom-painted widget that implements AccessibleItems: its child
// widgets first, then one child per painted item.
class ItemsAccessible : public QAccessibleWidget
{
public:
    // The widget implements AccessibleItems.
    explicit ItemsAccessible(QWidget *widget);
    ~ItemsAccessible() override;

    // Makes every widget that implements AccessibleItems answer through this class; installed
    // once per process, whoever asks first.
    static void install();
    // Tells a screen reader that the item at index is now the widget's current one.
    static void notifyCurrentItem(QWidget *widget, int index);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    // Item interfaces by item index, registered with QAccessible, which owns them until this
    // interface deletes them.
    mutable QHash<int, QAccessible::Id> m_items;
};

} // namespace Sorven
