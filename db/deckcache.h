#pragma once

#include "db/colorpage.h"

#include <QHash>
#include <QUuid>

#include <array>
#include <utility>

namespace Sorven::DB {

// The previous, current and next page around a page of one collection's deck, remembered
// between calls: the card roller asks for the same three pages on every paint, and after a roll
// two of them are pages it has read before. It goes with its open collection when the file
// changes; the neighbours depend on the filters and are forgotten when they change.
class DeckCache
{
public:
    enum Card { Previous = 0, Current = 1, Next = 2 };

    // 0 with the pages in Card order, or the database layer's code of the first failed read.
    int load(const QUuid &uuid, int pageIndex, int mood, bool exterior,
             std::array<ColorPage, 3> &pages);

private:
    int page(int pageIndex, ColorPage &page);
    int neighbour(int pageIndex, bool backwards, ColorPage &page);

    QUuid m_uuid;
    int m_mood = 0;
    bool m_exterior = false;
    QHash<int, ColorPage> m_pages;
    // (page index, backwards) to the page index a walk from it reaches under the filters.
    QHash<std::pair<int, bool>, int> m_neighbours;
};

} // namespace Sorven::DB
