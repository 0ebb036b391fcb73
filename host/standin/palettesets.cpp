#include <aduiPaletteSet.h>

#include <QWidget>

namespace {

// The palette set draws its title bar as a strip on one side and a border at the bottom; the
// rest is client area.
const int TitleBarWidth = 10;
const int BorderWidth = 10;

} // namespace

void InitAcUiDLL() { }

CRuntimeClass CAdUiPaletteSetDockFrame::classCAdUiPaletteSetDockFrame {
    "CAdUiPaletteSetDockFrame", []() -> CFrameWnd * { return new CAdUiPaletteSetDockFrame; }};

BOOL CAdUiDockControlBar::RestoreControlBar(UINT, CRect *rect)
{
    if (rect)
        InitFloatingPosition(rect);
    return TRUE;
}

void CAdUiDockControlBar::GetFloatingRect(CRect *rect) const
{
    if (rect)
        *rect = m_floatingRect;
}

void CAdUiDockControlBar::InitFloatingPosition(CRect *rect)
{
    if (rect)
        m_floatingRect = *rect;
}

CAdUiPaletteSet::CAdUiPaletteSet() = default;

CAdUiPaletteSet::~CAdUiPaletteSet() = default;

BOOL CAdUiPaletteSet::Create(const wchar_t *name, DWORD, const RECT &rect, CWnd *parent, DWORD)
{
    if (widget() || !parent || !parent->widget())
        return FALSE;
    m_pDockSite = dynamic_cast<CFrameWnd *>(parent);
    createWindow(parent->widget(), false);
    widget()->hide();
    widget()->setBackgroundRole(QPalette::Dark);
    widget()->setAutoFillBackground(true);
    SetTitleBarLocation(m_titleBarLocation);
    widget()->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    SetName(name);
    return TRUE;
}

BOOL CAdUiPaletteSet::SetName(const wchar_t *name)
{
    if (!widget())
        return FALSE;
    const QString caption = QString::fromWCharArray(name);
    widget()->setWindowTitle(caption);
    if (IsFloating())
        widget()->window()->setWindowTitle(caption);
    return TRUE;
}

BOOL CAdUiPaletteSet::SetOpacity(int opacity)
{
    m_opacity = qBound(0, opacity, 100);
    return TRUE;
}

void CAdUiPaletteSet::SetTitleBarLocation(int location)
{
    m_titleBarLocation = location;
    if (!widget())
        return;
    const bool right = location == TitleBarRight;
    widget()->setContentsMargins(right ? 0 : TitleBarWidth, 0, right ? TitleBarWidth : 0,
                                 BorderWidth);
}

BOOL CAdUiPaletteSet::RollOut(bool)
{
    return widget() != nullptr;
}

void CAdUiPaletteSet::OnSize(UINT type, int cx, int cy)
{
    CAdUiDockControlBar::OnSize(type, cx, cy);
}
