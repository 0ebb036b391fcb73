#pragma once

#include "palette/colorscience.h"

#include <optional>

class QString;

// Bringing L*a*b* values measured under another illuminant or observer to the palette's D65
// and 2° observer, by the Bradford transform.
namespace Sorven {

// The white of a standard illuminant for an observer, by the names measurement files use
// ("D50", "2_Degree"); none for an illuminant or observer without a tabulated white.
std::optional<XyzColor> standardWhitePoint(const QString &illuminant, const QString &observer);

// lab, relative to the white from, as it appears relative to the white to.
LabColor adaptedLab(const LabColor &lab, const XyzColor &from, const XyzColor &to);

} // namespace Sorven
