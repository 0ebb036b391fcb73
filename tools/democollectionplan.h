#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

namespace Sorven::Demo {

enum class DemoCardType { Normal, Polvaron };

// Where the colours are used, which decides the textures they are shown on.
enum class DemoSurface { Interior, Exterior, Powder };

// The kinds of fan-deck page a demo collection is made of: how light, how colourful.
enum class DemoFamily {
    Offwhite,
    LightNeutral,
    DarkNeutral,
    Pastel,
    Muted,
    Dusty,
    Medium,
    Clear,
    Bright,
    Vivid,
    Deep,
    Rich,
    Earthy,
};

// Everything that makes one demo collection differ from another.
struct DemoCollectionPlan
{
    QUuid uuid;
    QString systemId;
    QString name;
    QString fileName;
    QString codePrefix;
    int order = 1;
    DemoCardType cardType = DemoCardType::Normal;
    DemoSurface surface = DemoSurface::Interior;
    QString cardMode;
    int chipCount = 0;
    int minPageChips = 5;
    int maxPageChips = 8;
    // Chips per scheme row in the row-to-row scheme table.
    int schemeRowChips = 3;
    int maxChipsOnAPage = 8;
    // The pages of every hue segment, repeated until the segment is full.
    QList<DemoFamily> families;
    QList<DemoFamily> exteriorFamilies;
    double madeToOrderShare = 0.0;
    int capsurePriority = 999;
    bool listsProducts = true;
    QStringList tabOrder;
    quint64 seed = 1;
};

} // namespace Sorven::Demo
