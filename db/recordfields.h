#pragma once

#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

// Reading one column of a query row into a record field: the field changes only when the row
// has the column and its value converts; NULL reads as 0, 0.0 or the empty string.
namespace Sorven::DB::Fields {

bool read(const QSqlRecord &row, const QString &column, qint64 &field);
bool read(const QSqlRecord &row, const QString &column, int &field);
bool read(const QSqlRecord &row, const QString &column, double &field);
bool read(const QSqlRecord &row, const QString &column, bool &field);
bool read(const QSqlRecord &row, const QString &column, QString &field);

// Appends the ten columns PREFIX0 … PREFIX9, an empty string for each absent one.
void readTen(const QSqlRecord &row, const QString &prefix, QStringList &fields);

// Reads MOOD, keeping only the mood numbers 1 to 6.
void readMood(const QSqlRecord &row, int &mood);

// The entry at index, or the empty string outside the list.
QString at(const QStringList &list, int index);

} // namespace Sorven::DB::Fields
