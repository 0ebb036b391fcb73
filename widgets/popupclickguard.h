#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QWidget;

namespace Sorven {

// Keeps the mouse gesture that closes a drop-down list from reaching the widgets under it. A
// press outside the open list only closes it; the release of that press, and the rest of a
// double-click whose first click closed the list, go nowhere. The opener (the arrow that
// toggles the list) and the list itself get their clicks as ever.
class PopupClickGuard : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(PopupClickGuard)

public:
    PopupClickGuard(QWidget *popup, QWidget *opener);

    // Called when the list hides, however it was closed.
    void popupClosed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool guards(const QWidget *target) const;
    bool swallowPress();

    // The list belongs to another parent and may go first.
    QPointer<QWidget> m_popup;
    QWidget *m_opener;
    QElapsedTimer m_closed;
    // A press was swallowed; its moves and its release go with it.
    bool m_swallowing = false;
};

} // namespace Sorven
