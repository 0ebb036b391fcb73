#pragma once

#include "db/itemindex.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QUuid>

#include <functional>
#include <optional>

class QContextMenuEvent;
class QMouseEvent;
class QWidget;

namespace Sorven {

// The pointer over a widget's painted chips, handled alike in every such widget: a left press
// arms a drag that starts once the pointer has moved beyond the platform's drag distance, and
// the release disarms it; a move without a button shows the tooltip of what lies under the
// pointer, or hides the one shown; a context-menu request over a chip of a collection is passed
// on as a signal, and taken. It lets the widget's mouse events through, so the widget keeps its
// own answer to a click.
class ChipPointer : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ChipPointer)

public:
    struct ToolTip
    {
        // In the widget's coordinates.
        QPoint at;
        // None shows without text.
        QString text;
    };

    // Starts a drag of what lies under pos; false, keeping the press for later moves, when
    // nothing there can be dragged.
    using DragStart = std::function<bool(const QPoint &pos)>;
    using ToolTipAt = std::function<ToolTip(const QPoint &pos)>;
    // The chip of a collection under pos; none where rowId is not positive.
    using ChipAt = std::function<DB::ItemIndex(const QPoint &pos)>;

    // Without toolTipAt the widget's tooltips are its own; without chipAt it has no chip
    // context menu.
    ChipPointer(QWidget *widget, DragStart startDrag, ToolTipAt toolTipAt = {}, ChipAt chipAt = {});
    // The same, asking the widget's own member functions.
    template<class Widget>
    ChipPointer(Widget *widget, bool (Widget::*startDrag)(const QPoint &),
                ToolTip (Widget::*toolTipAt)(const QPoint &) const = nullptr,
                DB::ItemIndex (Widget::*chipAt)(const QPoint &) const = nullptr)
        : ChipPointer(widget, std::bind_front(startDrag, widget),
                      bound<ToolTipAt>(toolTipAt, widget), bound<ChipAt>(chipAt, widget))
    { }

    // A collection chip's description beside the top right corner of its rectangle.
    static ToolTip chipToolTip(const QUuid &collection, qint64 rowId, const QRect &rect);

signals:
    void chipContextMenuRequested(const Sorven::DB::ItemIndex &chip, const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    template<class Function, class Member, class Widget>
    static Function bound(Member member, Widget *widget)
    {
        return member ? Function(std::bind_front(member, widget)) : Function();
    }

    void press(const QMouseEvent *event);
    void move(const QMouseEvent *event);
    void startDrag(const QPoint &pos);
    bool requestContextMenu(QContextMenuEvent *event);

    QWidget *m_widget;
    DragStart m_startDrag;
    ToolTipAt m_toolTipAt;
    ChipAt m_chipAt;
    // Global position of a pending left-button press.
    std::optional<QPoint> m_press;
};

} // namespace Sorven
