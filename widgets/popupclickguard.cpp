#include "widgets/popupclickguard.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace Sorven {

PopupClickGuard::PopupClickGuard(QWidget *popup, QWidget *opener)
    : QObject(opener), m_popup(popup), m_opener(opener)
{
    // The widgets under the list are not the list's children, so only the application sees
    // their events before they do.
    qApp->installEventFilter(this);
}

void PopupClickGuard::popupClosed()
{
    m_closed.start();
}

// Widgets of the list's window other than the list and the opener.
bool PopupClickGuard::guards(const QWidget *target) const
{
    return m_popup && target->window() == m_popup->window() && target != m_popup
        && !m_popup->isAncestorOf(target) && target != m_opener && !m_opener->isAncestorOf(target);
}

// A press on another widget while the list is open closes it, and so does the focus the press
// moves (before the press arrives here); a press soon after the list closed is the second click
// of the double-click that closed it.
bool PopupClickGuard::swallowPress()
{
    const bool closing = m_popup->isVisible();
    if (closing)
        m_popup->hide();
    m_swallowing = closing
        || (m_closed.isValid() && m_closed.elapsed() <= QApplication::doubleClickInterval());
    return m_swallowing;
}

bool PopupClickGuard::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick
        && type != QEvent::MouseButtonRelease && type != QEvent::MouseMove)
        return false;
    if (!watched->isWidgetType() || !guards(static_cast<QWidget *>(watched)))
        return false;
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return swallowPress();
    case QEvent::MouseButtonRelease: {
        const bool swallowed = m_swallowing;
        m_swallowing = false;
        return swallowed;
    }
    default:
        return m_swallowing && static_cast<QMouseEvent *>(event)->buttons() != Qt::NoButton;
    }
}

} // namespace Sorven
