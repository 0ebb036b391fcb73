#pragma once

#include "palette/colorbookexport.h"
#include "palette/palettemodel.h"

class QWidget;

namespace Sorven {

// The schedule button's whole task: asks for a PDF file, starting in the documents folder, and
// writes the palette's colour schedule there, headed in the selected collection's texts; a file
// that cannot be written is reported in a message box. Answers whether a schedule was written.
bool exportColorSchedule(const PaletteModel &palette, QWidget *parent,
                         const ColorBookFileDialog &dialog = {});

} // namespace Sorven
