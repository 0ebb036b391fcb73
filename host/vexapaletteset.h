#pragma once

#include <acdocman.h>
#include <aduiPaletteSet.h>

#include <QPointer>

#include <memory>

class VexaMainWidgetBridge;
class VexaOnOffStatusPane;

// The floating palette window of fixed size that hosts the widget bridge. It follows the
// host's drawings, hands the keyboard to the palette's edit boxes while they have the focus,
// and keeps still while the host shows a modal dialog.
class VexaPaletteSet : public CAdUiPaletteSet, public AcApDocManagerReactor
{
public:
    VexaPaletteSet();
    ~VexaPaletteSet() override;

    // Creates the window, the bridge with the palette surface and the status-bar pane.
    void createPaletteWindow();
    bool isCreated() const { return m_created; }

    void BeginModalState() override;
    void EndModalState() override;
    BOOL CanFrameworkTakeFocus() override;

    void documentCreated(AcApDocument *document) override;
    void documentToBeDestroyed(AcApDocument *document) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    void createBridge();
    void destroyBridge();
    void repaintTitleBar();
    void floatAtFixedSize(CMDIFrameWnd *frame);
    void fixFloatingFrameSize();
    void restoreFloatingFrame();
    void addStatusPane();
    void removeStatusPane();

    bool m_visibleWhenLastDocumentClosed = false;
    bool m_editBoxHasFocus = false;
    std::unique_ptr<VexaOnOffStatusPane> m_pane;
    bool m_created = false;
    QPointer<VexaMainWidgetBridge> m_bridge;
};

// The palette's 16 × 16 icon, shared by the window and its status-bar pane.
HICON vexaPaletteIcon();
