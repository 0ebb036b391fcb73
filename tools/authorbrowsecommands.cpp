#include "tools/authorbrowsecommands.h"

#include "core/enumerations.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "db/search.h"
#include "tools/authorformat.h"
#include "tools/commandarguments.h"

#include <QJsonArray>
#include <QJsonObject>

namespace Sorven::Tools {

namespace {

// The collection and the numbers a command takes, or the error that ends it.
struct Arguments
{
    QUuid collection;
    QList<int> numbers;
    QString error;
};

// A wrong option (optionError) ends the command before anything is looked up.
Arguments parse(const QStringList &arguments, int numberCount, const char *usage,
                const QString &optionError = {})
{
    if (!optionError.isEmpty())
        return {{}, {}, optionError};
    if (arguments.size() != numberCount + 1)
        return {{}, {}, QStringLiteral("usage: %1").arg(QLatin1String(usage))};
    Arguments parsed {resolveCollection(arguments.first()), {}, {}};
    if (parsed.collection.isNull())
        parsed.error = QStringLiteral("no collection %1").arg(arguments.first());
    for (const QString &text : arguments.mid(1)) {
        bool ok = false;
        parsed.numbers << text.toInt(&ok);
        if (!ok)
            parsed.error = QStringLiteral("not a number: %1").arg(text);
    }
    return parsed;
}

InspectResult pageResult(int result, const DB::ColorPage &page, const QString &what)
{
    if (result != DB::Success)
        return InspectResult::failure(QStringLiteral("%1 (result %2)").arg(what).arg(result));
    return {0, pageJson(page), pageText(page), {}};
}

InspectResult showPage(const QStringList &arguments)
{
    const char *usage = "page COLLECTION PAGE_INDEX";
    const Arguments parsed = parse(arguments, 1, usage);
    if (!parsed.error.isEmpty())
        return InspectResult::failure(parsed.error);
    DB::ColorPage page;
    const int result = DB::loadPage(parsed.collection, parsed.numbers[0], page);
    return pageResult(result, page, QStringLiteral("no page %1").arg(parsed.numbers[0]));
}

// The page filters of walk and segment: "--mood M" and "--exterior".
QList<QCommandLineOption> filterOptions()
{
    return {QCommandLineOption(QStringLiteral("mood"), {}, QStringLiteral("M"),
                               QString::number(MoodAll)),
            QCommandLineOption(QStringLiteral("exterior"))};
}

InspectResult walk(const QStringList &words)
{
    const char *usage = "walk COLLECTION PAGE_INDEX forward|backward [--mood M] [--exterior]";
    CommandArguments line(words, filterOptions());
    const int mood = line.number(QStringLiteral("mood"), MoodFresh, MoodAll);
    QStringList arguments = line.positional();
    const QString direction = arguments.isEmpty() ? QString() : arguments.takeLast();
    Arguments parsed = parse(arguments, 1, usage, line.error());
    if (direction != QLatin1String("forward") && direction != QLatin1String("backward"))
        parsed.error = QStringLiteral("usage: %1").arg(QLatin1String(usage));
    if (!parsed.error.isEmpty())
        return InspectResult::failure(parsed.error);
    DB::ColorPage page;
    const int result = DB::loadAdjacentPage(parsed.collection, parsed.numbers[0],
                                            direction == QLatin1String("backward"), mood,
                                            line.isSet(QStringLiteral("exterior")), page);
    return pageResult(result, page, QStringLiteral("no other page passes the filters"));
}

InspectResult segment(const QStringList &words)
{
    CommandArguments line(words, filterOptions());
    const int mood = line.number(QStringLiteral("mood"), MoodFresh, MoodAll);
    const Arguments parsed = parse(
        line.positional(), 1, "segment COLLECTION SEGMENT [--mood M] [--exterior]", line.error());
    if (!parsed.error.isEmpty())
        return InspectResult::failure(parsed.error);
    DB::ColorPage page;
    const int result = DB::loadFirstPageInSegment(parsed.collection, parsed.numbers[0], mood,
                                                  line.isSet(QStringLiteral("exterior")), page);
    return pageResult(result, page, QStringLiteral("no page passes the filters"));
}

InspectResult find(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return InspectResult::failure(QStringLiteral("usage: find COLLECTION PHRASE"));
    const QUuid collection = resolveCollection(arguments.first());
    if (collection.isNull())
        return InspectResult::failure(QStringLiteral("no collection %1").arg(arguments.first()));
    DB::loadNameOrders(collection);
    int pageIndex = -1, rowIndex = -1, segment = -1, mood = 0;
    bool exterior = false;
    const int result
        = DB::findPhrase(collection, arguments[1], pageIndex, rowIndex, segment, mood, exterior);
    if (result != DB::Success)
        return InspectResult::failure(QStringLiteral("no match for %1").arg(arguments[1]));
    const QString text = QStringLiteral("page %1, row %2, segment %3, mood %4%5\n")
                             .arg(pageIndex)
                             .arg(rowIndex)
                             .arg(segment)
                             .arg(mood)
                             .arg(exterior ? QStringLiteral(", exterior") : QString());
    return {0,
            QJsonObject {{"pageIndex", pageIndex},
                         {"rowIndex", rowIndex},
                         {"segment", segment},
                         {"mood", mood},
                         {"exterior", exterior}},
            text,
            {}};
}

QList<QCommandLineOption> schemeOptions()
{
    return {QCommandLineOption(QStringLiteral("kind"), {}, QStringLiteral("K"))};
}

InspectResult schemes(const QStringList &words)
{
    CommandArguments line(words, schemeOptions());
    QList<int> kinds = {1, 2, 3, 4, 5, 6, 7, 8};
    if (line.isSet(QStringLiteral("kind")))
        kinds = {line.number(QStringLiteral("kind"), HarmonicScheme, NaturalNeutralScheme)};
    const Arguments parsed
        = parse(line.positional(), 2, "schemes COLLECTION PAGE_INDEX ROW [--kind K]", line.error());
    if (!parsed.error.isEmpty())
        return InspectResult::failure(parsed.error);
    QJsonObject json;
    QString text;
    for (int kind : kinds) {
        QVector<DB::ColorEntry> chips;
        const int result = DB::loadSchemeEntries(parsed.collection, kind, parsed.numbers[0],
                                                 parsed.numbers[1], chips);
        if (result == DB::RowOutsidePage)
            return InspectResult::failure(
                QStringLiteral("row %1 is not on the page").arg(parsed.numbers[1]));
        if (result != DB::Success)
            return InspectResult::failure(QStringLiteral("no page %1").arg(parsed.numbers[0]));
        QJsonArray array;
        text += QStringLiteral("Scheme %1: %2 chips\n").arg(kind).arg(chips.size());
        for (const DB::ColorEntry &chip : chips) {
            array.append(chipJson(chip));
            text += chipLine(chip);
        }
        json.insert(QString::number(kind), array);
    }
    return {0, json, text, {}};
}

InspectResult describe(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return InspectResult::failure(QStringLiteral("usage: describe COLLECTION ROW_ID"));
    const QUuid collection = resolveCollection(arguments.first());
    if (collection.isNull())
        return InspectResult::failure(QStringLiteral("no collection %1").arg(arguments.first()));
    bool isNumber = false;
    const qint64 rowId = arguments[1].toLongLong(&isNumber);
    if (!isNumber)
        return InspectResult::failure(QStringLiteral("not a number: %1").arg(arguments[1]));
    if (!DB::collectionHasChip(collection, rowId))
        return InspectResult::failure(
            QStringLiteral("no chip %1 in %2").arg(arguments[1], arguments.first()));
    DB::loadNameOrders(collection);
    // Empty when the collection's settings show no line of the description.
    const QString description = DB::chipDescription(collection, rowId, false);
    return {0, QJsonObject {{"description", description}}, description + u'\n', {}};
}

InspectResult complete(const QStringList &arguments)
{
    if (arguments.size() != 1)
        return InspectResult::failure(QStringLiteral("usage: complete COLLECTION"));
    const QUuid collection = resolveCollection(arguments.first());
    if (collection.isNull())
        return InspectResult::failure(QStringLiteral("no collection %1").arg(arguments.first()));
    DB::loadNameOrders(collection);
    QStringList entries;
    if (DB::completionEntries(collection, entries) != DB::Success)
        return InspectResult::failure(QStringLiteral("no completion entries"));
    return {0, QJsonArray::fromStringList(entries), entries.join(u'\n') + u'\n', {}};
}

} // namespace

const QList<InspectCommand> &browseCommands()
{
    static const QList<InspectCommand> commands = {
        {"page", "page COLLECTION PAGE_INDEX", showPage},
        {"walk", "walk COLLECTION PAGE_INDEX forward|backward [--mood M] [--exterior]", walk,
         filterOptions()},
        {"segment", "segment COLLECTION SEGMENT [--mood M] [--exterior]", segment, filterOptions()},
        {"find", "find COLLECTION PHRASE", find},
        {"schemes", "schemes COLLECTION PAGE_INDEX ROW [--kind K]", schemes, schemeOptions()},
        {"describe", "describe COLLECTION ROW_ID", describe},
        {"complete", "complete COLLECTION", complete},
    };
    return commands;
}

} // namespace Sorven::Tools
