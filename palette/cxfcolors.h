#pragma once

#include "palette/colorscience.h"

#include <QList>
#include <QString>

#include <libxml/xpath.h>

// The colour values of a CxF3 measurement file, brought to the palette's D65 and 2° observer.
namespace Sorven {

struct MeasuredColor
{
    // The object's name; empty when it has none.
    QString name;
    LabColor lab;
};

// Every "Object" of the CxF3 core namespace (bound to the prefix "cc" in xpath) with a colour
// that can be brought to D65/2°, in document order: its first CIELab value whose measurement
// conditions name a white that is tabulated or given in the file, else its first sRGB value.
QList<MeasuredColor> measuredColors(xmlXPathContextPtr xpath);

} // namespace Sorven
