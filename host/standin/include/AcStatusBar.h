#pragma once

// The application status bar and its panes.
#include <afxwin.h>

class AcStatusBarItem
{
public:
    AcStatusBarItem() = default;
    virtual ~AcStatusBarItem();
    AcStatusBarItem(const AcStatusBarItem &) = delete;
    AcStatusBarItem &operator=(const AcStatusBarItem &) = delete;

    BOOL SetIcon(HICON icon);
    HICON GetIcon() const { return m_icon; }
    void SetVisible(BOOL visible);
    BOOL IsVisible() const { return m_visible; }
    BOOL Enable(BOOL enable);
    BOOL IsEnabled() const { return m_enabled; }

    // Called by the status bar when the user presses the left button on the item.
    virtual void OnLButtonDown(UINT flags, CPoint point);

private:
    void changed();

    HICON m_icon = nullptr;
    BOOL m_visible = FALSE;
    BOOL m_enabled = FALSE;
};

class AcPane : public AcStatusBarItem
{
public:
    enum { kPaneNoBorders = 1, kPanePopOut = 2, kPaneDisabled = 4, kPaneStretch = 8 };

    BOOL SetStyle(int style);
    int GetStyle() const { return m_style; }

private:
    int m_style = 0;
};

class AcApStatusBar
{
public:
    BOOL Add(AcPane *pane);
    BOOL Remove(AcPane *pane);
    int GetPaneCount() const;
    AcPane *GetPane(int index) const;
};

AcApStatusBar *acedGetApplicationStatusBar();
