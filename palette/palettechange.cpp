#include "palette/palettechange.h"

namespace Sorven {

PaletteChange::PaletteChange(Restore restore, const PaletteModel &before, const PaletteModel &after)
    : m_restore(std::move(restore)), m_before(before), m_after(after)
{ }

void PaletteChange::undo()
{
    m_restore(m_before);
}

void PaletteChange::redo()
{
    if (m_pushed)
        m_restore(m_after);
    m_pushed = true;
}

} // namespace Sorven
