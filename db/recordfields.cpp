#include "db/recordfields.h"

#include "db/displaytext.h"

namespace Sorven::DB::Fields {

static const QVariant *columnValue(const Row &row, const QString &column, QVariant &buffer)
{
    const int index = row.columns.indexOf(column);
    if (index < 0)
        return nullptr;
    buffer = row.record.value(index);
    return &buffer;
}

template<typename Integer>
static bool readInteger(const Row &row, const QString &column, Integer &field)
{
    QVariant buffer;
    const QVariant *value = columnValue(row, column, buffer);
    if (!value)
        return false;
    if (value->isNull()) {
        field = 0;
        return true;
    }
    bool ok = false;
    const qlonglong number = value->toLongLong(&ok);
    if (ok)
        field = static_cast<Integer>(number);
    return ok;
}

bool read(const Row &row, const QString &column, qint64 &field)
{
    return readInteger(row, column, field);
}

bool read(const Row &row, const QString &column, int &field)
{
    return readInteger(row, column, field);
}

bool read(const Row &row, const QString &column, bool &field)
{
    qint64 number = 0;
    if (!readInteger(row, column, number))
        return false;
    field = number != 0;
    return true;
}

bool read(const Row &row, const QString &column, double &field)
{
    QVariant buffer;
    const QVariant *value = columnValue(row, column, buffer);
    if (!value)
        return false;
    bool ok = true;
    const double number = value->isNull() ? 0.0 : value->toDouble(&ok);
    if (ok)
        field = number;
    return ok;
}

bool read(const Row &row, const QString &column, QString &field)
{
    QVariant buffer;
    const QVariant *value = columnValue(row, column, buffer);
    if (!value)
        return false;
    if (value->isNull()) {
        field.clear();
        return true;
    }
    if (!value->canConvert<QString>())
        return false;
    field = boundedDisplayText(value->toString());
    return true;
}

static void readTen(const Row &row, const QStringList &columns, QStringList &fields)
{
    for (const QString &column : columns) {
        QString text;
        read(row, column, text);
        fields.append(text);
    }
}

void readNames(const Row &row, QStringList &fields)
{
    static const QStringList columns = {"NAME0", "NAME1", "NAME2", "NAME3", "NAME4",
                                        "NAME5", "NAME6", "NAME7", "NAME8", "NAME9"};
    readTen(row, columns, fields);
}

void readExtras(const Row &row, QStringList &fields)
{
    static const QStringList columns = {"EXTRA0", "EXTRA1", "EXTRA2", "EXTRA3", "EXTRA4",
                                        "EXTRA5", "EXTRA6", "EXTRA7", "EXTRA8", "EXTRA9"};
    readTen(row, columns, fields);
}

void readMood(const Row &row, int &mood)
{
    int value = 0;
    if (read(row, QStringLiteral("MOOD"), value) && value >= 1 && value <= 6)
        mood = value;
}

QString at(const QStringList &list, int index)
{
    return index >= 0 && index < list.size() ? list.at(index) : QString();
}

} // namespace Sorven::DB::Fields
