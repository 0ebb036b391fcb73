#include "tools/authorcommands.h"

#include "core/collectionsettings.h"
#include "core/linktargets.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "tools/authorbrowsecommands.h"
#include "tools/authorcapsurecommands.h"
#include "tools/authorcolorcommands.h"
#include "tools/authorformat.h"
#include "tools/authorharmonycommands.h"
#include "tools/authorpalettecommands.h"
#include "tools/collectioncheck.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QSqlQuery>
#include <QTextStream>

namespace Sorven::Tools {

namespace {

const char *const CollectionSummarySql =
    R"(SELECT C.NAME,
    (SELECT COUNT(*) FROM COLLECTION_PAGE_MAP M WHERE M.COLLECTION_ID = C.ID) AS PAGES,
    (SELECT COUNT(*) FROM "ROW" R JOIN COLLECTION_PAGE_MAP M ON R.PAGE_ID = M.PAGE_ID
     WHERE M.COLLECTION_ID = C.ID) AS CHIPS
FROM COLLECTION C WHERE C.ID = ?)";

QJsonObject collectionSummary(const DB::CollectionInfo &info)
{
    QJsonObject summary {{"uuid", info.uuid.toString()},
                         {"systemId", info.systemId},
                         {"order", info.order},
                         {"file", info.databasePath}};
    // What the palette shows in place of the collection's panes.
    if (const QString problem = DB::collectionReadProblem(info.uuid); !problem.isEmpty()) {
        summary.insert("unavailable", problem);
        return summary;
    }
    QSqlQuery query(DB::collectionDatabase(info.uuid));
    query.prepare(QString::fromLatin1(CollectionSummarySql));
    query.addBindValue(info.id);
    if (query.exec() && query.next()) {
        summary.insert("name", query.value(0).toString());
        summary.insert("pages", query.value(1).toLongLong());
        summary.insert("chips", query.value(2).toLongLong());
    }
    return summary;
}

InspectResult listCollections(const QStringList &)
{
    QJsonArray collections;
    QString text;
    QTextStream out(&text);
    for (const QUuid &uuid : DB::availableCollections()) {
        const QJsonObject summary = collectionSummary(*DB::collectionRegistry().find(uuid));
        collections.append(summary);
        out << QStringLiteral("%1  %2  %3  %4 pages  %5 chips  %6")
                   .arg(summary["order"].toInt(), 3)
                   .arg(terminalSafe(summary["systemId"].toString()), -10)
                   .arg(terminalSafe(summary["name"].toString()), -28)
                   .arg(summary["pages"].toInteger(), 4)
                   .arg(summary["chips"].toInteger(), 6)
                   .arg(terminalSafe(summary["file"].toString()));
        if (summary.contains("unavailable"))
            out << QStringLiteral("  unavailable: ")
                << terminalSafe(summary["unavailable"].toString());
        out << '\n';
    }
    if (collections.isEmpty())
        return InspectResult::failure(
            QStringLiteral("no collection found below %1").arg(DB::collectionDataPath()));
    return {0, collections, text, {}};
}

// The installed files' shared collections that the file keeps or loses to another file.
QStringList shadowWarnings(const QString &file)
{
    DB::ensureCollectionsEnumerated();
    const QString path = QFileInfo(file).absoluteFilePath();
    QStringList warnings;
    for (const DB::ShadowedCollection &shadowed : DB::collectionRegistry().shadowedCollections()) {
        if (shadowed.keptIn == path || shadowed.ignoredIn == path)
            warnings << shadowed.notice();
    }
    return warnings;
}

InspectResult checkDatabase(const QStringList &arguments)
{
    if (arguments.size() != 1)
        return InspectResult::failure(QStringLiteral("usage: check FILE.db"));
    QStringList warnings;
    const QStringList problems = checkCollectionDatabase(arguments.first(), &warnings);
    warnings << shadowWarnings(arguments.first());
    QString text;
    for (const QString &warning : std::as_const(warnings))
        text += QStringLiteral("warning: %1\n").arg(warning);
    text += problems.isEmpty() ? QStringLiteral("%1: ok\n").arg(arguments.first())
                               : problems.join(u'\n') + u'\n';
    return {problems.isEmpty() ? 0 : 1,
            QJsonObject {{"file", arguments.first()},
                         {"ok", problems.isEmpty()},
                         {"problems", QJsonArray::fromStringList(problems)},
                         {"warnings", QJsonArray::fromStringList(warnings)}},
            text,
            {}};
}

QJsonObject linkAnswer(const QString &stored, const QUrl &opened)
{
    return {{"stored", stored}, {"opens", opened.isEmpty() ? QJsonValue() : opened.toString()}};
}

// The header and help links as stored and what the palette hands to the desktop's opener; the
// help link's %APP% is the folder given, else this program's.
InspectResult showLinks(const QStringList &arguments)
{
    if (arguments.isEmpty() || arguments.size() > 2)
        return InspectResult::failure(QStringLiteral("usage: links COLLECTION [MODULE_FOLDER]"));
    const QUuid collection = resolveCollection(arguments.first());
    if (collection.isNull())
        return InspectResult::failure(QStringLiteral("no collection %1").arg(arguments.first()));
    const QString folder = arguments.value(1, QCoreApplication::applicationDirPath());
    const QString header = CollectionSettings::headerLink(collection);
    const QString help = CollectionSettings::helpLink(collection);
    const QJsonObject links {{"header", linkAnswer(header, LinkTargets::webLink(header))},
                             {"help", linkAnswer(help, LinkTargets::helpLink(help, folder))}};
    QString text;
    for (const char *name : {"header", "help"}) {
        const QJsonObject link = links[QLatin1String(name)].toObject();
        text += QStringLiteral("%1: %2 -> %3\n")
                    .arg(QLatin1String(name), terminalSafe(link["stored"].toString()),
                         link["opens"].isNull() ? QStringLiteral("not opened")
                                                : terminalSafe(link["opens"].toString()));
    }
    return {0, links, text, {}};
}

} // namespace

const QList<InspectCommand> &inspectCommands()
{
    static const QList<InspectCommand> commands = QList<InspectCommand> {
        {"collections", "collections", listCollections},
        {"check", "check FILE.db", checkDatabase},
        {"links", "links COLLECTION [MODULE_FOLDER]", showLinks},
    } + browseCommands() + colorCommands() + harmonyCommands() + capsureCommands()
        + paletteCommands();
    return commands;
}

QUuid resolveCollection(const QString &text)
{
    DB::ensureCollectionsEnumerated();
    if (const QUuid uuid(text); DB::collectionRegistry().contains(uuid))
        return uuid;
    if (QUuid uuid; DB::collectionUuidBySystemId(text, uuid) == DB::Success)
        return uuid;
    for (const DB::CollectionInfo &info : DB::collectionRegistry().entries()) {
        QSharedPointer<DB::Collection> collection;
        if (DB::loadCollection(info.uuid, collection) == DB::Success
            && collection->name.compare(text, Qt::CaseInsensitive) == 0)
            return info.uuid;
    }
    return {};
}

} // namespace Sorven::Tools
