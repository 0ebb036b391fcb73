#include "host/qwinwidget.h"

#include <afxwin.h>
#include <qwinhandle.h>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QHash>

namespace {

QHash<HWND, QWinWidget *> &embedded()
{
    static QHash<HWND, QWinWidget *> widgets;
    return widgets;
}

} // namespace

// The native window's focus becomes a Qt focus-in on the embedded widget, from the first or,
// with Shift held, the last child. Everything else goes to the procedure we replaced, which is
// Qt's own: without it the widget would neither paint nor take input.
LRESULT QWinWidget::windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    QWinWidget *widget = embedded().value(hwnd);
    if (!widget)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_SETFOCUS) {
        const bool backwards = GetKeyState(VK_SHIFT) < 0;
        QFocusEvent event(QEvent::FocusIn, backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        QCoreApplication::sendEvent(widget, &event);
        return 0;
    }
    return CallWindowProcW(widget->m_previousProcedure, hwnd, message, wParam, lParam);
}

QWinWidget::QWinWidget(HWND parentWindow, QObject *parent, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), m_parentWindow(parentWindow)
{
    if (parent)
        QObject::setParent(parent);
    embed();
}

QWinWidget::QWinWidget(CWnd *parentWindow, QObject *parent, Qt::WindowFlags flags)
    : QWinWidget(parentWindow ? parentWindow->GetSafeHwnd() : nullptr, parent, flags)
{ }

QWinWidget::~QWinWidget()
{
    const HWND hwnd = qWinHandle(this);
    embedded().remove(hwnd);
    // Only while ours is still the window's procedure: a later subclass keeps its own.
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (m_previousProcedure && current == windowProcedure)
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProcedure));
}

void QWinWidget::embed()
{
    if (!m_parentWindow)
        return;
    const HWND hwnd = qWinHandle(this);
    SetWindowLongPtrW(hwnd, GWL_STYLE, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    SetParent(hwnd, m_parentWindow);
    embedded().insert(hwnd, this);
    m_previousProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(windowProcedure)));
    QEvent event(QEvent::EmbeddingControl);
    QCoreApplication::sendEvent(this, &event);
}

void QWinWidget::saveFocus()
{
    m_previousFocus = GetFocus();
    if (!m_previousFocus)
        m_previousFocus = m_parentWindow;
}

void QWinWidget::show()
{
    saveFocus();
    QWidget::show();
}

void QWinWidget::center()
{
    const QList<QWidget *> children = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    const bool onlyWindows = std::all_of(children.begin(), children.end(),
                                         [](const QWidget *child) { return child->isWindow(); });
    if (!onlyWindows)
        qWarning("QWinWidget::center: Call this function only for QWinWidgets with toplevel "
                 "children");
    RECT parent {};
    if (!GetWindowRect(m_parentWindow, &parent))
        return;
    const QPoint middle((parent.left + parent.right) / 2, (parent.top + parent.bottom) / 2);
    for (QWidget *child : children) {
        if (child->isWindow())
            child->move(middle - child->rect().center());
    }
}

void QWinWidget::showCentered()
{
    center();
    show();
}

QList<QWidget *> QWinWidget::tabChain() const
{
    QList<QWidget *> chain;
    for (QWidget *widget = nextInFocusChain(); widget && widget != this;
         widget = widget->nextInFocusChain()) {
        if (isAncestorOf(widget) && widget->isVisibleTo(const_cast<QWinWidget *>(this))
            && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus))
            chain.append(widget);
    }
    return chain;
}

void QWinWidget::focusInEvent(QFocusEvent *event)
{
    const QList<QWidget *> chain = tabChain();
    if (chain.isEmpty())
        return QWidget::focusInEvent(event);
    QWidget *target = event->reason() == Qt::BacktabFocusReason ? chain.last() : chain.first();
    target->setFocus(event->reason());
}

bool QWinWidget::focusNextPrevChild(bool next)
{
    const QList<QWidget *> chain = tabChain();
    QWidget *current = focusWidget();
    const bool leaving = chain.isEmpty() || (next && current == chain.last())
        || (!next && current == chain.first());
    if (!leaving)
        return QWidget::focusNextPrevChild(next);
    // Tabbing past the ends returns the keyboard to the native window around us.
    SetFocus(m_parentWindow);
    return true;
}
