#pragma once

#include "widgets/accessibleitems.h"

#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>

namespace Sorven {

// One painted item of a widget that implements AccessibleItems, as a screen reader sees it.
class ItemAccessible : public QAccessibleInterface
{
public:
    ItemAccessible(QWidget *widget, int index);

    QWidget *widget() const { return m_widget; }
    int index() const { return m_index; }

    bool isValid() const override;
    QObject *object() const override;
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString &text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

private:
    AccessibleItems::Item item() const;

    QPointer<QWidget> m_widget;
    int m_index;
};

} // namespace Sorven
