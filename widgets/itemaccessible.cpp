#include "widgets/itemaccessible.h"

namespace Sorven {

namespace {

const AccessibleItems *itemsOf(const QWidget *widget)
{
    return dynamic_cast<const AccessibleItems *>(widget);
}

} // namespace

ItemAccessible::ItemAccessible(QWidget *widget, int index) : m_widget(widget), m_index(index) { }

bool ItemAccessible::isValid() const
{
    const AccessibleItems *items = itemsOf(m_widget);
    return items && m_index < items->accessibleItemCount();
}

// Painted items are no objects of their own.
QObject *ItemAccessible::object() const
{
    return nullptr;
}

QWindow *ItemAccessible::window() const
{
    return m_widget ? m_widget->window()->windowHandle() : nullptr;
}

QAccessibleInterface *ItemAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_widget.data());
}

QAccessibleInterface *ItemAccessible::child(int) const
{
    return nullptr;
}

QAccessibleInterface *ItemAccessible::childAt(int, int) const
{
    return nullptr;
}

int ItemAccessible::childCount() const
{
    return 0;
}

int ItemAccessible::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

QString ItemAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Name)
        return item().name;
    if (kind == QAccessible::Description)
        return item().description;
    return {};
}

void ItemAccessible::setText(QAccessible::Text, const QString &) { }

QRect ItemAccessible::rect() const
{
    const QRect rect = item().rect;
    if (!m_widget || rect.isNull())
        return {};
    return {m_widget->mapToGlobal(rect.topLeft()), rect.size()};
}

QAccessible::Role ItemAccessible::role() const
{
    return item().role;
}

QAccessible::State ItemAccessible::state() const
{
    QAccessible::State state;
    const AccessibleItems::Item shown = item();
    state.selectable = true;
    state.selected = shown.selected;
    state.focused = shown.selected && m_widget && m_widget->hasFocus();
    state.invisible = shown.rect.isEmpty();
    return state;
}

AccessibleItems::Item ItemAccessible::item() const
{
    const AccessibleItems *items = itemsOf(m_widget);
    if (!items || m_index >= items->accessibleItemCount())
        return {};
    return items->accessibleItem(m_index);
}

} // namespace Sorven
