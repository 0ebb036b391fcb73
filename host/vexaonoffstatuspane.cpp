#include "host/vexaonoffstatuspane.h"

#include "host/vexapaletteset.h"

#include <acdocman.h>
#include <aced.h>

VexaOnOffStatusPane::VexaOnOffStatusPane(VexaPaletteSet *paletteSet) : m_paletteSet(paletteSet) { }

VexaOnOffStatusPane::~VexaOnOffStatusPane() = default;

void VexaOnOffStatusPane::OnLButtonDown(UINT, CPoint)
{
    // Without a drawing the palette has nothing to work on, and the document reactor keeps it
    // hidden; while a command runs in the drawing the host takes no other work.
    AcApDocManager *documents = acDocManagerPtr();
    const AcApDocument *document = documents ? documents->curDocument() : nullptr;
    if (!m_paletteSet || !document || !document->isQuiescent())
        return;
    const bool show = !m_paletteSet->IsWindowVisible();
    acedGetAcadFrame()->ShowControlBar(m_paletteSet, show, FALSE);
    SetStyle(show ? ShownStyle : HiddenStyle);
}
