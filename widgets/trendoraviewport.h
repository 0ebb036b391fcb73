#pragma once

#include "db/trendoragroup.h"
#include "widgets/accessibleitems.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

namespace Sorven {

// The contents of the trend pane: each trend group of the selected collection as a header
// with an open/closed toggle and, when open, its colours as chips flowing in lines.
class TrendoraViewport : public QWidget, public AccessibleItems
{
    Q_OBJECT
    Q_DISABLE_COPY(TrendoraViewport)

public:
    explicit TrendoraViewport(QWidget *parent = nullptr);

    // Reads the groups and their open states for the selected collection.
    void loadGroups();
    // Places groups and chips for the current width and resizes to fit them; the pane calls it
    // after every change of its size.
    void layoutGroups();

    // Group identifiers in display order.
    QList<qint64> groupOrder() const { return m_groupOrder; }
    bool isOpen(qint64 groupId) const { return m_openStates.value(groupId); }
    // Header and chips of the group; null when it is not laid out.
    QRect groupRect(qint64 groupId) const { return m_groupRegions.value(groupId); }
    QRect toggleRect(qint64 groupId) const;
    // Null when the group is closed or has no such colour.
    QRect chipRect(qint64 groupId, qint64 entryId) const;

    // The chips of the open groups, group by group.
    int accessibleItemCount() const override;
    Item accessibleItem(int index) const override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Hit
    {
        qint64 groupId = -1;
        bool onToggle = false;
        const DB::TrendoraEntry *entry = nullptr;
    };

    // Only for identifiers of the group order, which all name a loaded group.
    const DB::TrendoraGroup &groupById(qint64 groupId) const;
    Hit hitAt(const QPoint &pos) const;
    void toggle(qint64 groupId);
    void pick(const DB::TrendoraGroup &group, const DB::TrendoraEntry &entry);
    bool startDrag(const QPoint &pos);
    void paintGroup(QPainter &painter, const DB::TrendoraGroup &group) const;
    void paintChip(QPainter &painter, const QRect &chip, const DB::TrendoraEntry &entry) const;

    QHash<qint64, DB::TrendoraGroup> m_groups;
    QList<qint64> m_groupOrder;
    QHash<qint64, bool> m_openStates;
    QHash<qint64, QRect> m_groupRegions;
    QHash<qint64, QHash<qint64, QRect>> m_chipRects;
    QColor m_pickedColor;
    QString m_pickedName1;
    QString m_pickedName2;
    QString m_pickedText;
    QImage m_openImage;
    QImage m_closedImage;
};

} // namespace Sorven
