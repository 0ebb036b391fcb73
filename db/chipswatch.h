#pragma once

#include "db/labsample.h"

#include <QColor>
#include <QString>
#include <QUuid>
#include <QVector>

namespace Sorven::DB {

// A chip as a list of nearest chips shows it: its colour values, its code and the page that
// leads to it.
struct ChipSwatch
{
    LabSample lab;
    qint64 pageId = -1;
    QString code;
    // Invalid when the stored channels lie outside 0..255.
    QColor color;
};

// Every chip of the collection, in the order loadLabSamples delivers them.
int loadChipSwatches(const QUuid &uuid, QVector<ChipSwatch> &swatches);

} // namespace Sorven::DB
