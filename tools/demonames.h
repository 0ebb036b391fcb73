#pragma once

#include "tools/democollectionplan.h"

#include <QString>

namespace Sorven::Demo {

class DemoRandom;

// Word lists that give the demo chips and pages names a user would recognise from a fan deck.
QString segmentName(int segment);
QString familyLabel(DemoFamily family);
// A chip name such as "Harbour Sage": a word for its lightness and one for its hue family.
QString chipName(DemoFamily family, int segment, double lightness, DemoRandom &random);
// A plain description such as "Pale Teal" or "Warm Grey".
QString chipDescription(DemoFamily family, int segment, double lightness);

} // namespace Sorven::Demo
