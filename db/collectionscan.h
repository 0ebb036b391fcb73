#pragma once

#include "db/phraseindex.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace Sorven::DB {

// The statements of a collection's background reads: its pages with their searched names, its
// chips with theirs, and its colours.
struct ScanStatements
{
    QString pages;
    QString chips;
    QString colors;

    friend bool operator==(const ScanStatements &, const ScanStatements &) = default;
};

// What the background read of a collection's searched texts gives the search field.
struct CollectionScan
{
    // Empty when its statement failed or the read was cancelled part-way.
    std::optional<PhraseIndex> phrases;
    // The searched page names, chip names and codes, each once ignoring case, sorted so.
    QStringList completion;
};

} // namespace Sorven::DB
