#include <afxwin.h>

#include <QCloseEvent>
#include <QHash>
#include <QWidget>

#include "nativewindows.h"

namespace {

QHash<HWND, CWnd *> &permanentWindows()
{
    static QHash<HWND, CWnd *> table;
    return table;
}

QList<CControlBar *> &controlBars()
{
    static QList<CControlBar *> bars;
    return bars;
}

CRuntimeClass *&floatingFrameClass()
{
    static CRuntimeClass *frameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    return frameClass;
}

// The Qt side of a CWnd: it turns Qt's resize into WM_SIZE through the window procedure, so
// that a subclassed procedure sees it as on Windows.
class StandinWindow : public QWidget
{
public:
    StandinWindow(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags) { }

protected:
    void resizeEvent(QResizeEvent *) override
    {
        const QSize client = contentsRect().size();
        SendMessageW(NativeWindows::handle(this), WM_SIZE, 0,
                     MAKELPARAM(client.width(), client.height()));
    }

    void closeEvent(QCloseEvent *event) override
    {
        // Closing a floating frame hides its bar, as the frame's close button does.
        event->ignore();
        hide();
    }
};

} // namespace

LRESULT standinWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd *window = CWnd::FromHandlePermanent(hwnd);
    return window ? window->WindowProc(message, wParam, lParam)
                  : DefWindowProcW(hwnd, message, wParam, lParam);
}

CRuntimeClass CMiniDockFrameWnd::classCMiniDockFrameWnd {
    "CMiniDockFrameWnd", []() -> CFrameWnd * { return new CMiniDockFrameWnd; }};

CRuntimeClass *AdUiSetFloatingFrameClass(CRuntimeClass *frameClass)
{
    CRuntimeClass *previous = floatingFrameClass();
    floatingFrameClass() = frameClass ? frameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
    return previous;
}

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    DestroyWindow();
}

CWnd *CWnd::FromHandlePermanent(HWND hwnd)
{
    return permanentWindows().value(hwnd);
}

void CWnd::createWindow(QWidget *parent, bool topLevel)
{
    attachWidget(new StandinWindow(parent, topLevel ? Qt::Tool : Qt::Widget));
}

void CWnd::attachWidget(QWidget *widget)
{
    m_widget = widget;
    m_hWnd = NativeWindows::handle(m_widget);
    NativeWindows::setDefaultProcedure(m_widget, standinWindowProc);
    permanentWindows().insert(m_hWnd, this);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    permanentWindows().remove(m_hWnd);
    if (m_widget) {
        NativeWindows::forget(m_widget);
        delete m_widget;
    }
    m_hWnd = nullptr;
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE) {
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

void CWnd::OnSize(UINT, int, int) { }

void CWnd::GetClientRect(LPRECT rect) const
{
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    ::GetWindowRect(m_hWnd, rect);
}

BOOL CWnd::IsWindowVisible() const
{
    return m_widget && m_widget->isVisible();
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    const BOOL wasDisabled = !IsWindowEnabled();
    if (m_widget)
        m_widget->setEnabled(enable);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    return m_widget && m_widget->isEnabled();
}

void CWnd::UpdateWindow()
{
    if (m_widget)
        m_widget->repaint();
}

BOOL CWnd::RedrawWindow(const RECT *update, void *region, UINT flags)
{
    return ::RedrawWindow(m_hWnd, update, region, flags);
}

BOOL CWnd::EnableToolTips(BOOL enable)
{
    if (m_widget)
        m_widget->setAttribute(Qt::WA_AlwaysShowToolTips, enable);
    return TRUE;
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

void CWnd::BeginModalState() { }

void CWnd::EndModalState() { }

CControlBar::CControlBar()
{
    controlBars().append(this);
}

CControlBar::~CControlBar()
{
    controlBars().removeOne(this);
    DestroyWindow();
    m_floatingFrame.reset();
}

CFrameWnd *CControlBar::GetDockingFrame() const
{
    return m_floatingFrame ? m_floatingFrame.get() : m_pDockSite;
}

void CFrameWnd::ShowControlBar(CControlBar *bar, BOOL show, BOOL)
{
    if (!bar || !bar->widget())
        return;
    bar->widget()->setVisible(show);
    if (bar->m_floatingFrame)
        bar->m_floatingFrame->widget()->setVisible(show);
}

void CFrameWnd::FloatControlBar(CControlBar *bar, CPoint point, DWORD)
{
    if (!bar || !bar->widget())
        return;
    if (!bar->m_floatingFrame) {
        bar->m_floatingFrame.reset(floatingFrameClass()->m_pfnCreateObject());
        bar->m_floatingFrame->createWindow(widget(), true);
    }
    QWidget *frame = bar->m_floatingFrame->widget();
    const bool visible = !bar->widget()->isHidden();
    frame->setWindowTitle(bar->widget()->windowTitle());
    bar->widget()->setParent(frame);
    bar->widget()->move(0, 0);
    bar->widget()->setVisible(visible);
    frame->resize(bar->widget()->size());
    frame->move(point.x, point.y);
    frame->setVisible(visible);
}

void CFrameWnd::BeginModalState()
{
    if (m_modalDepth++ > 0)
        return;
    for (CControlBar *bar : controlBars())
        bar->BeginModalState();
}

void CFrameWnd::EndModalState()
{
    if (m_modalDepth == 0 || --m_modalDepth > 0)
        return;
    for (CControlBar *bar : controlBars())
        bar->EndModalState();
}
