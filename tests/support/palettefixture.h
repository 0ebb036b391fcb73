#pragma once

#include "db/itemindex.h"

#include <QColor>
#include <QString>
#include <QUuid>

// Two collections in two database files, "Harbour" and "Quay". Their numeric collection IDs and
// their row IDs coincide, so a chip looked up in the wrong collection finds another chip.
struct PaletteFixtureChip
{
    QUuid collection;
    qint64 pageId = -1;
    qint64 rowId = -1;
    int pageIndex = -1;
    int rowIndex = -1;
    QString code;
    QColor color;

    Sorven::DB::ItemIndex index() const { return {collection, pageId, rowId}; }
};

struct PaletteFixture
{
    static inline const QUuid Harbour {QStringLiteral("{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}")};
    static inline const QUuid Quay {QStringLiteral("{a1b2c3d4-e5f6-4a7b-8c9d-0e1f2a3b4c5d}")};

    // Writes both files and starts the database layer on them. Harbour names its colour book
    // entries with product codes; its red chip has the products "S1" and "M2", Quay's chip
    // with the same row ID has "QX".
    PaletteFixture();

    // Page 3 of Harbour: "H-101" red with the name "Coral Red", "H-102" blue, "h-103" grey.
    PaletteFixtureChip harbourRed, harbourBlue, harbourGrey;
    // Page 1 of Quay: "Q-7" green, and "Q-8" in exactly Harbour's red.
    PaletteFixtureChip quayGreen, quayRed;
};
