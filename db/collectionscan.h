#pragma once

#include "db/labsample.h"
#include "db/phraseindex.h"

#include <QStringList>
#include <QVector>

#include <optional>

namespace Sorven::DB {

// What the background read of a collection gives the search field and colour matching.
struct CollectionScan
{
    // Empty when its statement failed or the read was cancelled part-way.
    std::optional<PhraseIndex> phrases;
    // The searched page names, chip names and codes, each once, sorted ignoring case.
    QStringList completion;
    QVector<LabSample> colors;
};

} // namespace Sorven::DB
