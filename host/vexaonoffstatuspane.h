#pragma once

#include <AcStatusBar.h>

class VexaPaletteSet;

// The icon pane in the host's status bar that shows and hides the palette with one click.
class VexaOnOffStatusPane : public AcPane
{
public:
    enum Style { HiddenStyle = 2, ShownStyle = 8 };

    explicit VexaOnOffStatusPane(VexaPaletteSet *paletteSet);
    ~VexaOnOffStatusPane() override;

    void OnLButtonDown(UINT flags, CPoint point) override;

private:
    VexaPaletteSet *m_paletteSet;
};
