#include "widgets/chippointer.h"

#include "db/lookups.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWidget>

namespace Sorven {

ChipPointer::ChipPointer(QWidget *widget, DragStart startDrag, ToolTipAt toolTipAt, ChipAt chipAt)
    : QObject(widget),
      m_widget(widget),
      m_startDrag(std::move(startDrag)),
      m_toolTipAt(std::move(toolTipAt)),
      m_chipAt(std::move(chipAt))
{
    if (m_toolTipAt)
        widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

ChipPointer::ToolTip ChipPointer::chipToolTip(const QUuid &collection, qint64 rowId,
                                              const QRect &rect)
{
    return {rect.topRight(), DB::chipDescription(collection, rowId, true)};
}

bool ChipPointer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_widget)
        return false;
    switch (event->type()) {
    // A widget's double-click handler is its press handler unless it says otherwise.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        press(static_cast<QMouseEvent *>(event));
        break;
    case QEvent::MouseButtonRelease:
        m_press.reset();
        break;
    case QEvent::MouseMove:
        move(static_cast<QMouseEvent *>(event));
        break;
    case QEvent::ContextMenu:
        return requestContextMenu(static_cast<QContextMenuEvent *>(event));
    default:
        break;
    }
    return false;
}

// A press of another button while the left one is held leaves the left one's drag armed.
void ChipPointer::press(const QMouseEvent *event)
{
    QToolTip::hideText();
    if (event->buttons() == Qt::LeftButton)
        m_press = event->globalPosition().toPoint();
}

void ChipPointer::move(const QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->buttons() & Qt::LeftButton) {
        if (m_press
            && (event->globalPosition().toPoint() - *m_press).manhattanLength()
                > QApplication::startDragDistance())
            startDrag(pos);
    } else if (event->buttons() == Qt::NoButton && m_toolTipAt) {
        const ToolTip tip = m_toolTipAt(pos);
        // Empty text hides the tooltip shown.
        QToolTip::showText(m_widget->mapToGlobal(tip.at), tip.text, m_widget);
    }
}

// Disarmed before the drag runs: its own event loop takes the button release, and no move it
// lets through may start a second drag.
void ChipPointer::startDrag(const QPoint &pos)
{
    const QPoint press = *m_press;
    m_press.reset();
    if (!m_startDrag(pos))
        m_press = press;
}

bool ChipPointer::requestContextMenu(QContextMenuEvent *event)
{
    const DB::ItemIndex chip = m_chipAt ? m_chipAt(event->pos()) : DB::ItemIndex();
    if (!chip.refersToChip())
        return false;
    event->accept();
    emit chipContextMenuRequested(chip, event->globalPos());
    return true;
}

} // namespace Sorven
