#pragma once

#include "db/collectionscan.h"
#include "db/colorentry.h"
#include "db/labsample.h"

#include <QColor>
#include <QFuture>
#include <QStringList>
#include <QUuid>
#include <QVector>

#include <atomic>

// Finding chips by what a user types or a capture device measured.
namespace Sorven::DB {

// Which of the ten NAMEn or EXTRAn columns are searched or shown, in order, for the collection
// last given to loadNameOrders. Only the numbers 0 to 9 name a column.
const QVector<qint64> &pageNameSearchOrder();
const QVector<qint64> &pageNameDisplayOrder();
const QVector<qint64> &pageExtraDisplayOrder();
const QVector<qint64> &rowNameSearchOrder();
const QVector<qint64> &rowNameDisplayOrder();
const QVector<qint64> &rowExtraDisplayOrder();

// The numbers of a name order that name one of the ten columns, in order.
QVector<int> nameColumns(const QVector<qint64> &order);

// Replaces all six lists; they stay empty when the collection cannot be connected.
void loadNameOrders(const QUuid &uuid);

// The searchable names and codes of the collection for the search field's completion.
int completionEntries(const QUuid &uuid, QStringList &entries);
// The same entries from the collection's background scan, so that a collection change need not
// wait for them; a collection that cannot be read gives none. The list holds the names of pages
// that have chips only.
QFuture<QStringList> completionEntriesLater(const QUuid &uuid);

// Returns when every read left for a worker thread has finished.
void waitForLaterReads();

// The statements of a collection's background reads under the name orders in force. They are
// composed on the calling thread, where the name orders and the collection registry live.
ScanStatements collectionScanStatements(const QUuid &uuid);
// Each runs its statements on a connection of the calling thread's own to the file at path;
// once cancelled is set it stops and gives nothing.
CollectionScan scanPhrases(const QString &path, const ScanStatements &statements,
                           const std::atomic_bool &cancelled);
QVector<LabSample> scanColors(const QString &path, const QString &sql,
                              const std::atomic_bool &cancelled);

// Finds the first page whose name, or chip whose name or code, equals the phrase, ignoring
// ASCII case. A page match leaves rowIndex at -1. The first search in a collection waits for its
// background scan, whose index of the searched texts serves later searches.
int findPhrase(const QUuid &uuid, const QString &phrase, int &pageIndex, int &rowIndex,
               int &segment, int &mood, bool &exterior);
// Starts that scan, so that the first search need not wait for it.
void preparePhraseSearch(const QUuid &uuid);

// The collections of the system-wide file that take part in measured-colour matching, best
// priority first.
int capsureCollectionIds(QVector<qint64> &ids);
// The chips of those collections whose name or code equals nameOrCode, best priority first.
int capsureCandidates(const QString &nameOrCode, QVector<ColorEntry> &entries);

// The same for the file that holds the collection fileOf, with each collection's priority.
struct CapsurePriority
{
    qint64 collectionId = -1;
    int priority = 999;
};
int capsureCollectionPriorities(const QUuid &fileOf, QVector<CapsurePriority> &priorities);
int capsureCandidatesInFile(const QUuid &fileOf, const QString &nameOrCode,
                            QVector<ColorEntry> &entries);

int loadLabSamples(const QUuid &uuid, QVector<LabSample> &samples);
// The same chips from the collection's background scan, as completionEntriesLater.
QFuture<QVector<LabSample>> loadLabSamplesLater(const QUuid &uuid);

// Chips of any enabled collection in the file that holds the system-wide collection.
int findEntryByColor(const QColor &color, ColorEntry &entry);
int findEntryByCode(const QString &code, ColorEntry &entry);

} // namespace Sorven::DB
