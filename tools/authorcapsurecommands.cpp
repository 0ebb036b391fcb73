#include "tools/authorcapsurecommands.h"

#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/search.h"
#include "palette/capsureimport.h"
#include "tools/commandarguments.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>

namespace Sorven::Tools {

namespace {

QJsonObject candidateJson(const CapsureCandidate &candidate)
{
    DB::ColorPage page;
    const int pageIndex
        = DB::loadPageById(candidate.collection, candidate.entry.pageId, true, page) == DB::Success
        ? page.pageIndex
        : -1;
    QJsonObject json {{"collection", candidate.collection.toString()},
                      {"collectionName", candidate.collectionName},
                      {"code", candidate.entry.code},
                      {"pageIndex", pageIndex},
                      {"rowIndex", candidate.entry.rowIndex},
                      {"color", candidate.entry.color().name()}};
    // Rounded as far as a colour difference means anything, so that scripts compare alike.
    if (candidate.difference)
        json.insert("deltaE", std::round(*candidate.difference * 100.0) / 100.0);
    return json;
}

QString candidateLine(const QJsonObject &candidate)
{
    const QString found = candidate.contains("deltaE")
        ? QStringLiteral("ΔE %1").arg(candidate["deltaE"].toDouble(), 5, 'f', 2)
        : QStringLiteral("by name ");
    return QStringLiteral("  %1  %2  page %3  row %4  %5  %6  %7\n")
        .arg(candidate["code"].toString(), -12)
        .arg(candidate["color"].toString())
        .arg(candidate["pageIndex"].toInt(), 3)
        .arg(candidate["rowIndex"].toInt(), 2)
        .arg(found, candidate["collectionName"].toString(), candidate["collection"].toString());
}

// The chips are searched by the name columns of the selected collection; a new palette starts
// on the first available one.
QUuid searchingCollection(const CommandArguments &line)
{
    const QString given = line.value(QStringLiteral("collection"));
    if (!given.isEmpty())
        return resolveCollection(given);
    DB::ensureCollectionsEnumerated();
    return DB::availableCollections().value(0);
}

QList<QCommandLineOption> capsureOptions()
{
    return {QCommandLineOption(QStringLiteral("collection"), {}, QStringLiteral("C"))};
}

InspectResult capsure(const QStringList &words)
{
    const CommandArguments line(words, capsureOptions());
    if (!line.error().isEmpty())
        return InspectResult::failure(line.error());
    if (line.positional().size() != 1)
        return InspectResult::failure(
            QStringLiteral("usage: capsure FILE.cxf [--collection COLLECTION]"));
    const QUuid collection = searchingCollection(line);
    if (collection.isNull())
        return InspectResult::failure(QStringLiteral("no collection to search with"));
    DB::loadNameOrders(collection);
    const CapsureMatch match = matchCapsureFile(line.positional().first());
    if (!match.error.isEmpty())
        return InspectResult::failure(match.error);
    QString text = QStringLiteral("Measured names:\n");
    for (const QString &name : match.names)
        text += QStringLiteral("  \"%1\"\n").arg(name);
    text += QStringLiteral("Candidates:\n");
    QJsonArray candidates;
    for (const CapsureCandidate &choice : capsureChoices(match.candidates)) {
        const QJsonObject candidate = candidateJson(choice);
        candidates.append(candidate);
        text += candidateLine(candidate);
    }
    return {0,
            QJsonObject {{"names", QJsonArray::fromStringList(match.names)},
                         {"candidates", candidates}},
            text,
            {}};
}

} // namespace

const QList<InspectCommand> &capsureCommands()
{
    static const QList<InspectCommand> commands = {
        {"capsure", "capsure FILE.cxf [--collection COLLECTION]", capsure, capsureOptions()},
    };
    return commands;
}

} // namespace Sorven::Tools
