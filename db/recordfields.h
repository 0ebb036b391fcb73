#pragma once

#include "db/columnlayout.h"

#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

// Reading one column of a query row into a record field: the field changes only when the row
// has the column and its value converts; NULL reads as 0, 0.0 or the empty string.
namespace Sorven::DB::Fields {

struct Row
{
    const QSqlRecord &record;
    const ColumnLayout &columns;
};

bool read(const Row &row, const QString &column, qint64 &field);
bool read(const Row &row, const QString &column, int &field);
bool read(const Row &row, const QString &column, double &field);
bool read(const Row &row, const QString &column, bool &field);
bool read(const Row &row, const QString &column, QString &field);

// Appends the ten columns PREFIX0 … PREFIX9 ("NAME" or "EXTRA"), an empty string for each
// absent one.
void readNames(const Row &row, QStringList &fields);
void readExtras(const Row &row, QStringList &fields);

// Reads MOOD, keeping only the mood numbers 1 to 6.
void readMood(const Row &row, int &mood);

// The entry at index, or the empty string outside the list.
QString at(const QStringList &list, int index);

} // namespace Sorven::DB::Fields
