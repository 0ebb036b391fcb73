#pragma once

#include "palette/palettemodel.h"

#include <QUndoCommand>

#include <functional>

namespace Sorven {

// One gesture's change of My Palette, as the stored palette before and after it. Undo and redo
// hand the one or the other to restore; destroying the command changes nothing.
class PaletteChange : public QUndoCommand
{
public:
    using Restore = std::function<void(const PaletteModel &)>;

    // The gesture has made the change already, so the first redo, which the stack runs when
    // the command is pushed, leaves the palette alone.
    PaletteChange(Restore restore, const PaletteModel &before, const PaletteModel &after);

    void undo() override;
    void redo() override;

private:
    Restore m_restore;
    PaletteModel m_before;
    PaletteModel m_after;
    bool m_pushed = false;
};

} // namespace Sorven
