#include "tools/authorpalettecommands.h"

#include "db/collectionqueries.h"
#include "db/connections.h"
#include "palette/colorbook.h"
#include "palette/colorschedule.h"
#include "palette/palettefile.h"
#include "palette/swatchfile.h"
#include "tools/commandarguments.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTextStream>

namespace Sorven::Tools {

namespace {

const char *const PaletteUsage
    = "palette FILE [--save OUT.palette] [--text OUT.txt] [--colorbook OUT.acb] [--gpl OUT.gpl] "
      "[--ase OUT.ase] [--schedule OUT.pdf] [--collection COLLECTION]";

QJsonObject cellJson(const QPoint &cell, const DB::ItemIndex &index)
{
    DB::ColorEntry chip;
    DB::ColorPage page;
    QSharedPointer<DB::Collection> collection;
    DB::loadEntryById(index.collection, index.rowId, chip);
    DB::loadPageById(index.collection, index.pageId, true, page);
    DB::loadCollection(index.collection, collection);
    return {{"row", cell.y()},
            {"col", cell.x()},
            {"collection", index.collection.toString()},
            {"collectionName", collection ? collection->name : QString()},
            {"pageIndex", page.pageIndex},
            {"rowIndex", chip.rowIndex},
            {"code", chip.code},
            {"color", chip.color().name()}};
}

QString paletteText(const QJsonObject &palette)
{
    QString text;
    QTextStream out(&text);
    out << "description: " << palette["description"].toString() << '\n';
    for (const QJsonValue &value : palette["cells"].toArray()) {
        const QJsonObject cell = value.toObject();
        out << QStringLiteral("(%1,%2)  %3  %4  %5  page %6 row %7  %8\n")
                   .arg(cell["row"].toInt())
                   .arg(cell["col"].toInt())
                   .arg(cell["color"].toString(), cell["code"].toString(),
                        cell["collectionName"].toString())
                   .arg(cell["pageIndex"].toInt())
                   .arg(cell["rowIndex"].toInt())
                   .arg(cell["collection"].toString());
    }
    if (const int empty = palette["emptyCells"].toInt(); empty > 0)
        out << QStringLiteral("%1 cells left empty: their chips are not installed\n").arg(empty);
    for (const QJsonValue &uuid : palette["missingCollections"].toArray())
        out << "missing collection: " << uuid.toString() << '\n';
    return text;
}

// The collection whose settings name the exports' entries and whose texts head a schedule: the
// one asked for, else the first available one.
QUuid exportCollection(const QString &asked)
{
    if (!asked.isEmpty())
        return resolveCollection(asked);
    const QList<QUuid> available = DB::availableCollections();
    return available.isEmpty() ? QUuid() : available.first();
}

QString writeOutputs(const PaletteFileRead &read, const CommandArguments &line)
{
    const PaletteModel &palette = *read.palette;
    QString reason;
    const QString xml = line.value(QStringLiteral("save"));
    if (!xml.isEmpty() && !savePaletteFile(palette, PaletteXmlFile, xml, &reason))
        return QStringLiteral("%1: %2").arg(xml, reason);
    const QString text = line.value(QStringLiteral("text"));
    if (!text.isEmpty() && !savePaletteFile(palette, PaletteTextFile, text, &reason))
        return QStringLiteral("%1: %2").arg(text, reason);
    const QString book = line.value(QStringLiteral("colorbook"));
    const QString gimp = line.value(QStringLiteral("gpl"));
    const QString ase = line.value(QStringLiteral("ase"));
    const QString schedule = line.value(QStringLiteral("schedule"));
    if (book.isEmpty() && gimp.isEmpty() && ase.isEmpty() && schedule.isEmpty())
        return {};
    const QString asked = line.value(QStringLiteral("collection"));
    const QUuid collection = exportCollection(asked);
    if (collection.isNull())
        return QStringLiteral("no collection %1").arg(asked);
    if (!book.isEmpty() && !saveColorBook(palette, collection, book, &reason))
        return QStringLiteral("%1: %2").arg(book, reason);
    if (!gimp.isEmpty() && !saveSwatchFile(palette, GimpPaletteFile, collection, gimp, &reason))
        return QStringLiteral("%1: %2").arg(gimp, reason);
    if (!ase.isEmpty()
        && !saveSwatchFile(palette, AdobeSwatchExchangeFile, collection, ase, &reason))
        return QStringLiteral("%1: %2").arg(ase, reason);
    if (!schedule.isEmpty()
        && !ColorSchedule(palette, collection, read.gaps.cells).save(schedule, &reason))
        return QStringLiteral("%1: %2").arg(schedule, reason);
    return {};
}

QList<QCommandLineOption> paletteOptions()
{
    QList<QCommandLineOption> options;
    for (const char *name : {"save", "text", "colorbook", "gpl", "ase", "schedule", "collection"})
        options.append(QCommandLineOption(QLatin1String(name), {}, QStringLiteral("FILE")));
    return options;
}

InspectResult inspectPalette(const QStringList &words)
{
    const CommandArguments line(words, paletteOptions());
    if (!line.error().isEmpty())
        return InspectResult::failure(line.error());
    if (line.positional().size() != 1)
        return InspectResult::failure(QStringLiteral("usage: ") + QLatin1String(PaletteUsage));
    DB::ensureCollectionsEnumerated();
    const QString file = line.positional().first();
    const PaletteFileRead read = readPaletteFile(file);
    if (!read.palette)
        return InspectResult::failure(QStringLiteral("%1: %2").arg(file, read.reason));
    if (const QString error = writeOutputs(read, line); !error.isEmpty())
        return InspectResult::failure(error);
    QJsonArray cells;
    for (const QPoint &cell : read.palette->filledCells())
        cells.append(cellJson(cell, read.palette->entry(cell)));
    QJsonArray missing;
    for (const QUuid &uuid : read.gaps.missingCollections)
        missing.append(uuid.toString());
    const QJsonObject palette {{"description", read.palette->description()},
                               {"cells", cells},
                               {"emptyCells", read.gaps.emptyCells},
                               {"missingCollections", missing}};
    return {0, palette, paletteText(palette), {}};
}

} // namespace

const QList<InspectCommand> &paletteCommands()
{
    static const QList<InspectCommand> commands {
        {"palette", PaletteUsage, inspectPalette, paletteOptions()}};
    return commands;
}

} // namespace Sorven::Tools
