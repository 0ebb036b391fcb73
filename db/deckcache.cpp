#include "db/deckcache.h"

#include "db/collectionqueries.h"
#include "db/connections.h"

namespace Sorven::DB {

namespace {

// Enough for a long roll back and forth; beyond it, starting afresh costs one paint's reads.
constexpr qsizetype MaximumPages = 64;

} // namespace

int DeckCache::load(const QUuid &uuid, int pageIndex, int mood, bool exterior,
                    std::array<ColorPage, 3> &pages)
{
    if (uuid != m_uuid || m_pages.size() > MaximumPages) {
        m_uuid = uuid;
        m_pages.clear();
        m_neighbours.clear();
    }
    if (mood != m_mood || exterior != m_exterior) {
        m_mood = mood;
        m_exterior = exterior;
        m_neighbours.clear();
    }
    std::array<ColorPage, 3> loaded;
    int result = page(pageIndex, loaded[Current]);
    if (result == Success)
        result = neighbour(loaded[Current].pageIndex, false, loaded[Next]);
    if (result == Success)
        result = neighbour(loaded[Current].pageIndex, true, loaded[Previous]);
    if (result == Success)
        pages = std::move(loaded);
    return result;
}

int DeckCache::page(int pageIndex, ColorPage &page)
{
    if (const auto known = m_pages.constFind(pageIndex); known != m_pages.cend()) {
        page = *known;
        return Success;
    }
    const int result = loadPage(m_uuid, pageIndex, page);
    if (result == Success)
        m_pages.insert(pageIndex, page);
    return result;
}

int DeckCache::neighbour(int pageIndex, bool backwards, ColorPage &page)
{
    const std::pair key {pageIndex, backwards};
    if (const auto known = m_neighbours.constFind(key); known != m_neighbours.cend())
        return this->page(*known, page);
    const int result = loadAdjacentPage(m_uuid, pageIndex, backwards, m_mood, m_exterior, page);
    if (result != Success)
        return result;
    m_neighbours.insert(key, page.pageIndex);
    m_pages.insert(page.pageIndex, page);
    return Success;
}

} // namespace Sorven::DB
