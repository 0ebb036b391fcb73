#include "windowmessagegate.h"

#include "nativewindows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QWidget>

namespace {

UINT messageFor(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::Paint:
        return WM_PAINT;
    case QEvent::Resize:
        return WM_SIZE;
    case QEvent::MouseMove:
        return WM_MOUSEMOVE;
    case QEvent::MouseButtonPress:
        return WM_LBUTTONDOWN;
    case QEvent::MouseButtonRelease:
        return WM_LBUTTONUP;
    case QEvent::MouseButtonDblClick:
        return WM_LBUTTONDBLCLK;
    case QEvent::Wheel:
        return WM_MOUSEWHEEL;
    case QEvent::KeyPress:
        return WM_KEYDOWN;
    case QEvent::KeyRelease:
        return WM_KEYUP;
    default:
        return 0;
    }
}

// Positions are in the window's client coordinates, sizes are the new client size.
LPARAM parameterFor(const QEvent *event, QWidget *widget, QWidget *window)
{
    if (event->type() == QEvent::Resize) {
        const QSize size = static_cast<const QResizeEvent *>(event)->size();
        return MAKELPARAM(size.width(), size.height());
    }
    if (const auto *pointer = dynamic_cast<const QSinglePointEvent *>(event)) {
        const QPoint at = widget->mapTo(window, pointer->position().toPoint());
        return MAKELPARAM(at.x(), at.y());
    }
    return 0;
}

} // namespace

void WindowMessageGate::watch()
{
    static QPointer<WindowMessageGate> gate;
    if (gate || !qApp)
        return;
    gate = new WindowMessageGate(qApp);
    qApp->installEventFilter(gate);
}

bool WindowMessageGate::eventFilter(QObject *watched, QEvent *event)
{
    const UINT message = watched->isWidgetType() ? messageFor(event) : 0;
    if (!message)
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    const HWND hwnd = NativeWindows::subclassedQtWindow(widget);
    QWidget *window = NativeWindows::widget(hwnd);
    // Qt lays out and paints the widgets inside a window itself; only the window's own size
    // is a message.
    if (!window || (message == WM_SIZE && widget != window))
        return false;
    const auto *key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease
        ? static_cast<const QKeyEvent *>(event)
        : nullptr;
    const WPARAM wParam = key ? key->nativeVirtualKey() : 0;
    return !NativeWindows::reachesQt(hwnd, message, wParam, parameterFor(event, widget, window));
}
