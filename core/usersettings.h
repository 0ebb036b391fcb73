#pragma once

#include "core/enumerations.h"
#include "db/itemindex.h"
#include "palette/palettemodel.h"

#include <QPoint>
#include <QString>
#include <QUuid>

#include <functional>

// The per-user settings: the collection in use, the position in every collection, My Palette
// and the open trend groups. Free functions in Sorven::UserSettings on the user's INI file; no
// settings object lives between calls. Getters read the file again whenever its size or
// modification time has changed since they last read it, so a change another program makes is
// seen at the next read. Getters never fail: absent or unreadable values give the defaults below.
//
// My Palette and the process identifier are on disk when their setter returns. The navigation
// keys (the collection in use, the position in a collection, the open trend groups) change with
// every click, so they are read back at once but reach the disk together, within a second of the
// first change, on sync(), at the next write that is synced at once, or when the application
// exits.
namespace Sorven::UserSettings {

// The store is the INI file of organisation "Orvo Kalin" and application "Vexa Plugin", followed
// by "." and the host name when there is one. Set before any other call; navigation keys still
// waiting are written to the store they were set in first.
void setHostName(const QString &hostName);
// Writes the navigation keys still waiting; for tear-down, before the code may be unloaded.
void sync();

enum class WriteProblem { DiskFull, ReadOnly, Other };

// A write that left the file as it was: what stood in the way, the file, and the system's words.
struct WriteFailure
{
    WriteProblem problem = WriteProblem::Other;
    QString path;
    QString detail;
};

// Called with the session's first failed write, at once or when the handler is set after it;
// later failures are not told again. The values set stay in memory for the session, and every
// later write tries them again. Pass an empty handler before the receiver goes away.
void setWriteFailureHandler(std::function<void(const WriteFailure &)> handler);

// Cached after the first read; the store is not read again while a collection is cached.
QUuid lastUsedCollection();
void setLastUsedCollection(const QUuid &uuid);

qint64 hostApplicationPid();
void setHostApplicationPid(qint64 pid);

// The position inside one collection; every collection keeps its own.
int segmentIndex(const QUuid &uuid);
void setSegmentIndex(const QUuid &uuid, int segment);
Mood moodFilter(const QUuid &uuid);
void setMoodFilter(const QUuid &uuid, Mood mood);
bool exteriorColors(const QUuid &uuid);
void setExteriorColors(const QUuid &uuid, bool exterior);
bool showMto(const QUuid &uuid);
void setShowMto(const QUuid &uuid, bool show);
int pageIndex(const QUuid &uuid);
void setPageIndex(const QUuid &uuid, int pageIndex);
int rowIndex(const QUuid &uuid);
void setRowIndex(const QUuid &uuid, int rowIndex);
// NoTabBarPage when no single page has been chosen.
TabBarPage tabPageIndex(const QUuid &uuid);
void setTabPageIndex(const QUuid &uuid, TabBarPage page);
// NoScheme when no scheme has been chosen.
SchemeKind schemeKind(const QUuid &uuid);
void setSchemeKind(const QUuid &uuid, SchemeKind kind);
// One of the tonal, complementary and natural neutral schemes; tonal unless another is stored.
SchemeKind schemeNeutralSubKind(const QUuid &uuid);
void setSchemeNeutralSubKind(const QUuid &uuid, SchemeKind kind);
bool trendoraGroupOpenState(const QUuid &uuid, qint64 groupId, bool defaultOpen);
void setTrendoraGroupOpenState(const QUuid &uuid, qint64 groupId, bool open);

// My Palette, shared by all collections; a cell is (column, row).
DB::ItemIndex myPaletteEntry(const QPoint &cell);
// An index that refers to no chip empties the cell.
void setMyPaletteEntry(const QPoint &cell, const DB::ItemIndex &index);
// Every cell's entry and the description, chips that no longer load included.
PaletteModel myPalette();
// All 24 cells and the description in one write: killed part-way, the stored palette is the old
// one or the new one, never a mix.
void setMyPalette(const PaletteModel &palette);
bool myPaletteSelected(const QPoint &cell);
void setMyPaletteSelected(const QPoint &cell, bool selected);
bool myPaletteGridVisible();
void setMyPaletteGridVisible(bool visible);
bool myPaletteSaveAsText();
void setMyPaletteSaveFileFormat(PaletteFileFormat format);
QString myPaletteLastSavePath();
void setMyPaletteLastSavePath(const QString &path);
QString myPaletteDescription();
void setMyPaletteDescription(const QString &description);
// A grey level 0 to 255.
int myPaletteFullBackgroundColor();
void setMyPaletteFullBackgroundColor(int grey);

} // namespace Sorven::UserSettings
