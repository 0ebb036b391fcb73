#pragma once

#include "db/collection.h"
#include "db/colorentry.h"
#include "db/colorpage.h"
#include "db/itemindex.h"
#include "db/texture.h"
#include "db/texturemapentry.h"
#include "db/trendoragroup.h"

#include <QHash>
#include <QList>
#include <QSharedPointer>
#include <QStringList>
#include <QUuid>
#include <QVector>

// The read operations on one collection. Every call reads the database again; results are 0 or
// a negative code of the database layer, and outputs are reset first, except that pages are
// assigned only on success.
namespace Sorven::DB {

int loadCollection(const QUuid &uuid, QSharedPointer<Collection> &collection);
int loadEntryById(const QUuid &uuid, qint64 rowId, ColorEntry &entry);
// The collection's chip with the code, ignoring ASCII case; the first in deck order when codes
// repeat.
int loadEntryByCode(const QUuid &uuid, const QString &code, ColorEntry &entry);
// The chip a stored reference names, only when the chip lies on the named page and that page
// belongs to the named collection: a reference put together from two collections names nothing.
int loadIndexedEntry(const ItemIndex &index, ColorEntry &entry);
int loadEntryAt(const QUuid &uuid, int pageIndex, int rowIndex, ColorEntry &entry);
int loadPage(const QUuid &uuid, int pageIndex, ColorPage &page);
int loadPageById(const QUuid &uuid, qint64 pageId, bool pageOnly, ColorPage &page);

// Walking by hue segment: the wanted segment if a page passes the mood and exterior filters
// there, else the next higher such segment, else the lowest one.
int findSegment(const QUuid &uuid, int segment, int mood, bool exterior, int &foundSegment);
int findFirstPageIndex(const QUuid &uuid, int segment, int mood, bool exterior, int &pageIndex);
int loadFirstPageInSegment(const QUuid &uuid, int segment, int mood, bool exterior,
                           ColorPage &page);

// Walking page by page, wrapping around at either end of the deck.
int loadAdjacentPage(const QUuid &uuid, int pageIndex, bool backwards, int mood, bool exterior,
                     ColorPage &page);

bool hasExteriorPagesWithMood(const QUuid &uuid, int mood);
// Whether the chip lies on one of the collection's pages; a file's other collections and the
// chips of no page do not count.
bool collectionHasChip(const QUuid &uuid, qint64 rowId);
int loadSegments(const QUuid &uuid, QVector<int> &segments);

bool hasComplementaryNeutralScheme(const QUuid &uuid, int pageIndex);
int loadSchemePages(const QUuid &uuid, int pageIndex, int schemeId, QList<ColorPage> &pages);
// rowPosition is 1-based in rowIndex order on the page.
int loadSchemeEntries(const QUuid &uuid, int schemeId, int pageIndex, int rowPosition,
                      QVector<ColorEntry> &entries);
int loadSchemePageEntries(const QUuid &uuid, int schemeId, int pageIndex, int rowPosition,
                          QVector<ColorEntry> &entries);
int loadContrastSchemeEntries(const QUuid &uuid, int pageIndex, int rowPosition,
                              QVector<ColorEntry> &entries);

int loadTrendGroups(const QUuid &uuid, QHash<qint64, TrendoraGroup> &groups);
int loadProductNames(const QUuid &uuid, qint64 rowId, QStringList &names);
int loadProductCodes(const QUuid &uuid, qint64 rowId, QStringList &codes);
int loadProductGroupNames(const QUuid &uuid, qint64 rowId, QStringList &names);
int loadTextures(const QUuid &uuid, QHash<qint64, Texture> &textures);
int loadTextureMap(const QUuid &uuid, qint64 pageId, QVector<TextureMapEntry> &entries);

} // namespace Sorven::DB
