#include "host/vexapaletteset.h"

#include "core/usersettings.h"
#include "db/lookups.h"
#include "host/vexamainwidgetbridge.h"
#include "host/vexamodule.h"
#include "host/vexaonoffstatuspane.h"

#include <AcStatusBar.h>
#include <aced.h>

#include <QCoreApplication>
#include <QResizeEvent>

namespace {

const DWORD PaletteWindowStyle = 0x00400000;
const DWORD PaletteSetStyle = 0x26;
const CRect PaletteRect(0, 0, 810, 610);
const UINT DockBarId = 0xE81C;
const DWORD FloatAlignment = 0x2000;
const WORD PaletteIconResource = 1000;
// Lets the host remember the palette's placement from one run to the next.
const QUuid ToolId(QStringLiteral("{6c1f3a52-0d8e-4b7a-9e51-2f4c8d7b9a13}"));

// The floating frame is subclassed so that it keeps the size it had when the palette floated.
WNDPROC s_previousFrameProcedure = nullptr;
RECT s_frameRect {};
HWND s_subclassedFrame = nullptr;

LRESULT fixedSizeFrameProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETMINMAXINFO && lParam) {
        auto *info = reinterpret_cast<MINMAXINFO *>(lParam);
        const POINT size {s_frameRect.right - s_frameRect.left,
                          s_frameRect.bottom - s_frameRect.top};
        info->ptMaxSize = size;
        info->ptMinTrackSize = size;
        info->ptMaxTrackSize = size;
        return 0;
    }
    return CallWindowProcW(s_previousFrameProcedure, hwnd, message, wParam, lParam);
}

std::wstring localeText(const char *key)
{
    return Sorven::DB::localeString(Sorven::UserSettings::lastUsedCollection(),
                                    QString::fromLatin1(key))
        .toStdWString();
}

} // namespace

HICON vexaPaletteIcon()
{
    return LoadImageW(VexaModule::instance(), MAKEINTRESOURCEW(PaletteIconResource), IMAGE_ICON, 16,
                      16, 0);
}

VexaPaletteSet::VexaPaletteSet() = default;

VexaPaletteSet::~VexaPaletteSet()
{
    removeStatusPane();
    if (AcApDocManager *documents = acDocManagerPtr())
        documents->removeReactor(this);
    restoreFloatingFrame();
    destroyBridge();
}

void VexaPaletteSet::createPaletteWindow()
{
    CMDIFrameWnd *frame = acedGetAcadFrame();
    Create(localeText("color.palette.caption").c_str(), PaletteWindowStyle, PaletteRect, frame,
           PaletteSetStyle);
    SetIcon(vexaPaletteIcon(), FALSE);
    createBridge();
    EnableDocking(0);
    SetToolID(ToolId);
    SetOpacity(100);
    SetAutoRollup(FALSE);
    SetTitleBarLocation(TitleBarRight);
    RestoreControlBar(DockBarId, nullptr);
    RollOut(false);
    repaintTitleBar();
    floatAtFixedSize(frame);
    frame->ShowControlBar(this, TRUE, FALSE);
    EnableToolTips(TRUE);
    fixFloatingFrameSize();
    addStatusPane();
    if (AcApDocManager *documents = acDocManagerPtr())
        documents->addReactor(this);
    m_created = true;
}

void VexaPaletteSet::createBridge()
{
    CRect client;
    GetClientRect(&client);
    m_bridge
        = new VexaMainWidgetBridge(this, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint);
    m_bridge->setWindowModality(Qt::NonModal);
    m_bridge->setGeometry(0, 0, client.Width(), client.Height());
    m_bridge->show();
}

// The platform's window going takes only the native windows with it; the Qt widgets would stay,
// listening to the application and pointing at this palette set.
void VexaPaletteSet::destroyBridge()
{
    if (!m_bridge)
        return;
    // A dialog's event loop still runs below us and returns into the tree, so the tree goes
    // once that loop has returned.
    if (m_bridge->closeDialogsAndDetach())
        m_bridge->deleteLater();
    else
        delete m_bridge;
}

void VexaPaletteSet::repaintTitleBar()
{
    SetTitleBarLocation(TitleBarLeft);
    UpdateWindow();
    SetTitleBarLocation(TitleBarRight);
    UpdateWindow();
}

void VexaPaletteSet::floatAtFixedSize(CMDIFrameWnd *frame)
{
    CRect rect;
    GetFloatingRect(&rect);
    rect = CRect(rect.left, rect.top, rect.left + PaletteRect.Width(),
                 rect.top + PaletteRect.Height());
    InitFloatingPosition(&rect);
    CRuntimeClass *previous = AdUiSetFloatingFrameClass(RUNTIME_CLASS(CAdUiPaletteSetDockFrame));
    frame->FloatControlBar(this, rect.TopLeft(), FloatAlignment);
    AdUiSetFloatingFrameClass(previous);
}

void VexaPaletteSet::fixFloatingFrameSize()
{
    CFrameWnd *floatingFrame = IsFloating() ? GetDockingFrame() : nullptr;
    if (!floatingFrame)
        return;
    s_subclassedFrame = floatingFrame->GetSafeHwnd();
    ::GetWindowRect(s_subclassedFrame, &s_frameRect);
    s_previousFrameProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        s_subclassedFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fixedSizeFrameProcedure)));
    ::RedrawWindow(s_subclassedFrame, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
}

void VexaPaletteSet::restoreFloatingFrame()
{
    if (!s_previousFrameProcedure)
        return;
    if (IsFloating() && GetDockingFrame()->GetSafeHwnd() == s_subclassedFrame)
        SetWindowLongPtrW(s_subclassedFrame, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(s_previousFrameProcedure));
    s_previousFrameProcedure = nullptr;
    s_subclassedFrame = nullptr;
}

void VexaPaletteSet::addStatusPane()
{
    m_pane = std::make_unique<VexaOnOffStatusPane>(this);
    m_pane->SetIcon(vexaPaletteIcon());
    m_pane->SetStyle(IsWindowVisible() ? VexaOnOffStatusPane::ShownStyle
                                       : VexaOnOffStatusPane::HiddenStyle);
    m_pane->SetVisible(TRUE);
    m_pane->Enable(TRUE);
    if (AcApStatusBar *statusBar = acedGetApplicationStatusBar())
        statusBar->Add(m_pane.get());
}

void VexaPaletteSet::removeStatusPane()
{
    AcApStatusBar *statusBar = acedGetApplicationStatusBar();
    if (!m_pane || !statusBar)
        return;
    statusBar->Remove(m_pane.get());
    m_pane.reset();
}

void VexaPaletteSet::BeginModalState()
{
    EnableWindow(FALSE);
}

void VexaPaletteSet::EndModalState()
{
    EnableWindow(TRUE);
}

BOOL VexaPaletteSet::CanFrameworkTakeFocus()
{
    return !m_editBoxHasFocus;
}

void VexaPaletteSet::documentCreated(AcApDocument *)
{
    if (acDocManagerPtr()->documentCount() == 1 && m_visibleWhenLastDocumentClosed)
        acedGetAcadFrame()->ShowControlBar(this, TRUE, FALSE);
}

void VexaPaletteSet::documentToBeDestroyed(AcApDocument *)
{
    if (acDocManagerPtr()->documentCount() > 1)
        return;
    m_visibleWhenLastDocumentClosed = IsWindowVisible();
    acedGetAcadFrame()->ShowControlBar(this, FALSE, FALSE);
}

LRESULT VexaPaletteSet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER) {
        m_editBoxHasFocus = wParam != 0;
        return 0;
    }
    return CAdUiPaletteSet::WindowProc(message, wParam, lParam);
}

void VexaPaletteSet::OnSize(UINT type, int cx, int cy)
{
    CAdUiPaletteSet::OnSize(type, cx, cy);
    if (!m_bridge)
        return;
    const QSize size(cx, cy);
    QResizeEvent event(size, size);
    QCoreApplication::sendEvent(m_bridge, &event);
}
