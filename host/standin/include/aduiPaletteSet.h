#pragma once

// The palette windows of the CAD program's user-interface extension library, on Qt.
#include <adui.h>
#include <afxwin.h>

#include <QUuid>

class QString;

#define PSS_AUTO_ROLLUP 0x02
#define PSS_PROPERTIES_MENU 0x04
#define PSS_CLOSE_BUTTON 0x20
#define CBRS_ALIGN_ANY 0xF000
#define CBRS_SIZE_DYNAMIC 0x2000

// The frame class that floating control bars get from now on; answers the previous one.
CRuntimeClass *AdUiSetFloatingFrameClass(CRuntimeClass *frameClass);

class CAdUiDockControlBar : public CControlBar
{
public:
    BOOL RestoreControlBar(UINT dockBarId = 0, CRect *rect = nullptr);
    void GetFloatingRect(CRect *rect) const;
    void InitFloatingPosition(CRect *rect);

private:
    CRect m_floatingRect {100, 100, 100, 100};
};

class CAdUiPaletteSet : public CAdUiDockControlBar
{
public:
    enum { TitleBarLeft = 0, TitleBarRight = 1 };

    CAdUiPaletteSet();
    ~CAdUiPaletteSet() override;

    BOOL Create(const wchar_t *name, DWORD style, const RECT &rect, CWnd *parent,
                DWORD paletteSetStyle);
    BOOL SetName(const wchar_t *name);
    void SetToolID(const QUuid &id) { m_toolId = id; }
    QUuid GetToolID() const { return m_toolId; }
    BOOL SetOpacity(int opacity);
    int GetOpacity() const { return m_opacity; }
    void SetAutoRollup(BOOL autoRollup) { m_autoRollup = autoRollup; }
    int GetTitleBarLocation() const { return m_titleBarLocation; }
    void SetTitleBarLocation(int location);
    BOOL RollOut(bool delay = false);

    // Asked before the framework moves the keyboard focus out of the palette, for instance
    // to the command line when the user types.
    virtual BOOL CanFrameworkTakeFocus() { return TRUE; }

protected:
    void OnSize(UINT type, int cx, int cy) override;

private:
    QUuid m_toolId;
    int m_opacity = 100;
    BOOL m_autoRollup = TRUE;
    int m_titleBarLocation = TitleBarLeft;
};

// The floating frame that holds a palette set; it draws no caption of its own.
class CAdUiPaletteSetDockFrame : public CMiniDockFrameWnd
{
public:
    static CRuntimeClass classCAdUiPaletteSetDockFrame;
};
