#include "nativewindows.h"

#include "embeddingsocket.h"
#include "iconhandle.h"
#include "windowmessagegate.h"

#include <qwinhandle.h>

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QWidget>

#include <utility>

namespace {

// Qt's own procedure, at the end of every Qt window's chain. It lets through the Qt event
// that the message stands for; everything else is the default procedure's.
struct Delivery
{
    HWND hwnd;
    UINT message;
    bool reached = false;
};
Delivery *s_delivery = nullptr;

LRESULT qtWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (s_delivery && s_delivery->hwnd == hwnd && s_delivery->message == message) {
        s_delivery->reached = true;
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

struct WindowRecord
{
    QPointer<QWidget> widget;
    WNDPROC procedure = qtWindowProcedure;
    // The procedure the window was created with: Qt's, or the stand-in's for its own windows.
    WNDPROC base = qtWindowProcedure;
    LONG_PTR style = 0;
};

QHash<HWND, WindowRecord> &records()
{
    static QHash<HWND, WindowRecord> table;
    return table;
}

WindowRecord *record(HWND hwnd)
{
    const auto found = records().find(hwnd);
    if (found == records().end() || !found->widget)
        return nullptr;
    return &*found;
}

} // namespace

namespace NativeWindows {

HWND handle(QWidget *widget)
{
    if (!widget)
        return nullptr;
    const HWND hwnd = reinterpret_cast<HWND>(widget);
    WindowRecord &entry = records()[hwnd];
    if (entry.widget != widget)
        entry = WindowRecord {widget};
    return hwnd;
}

QWidget *widget(HWND hwnd)
{
    const WindowRecord *entry = record(hwnd);
    return entry ? entry->widget.data() : nullptr;
}

void setDefaultProcedure(QWidget *widget, WNDPROC procedure)
{
    WindowRecord &entry = records()[handle(widget)];
    entry.procedure = procedure;
    entry.base = procedure;
}

void forget(QWidget *widget)
{
    records().remove(reinterpret_cast<HWND>(widget));
}

void applySizeLimits(HWND hwnd)
{
    QWidget *window = widget(hwnd);
    if (!window)
        return;
    MINMAXINFO info {};
    info.ptMaxTrackSize = POINT {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    window->setMinimumSize(info.ptMinTrackSize.x, info.ptMinTrackSize.y);
    window->setMaximumSize(info.ptMaxTrackSize.x, info.ptMaxTrackSize.y);
}

HWND subclassedQtWindow(QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const WindowRecord *entry = record(reinterpret_cast<HWND>(widget));
        const bool ownWindow = widget->isWindow() || EmbeddingSocket::holds(widget)
            || (entry && entry->base != qtWindowProcedure);
        if (!ownWindow)
            continue;
        const bool subclassed
            = entry && entry->base == qtWindowProcedure && entry->procedure != qtWindowProcedure;
        return subclassed ? reinterpret_cast<HWND>(widget) : nullptr;
    }
    return nullptr;
}

bool reachesQt(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Delivery delivery {hwnd, message};
    Delivery *outer = std::exchange(s_delivery, &delivery);
    SendMessageW(hwnd, message, wParam, lParam);
    s_delivery = outer;
    return delivery.reached;
}

} // namespace NativeWindows

HWND qWinHandle(QWidget *widget)
{
    return NativeWindows::handle(widget);
}

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WindowRecord *entry = record(hwnd);
    return entry ? entry->procedure(hwnd, message, wParam, lParam) : 0;
}

LRESULT CallWindowProcW(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return previous ? previous(hwnd, message, wParam, lParam) : 0;
}

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    QWidget *window = NativeWindows::widget(hwnd);
    if (window && message == WM_SETICON && lParam)
        window->setWindowIcon(reinterpret_cast<HICON>(lParam)->icon);
    return 0;
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index)
{
    const WindowRecord *entry = record(hwnd);
    if (!entry)
        return 0;
    return index == GWLP_WNDPROC ? reinterpret_cast<LONG_PTR>(entry->procedure) : entry->style;
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value)
{
    WindowRecord *entry = record(hwnd);
    if (!entry)
        return 0;
    const LONG_PTR previous = GetWindowLongPtrW(hwnd, index);
    if (index == GWLP_WNDPROC) {
        entry->procedure = reinterpret_cast<WNDPROC>(value);
        WindowMessageGate::watch();
        NativeWindows::applySizeLimits(hwnd);
    } else {
        entry->style = value;
    }
    return previous;
}

HWND SetParent(HWND child, HWND parent)
{
    QWidget *childWidget = NativeWindows::widget(child);
    if (!childWidget)
        return nullptr;
    QWidget *previous = childWidget->parentWidget();
    if (EmbeddingSocket::holds(childWidget))
        previous = previous->parentWidget();
    EmbeddingSocket::embed(childWidget, NativeWindows::widget(parent));
    return NativeWindows::handle(previous);
}

HWND GetFocus()
{
    return NativeWindows::handle(QApplication::focusWidget());
}

HWND SetFocus(HWND hwnd)
{
    const HWND previous = GetFocus();
    if (QWidget *window = NativeWindows::widget(hwnd))
        window->setFocus(Qt::OtherFocusReason);
    return previous;
}

namespace {

BOOL toRect(const QRect &geometry, LPRECT rect)
{
    *rect = RECT {geometry.left(), geometry.top(), geometry.right() + 1, geometry.bottom() + 1};
    return TRUE;
}

} // namespace

BOOL GetWindowRect(HWND hwnd, LPRECT rect)
{
    QWidget *window = NativeWindows::widget(hwnd);
    if (!window || !rect)
        return FALSE;
    return toRect(QRect(window->mapToGlobal(QPoint(0, 0)), window->size()), rect);
}

BOOL GetClientRect(HWND hwnd, LPRECT rect)
{
    QWidget *window = NativeWindows::widget(hwnd);
    if (!window || !rect)
        return FALSE;
    // Client coordinates start at the client area's corner.
    return toRect(QRect(QPoint(0, 0), window->contentsRect().size()), rect);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL)
{
    QWidget *window = NativeWindows::widget(hwnd);
    if (!window)
        return FALSE;
    NativeWindows::applySizeLimits(hwnd);
    window->setGeometry(x, y, width, height);
    return TRUE;
}

BOOL IsWindow(HWND hwnd)
{
    return NativeWindows::widget(hwnd) != nullptr;
}

BOOL RedrawWindow(HWND hwnd, const RECT *, void *, UINT flags)
{
    QWidget *window = NativeWindows::widget(hwnd);
    if (!window)
        return FALSE;
    if (flags & RDW_UPDATENOW)
        window->repaint();
    else
        window->update();
    return TRUE;
}

short GetKeyState(int virtualKey)
{
    const bool down
        = virtualKey == VK_SHIFT && (QApplication::keyboardModifiers() & Qt::ShiftModifier);
    return down ? static_cast<short>(0x8000) : 0;
}
