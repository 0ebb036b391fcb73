#include "palette/capsureimport.h"

#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/search.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <algorithm>
#include <memory>

namespace Sorven {

namespace {

const char *const CoreNamespaceUri = "http://colorexchangeformat.com/CxF3-core";
const char *const ObjectNamesXPath = "//cc:Object/@Name";

using ParserContext = std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)>;
using Document = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;
using XPathContext = std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)>;
using XPathObject = std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)>;

// Entities can only be declared in a document type declaration, which a measurement file never
// needs. Stopping at the first declaration means no entity is ever expanded, so a small file
// cannot blow up into gigabytes, and none can point at a local file or the network.
void refuseEntityDeclaration(void *context, const xmlChar *, int, const xmlChar *, const xmlChar *,
                             xmlChar *)
{
    xmlStopParser(static_cast<xmlParserCtxtPtr>(context));
}

CapsureNames failure(const QString &error)
{
    return {{}, error};
}

QStringList attributeValues(xmlNodeSetPtr nodes)
{
    QStringList values;
    for (int i = 0; nodes && i < nodes->nodeNr; ++i) {
        xmlChar *value = xmlNodeGetContent(nodes->nodeTab[i]);
        values.append(QString::fromUtf8(reinterpret_cast<const char *>(value)));
        xmlFree(value);
    }
    return values;
}

// Index of each collection in the priority order; collections outside it sort last.
qsizetype priorityRank(const QVector<qint64> &priority, qint64 collectionId)
{
    const qsizetype rank = priority.indexOf(collectionId);
    return rank < 0 ? priority.size() : rank;
}

QString collectionName(const QUuid &uuid)
{
    QSharedPointer<DB::Collection> collection;
    if (DB::loadCollection(uuid, collection) != DB::Success || !collection)
        return {};
    return collection->name;
}

} // namespace

CapsureNames parseCapsureNames(const QByteArray &xml)
{
    if (xml.size() > CapsureFileSizeLimit)
        return failure(QStringLiteral("larger than 16 MB"));
    ParserContext parser(xmlNewParserCtxt(), xmlFreeParserCtxt);
    if (!parser)
        return failure(QStringLiteral("out of memory"));
    parser->sax->entityDecl = refuseEntityDeclaration;
    // No network, no external DTD, no entity substitution, and no messages on standard error.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    Document document(xmlCtxtReadMemory(parser.get(), xml.constData(), int(xml.size()), nullptr,
                                        nullptr, options),
                      xmlFreeDoc);
    if (parser->errNo == XML_ERR_USER_STOP)
        return failure(QStringLiteral("declares entities"));
    if (!document || !parser->wellFormed)
        return failure(QStringLiteral("not well-formed XML"));
    XPathContext xpath(xmlXPathNewContext(document.get()), xmlXPathFreeContext);
    if (!xpath || xmlXPathRegisterNs(xpath.get(), BAD_CAST "cc", BAD_CAST CoreNamespaceUri) != 0)
        return failure(QStringLiteral("out of memory"));
    const XPathObject names(xmlXPathEvalExpression(BAD_CAST ObjectNamesXPath, xpath.get()),
                            xmlXPathFreeObject);
    if (!names)
        return failure(QStringLiteral("cannot be searched"));
    return {attributeValues(names->nodesetval), {}};
}

CapsureNames readCapsureNames(const QString &path)
{
    // Read-only: a measurement the user may not change must still import.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("cannot be opened: %1").arg(file.errorString()));
    // One byte more than allowed tells a file at the limit from a larger one, whatever size
    // the file system reports.
    return parseCapsureNames(file.read(CapsureFileSizeLimit + 1));
}

QList<CapsureCandidate> matchCapsureNames(const QStringList &names)
{
    QVector<qint64> priority;
    if (DB::capsureCollectionIds(priority) != DB::Success || priority.isEmpty())
        return {};
    QVector<DB::ColorEntry> found;
    QSet<QString> asked;
    for (const QString &name : names) {
        // An empty name would match every chip without a code or name.
        if (name.isEmpty() || asked.contains(name))
            continue;
        asked.insert(name);
        QVector<DB::ColorEntry> entries;
        DB::capsureCandidates(name, entries);
        found += entries;
    }
    std::stable_sort(found.begin(), found.end(), [&](const auto &a, const auto &b) {
        return priorityRank(priority, a.collectionId) < priorityRank(priority, b.collectionId);
    });
    QList<CapsureCandidate> candidates;
    QSet<QPair<qint64, qint64>> listed;
    QHash<QUuid, QString> collectionNames;
    for (const DB::ColorEntry &entry : std::as_const(found)) {
        const QUuid collection = DB::systemWideFileCollectionUuid(entry.collectionId);
        // A collection the palette has not registered could not be shown.
        if (collection.isNull() || listed.contains({entry.collectionId, entry.id}))
            continue;
        listed.insert({entry.collectionId, entry.id});
        if (!collectionNames.contains(collection))
            collectionNames.insert(collection, collectionName(collection));
        candidates.append({collection, collectionNames.value(collection), entry, entry.code});
    }
    return candidates;
}

QList<CapsureCandidate> capsureChoices(const QList<CapsureCandidate> &candidates)
{
    QSet<QUuid> collections;
    for (const CapsureCandidate &candidate : candidates)
        collections.insert(candidate.collection);
    QList<CapsureCandidate> choices;
    QSet<qint64> chips;
    for (CapsureCandidate candidate : candidates) {
        if (chips.contains(candidate.entry.id))
            continue;
        chips.insert(candidate.entry.id);
        if (collections.size() > 1)
            candidate.text
                = QStringLiteral("%1 (%2)").arg(candidate.entry.code, candidate.collectionName);
        choices.append(candidate);
    }
    return choices;
}

CapsureMatch matchCapsureFile(const QString &path)
{
    const CapsureNames read = readCapsureNames(path);
    if (!read.error.isEmpty())
        return {{}, {}, QStringLiteral("%1: %2").arg(path, read.error)};
    if (read.names.isEmpty())
        return {{}, {}, QStringLiteral("%1: no measured object with a name").arg(path)};
    QVector<qint64> priority;
    if (DB::capsureCollectionIds(priority) != DB::Success || priority.isEmpty())
        return {read.names, {}, QStringLiteral("no collection takes part in matching")};
    const QList<CapsureCandidate> candidates = matchCapsureNames(read.names);
    if (candidates.isEmpty())
        return {read.names, {}, QStringLiteral("no chip matches a measured name")};
    return {read.names, candidates, {}};
}

} // namespace Sorven
