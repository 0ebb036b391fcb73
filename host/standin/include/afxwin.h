#pragma once

// The part of the MFC window classes the palette module derives from or calls, on Qt. Every
// CWnd owns a Qt widget; its window procedure is WindowProc, reached through SendMessageW.
#include <windows.h>

#include <QPointer>
#include <QWidget>

#include <memory>

class QWidget;
class CControlBar;
class CFrameWnd;

// MFC's dynamic creation: the floating frame class is chosen at run time.
struct CRuntimeClass
{
    const char *m_lpszClassName;
    CFrameWnd *(*m_pfnCreateObject)();
};
#define RUNTIME_CLASS(name) (&name::class##name)

struct CPoint : POINT
{
    CPoint(int x0 = 0, int y0 = 0) : POINT {x0, y0} { }
};

struct CRect : RECT
{
    CRect(int l = 0, int t = 0, int r = 0, int b = 0) : RECT {l, t, r, b} { }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CPoint TopLeft() const { return CPoint(left, top); }
    operator LPRECT() { return this; }
};

class CWnd
{
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd &) = delete;
    CWnd &operator=(const CWnd &) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    static CWnd *FromHandlePermanent(HWND hwnd);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    void UpdateWindow();
    BOOL RedrawWindow(const RECT *update = nullptr, void *region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW);
    BOOL EnableToolTips(BOOL enable = TRUE);
    HICON SetIcon(HICON icon, BOOL bigIcon);
    BOOL DestroyWindow();

    // The frame calls these around a modal dialog of the application.
    virtual void BeginModalState();
    virtual void EndModalState();

    // Not MFC: the Qt widget behind the window.
    QWidget *widget() const { return m_widget; }

    HWND m_hWnd = nullptr;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnSize(UINT type, int cx, int cy);
    // Creates the Qt widget behind the window: a child of parent, or a top-level tool window
    // over parent.
    void createWindow(QWidget *parent, bool topLevel);
    void attachWidget(QWidget *widget);

private:
    friend class CFrameWnd;
    friend LRESULT standinWindowProc(HWND, UINT, WPARAM, LPARAM);
    QPointer<QWidget> m_widget;
};

class CFrameWnd : public CWnd
{
public:
    void ShowControlBar(CControlBar *bar, BOOL show, BOOL delay);
    void FloatControlBar(CControlBar *bar, CPoint point, DWORD style = 0);
    void BeginModalState() override;
    void EndModalState() override;
    BOOL InModalState() const { return m_modalDepth > 0; }

protected:
    CFrameWnd() = default;

private:
    int m_modalDepth = 0;
};

class CMDIFrameWnd : public CFrameWnd
{ };

class CMiniDockFrameWnd : public CFrameWnd
{
public:
    static CRuntimeClass classCMiniDockFrameWnd;
};

class CControlBar : public CWnd
{
public:
    CControlBar();
    ~CControlBar() override;

    // The floating frame while the bar floats, else the frame it was created in.
    CFrameWnd *GetDockingFrame() const;
    BOOL IsFloating() const { return m_floatingFrame != nullptr; }
    BOOL IsVisible() const { return IsWindowVisible(); }
    void EnableDocking(DWORD style) { m_dockStyle = style; }
    DWORD GetEnabledAlignment() const { return m_dockStyle; }

protected:
    CFrameWnd *m_pDockSite = nullptr;

private:
    friend class CFrameWnd;
    DWORD m_dockStyle = 0;
    std::unique_ptr<CFrameWnd> m_floatingFrame;
};
