#include "palette/capsureimport.h"

#include "core/collectionsettings.h"
#include "core/regularfile.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/search.h"
#include "palette/xmlsupport.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <algorithm>

namespace Sorven {

namespace {

const char *const CoreNamespaceUri = "http://colorexchangeformat.com/CxF3-core";
const char *const ObjectNamesXPath = "//cc:Object/@Name";
const char *const ObjectCountXPath = "count(//cc:Object)";

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
    return {{}, {}, error};
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

// A database file with capsure collections: one of its registered collections to address it,
// and the priority of each capsure collection by its ID in the file.
struct CapsureFile
{
    QUuid handle;
    QHash<qint64, int> priorities;
};

// Every file takes part: the collections of one file must not hide a better match in another.
QList<CapsureFile> capsureFiles()
{
    QList<CapsureFile> files;
    QSet<QString> seen;
    for (const DB::CollectionInfo &info : DB::collectionRegistry().entries()) {
        if (seen.contains(info.databasePath))
            continue;
        seen.insert(info.databasePath);
        QVector<DB::CapsurePriority> priorities;
        if (DB::capsureCollectionPriorities(info.uuid, priorities) != DB::Success)
            continue;
        CapsureFile file {info.uuid, {}};
        for (const DB::CapsurePriority &collection : std::as_const(priorities))
            file.priorities.insert(collection.collectionId, collection.priority);
        if (!file.priorities.isEmpty())
            files.append(file);
    }
    return files;
}

// Names worth asking for, each once: an empty name would match every chip without a code.
QStringList distinctNames(const QStringList &names)
{
    QStringList distinct;
    for (const QString &name : names) {
        if (!name.isEmpty() && !distinct.contains(name))
            distinct.append(name);
    }
    return distinct;
}

struct Found
{
    int priority;
    qsizetype file;
    CapsureCandidate candidate;
    // The measured name that found the chip; empty for a chip found by value.
    QString name;
};

QVector<Found> findInFiles(const QList<CapsureFile> &files, const QStringList &names)
{
    QVector<Found> found;
    for (qsizetype file = 0; file < files.size(); ++file) {
        const CapsureFile &in = files[file];
        for (const QString &name : names) {
            QVector<DB::ColorEntry> entries;
            DB::capsureCandidatesInFile(in.handle, name, entries);
            for (const DB::ColorEntry &entry : std::as_const(entries)) {
                const QUuid collection = DB::collectionUuidInFileOf(in.handle, entry.collectionId);
                // A collection the palette has not registered could not be shown.
                if (!collection.isNull())
                    found.append({in.priorities.value(entry.collectionId, 999),
                                  file,
                                  {collection, {}, entry, entry.code, std::nullopt},
                                  name});
            }
        }
    }
    return found;
}

// The capsure collections of a file, best priority first; equal priorities by ID, so that
// every run lists them alike.
QList<qint64> collectionsByPriority(const CapsureFile &file)
{
    QList<qint64> ids = file.priorities.keys();
    std::sort(ids.begin(), ids.end(), [&file](qint64 a, qint64 b) {
        return std::pair(file.priorities.value(a), a) < std::pair(file.priorities.value(b), b);
    });
    return ids;
}

// The chips of one collection near each colour, in the colours' order, nearest first.
void findNearChips(const QUuid &collection, const QList<MeasuredColor> &colors, int priority,
                   qsizetype file, QVector<Found> &found)
{
    QVector<DB::LabSample> samples;
    if (DB::loadLabSamples(collection, samples) != DB::Success)
        return;
    const double interval = CollectionSettings::cie2000DeltaIntervals(collection).value(0);
    for (const MeasuredColor &color : colors) {
        for (const auto &[difference, rowId] : nearestLabSamples(color.lab, samples, 3)) {
            DB::ColorEntry entry;
            if (difference < interval && DB::loadEntryById(collection, rowId, entry) == DB::Success)
                found.append({priority, file, {collection, {}, entry, entry.code, difference}, {}});
        }
    }
}

QVector<Found> findByValue(const QList<CapsureFile> &files, const QList<MeasuredColor> &colors)
{
    QVector<Found> found;
    for (qsizetype file = 0; file < files.size() && !colors.isEmpty(); ++file) {
        for (const qint64 id : collectionsByPriority(files[file])) {
            const QUuid collection = DB::collectionUuidInFileOf(files[file].handle, id);
            if (!collection.isNull())
                findNearChips(collection, colors, files[file].priorities.value(id), file, found);
        }
    }
    return found;
}

// The colours of the objects whose name found no chip.
QList<MeasuredColor> unmatchedColors(const QList<MeasuredColor> &colors,
                                     const QVector<Found> &byName)
{
    QSet<QString> matched;
    for (const Found &each : byName)
        matched.insert(each.name);
    QList<MeasuredColor> unmatched;
    for (const MeasuredColor &color : colors) {
        if (!matched.contains(color.name))
            unmatched.append(color);
    }
    return unmatched;
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
    const Xml::ParserContext parser(xmlNewParserCtxt());
    if (!parser)
        return failure(QStringLiteral("out of memory"));
    parser->sax->entityDecl = refuseEntityDeclaration;
    // No network, no external DTD, no entity substitution, and no messages on standard error.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    const Xml::Document document(Xml::readMemory(parser.get(), xml, nullptr, options));
    if (parser->errNo == XML_ERR_USER_STOP)
        return failure(QStringLiteral("declares entities"));
    if (!document || !parser->wellFormed)
        return failure(QStringLiteral("not well-formed XML"));
    const Xml::XPathContext xpath(xmlXPathNewContext(document.get()));
    if (!xpath || xmlXPathRegisterNs(xpath.get(), BAD_CAST "cc", BAD_CAST CoreNamespaceUri) != 0)
        return failure(QStringLiteral("out of memory"));
    const Xml::XPathObject count(xmlXPathEvalExpression(BAD_CAST ObjectCountXPath, xpath.get()));
    if (count && count->floatval > CapsureObjectLimit)
        return failure(QStringLiteral("%1 measured objects, more than %2")
                           .arg(qint64(count->floatval))
                           .arg(CapsureObjectLimit));
    const Xml::XPathObject names(xmlXPathEvalExpression(BAD_CAST ObjectNamesXPath, xpath.get()));
    if (!names)
        return failure(QStringLiteral("cannot be searched"));
    return {attributeValues(names->nodesetval), measuredColors(xpath.get()), {}};
}

CapsureNames readCapsureNames(const QString &path)
{
    // Read-only: a measurement the user may not change must still import.
    QFile file(path);
    QString reason;
    if (!openRegularFile(file, &reason))
        return failure(QStringLiteral("cannot be opened: %1").arg(reason));
    // One byte more than allowed tells a file at the limit from a larger one, whatever size
    // the file system reports.
    return parseCapsureNames(file.read(CapsureFileSizeLimit + 1));
}

namespace {

// Appends what was found in priority order, each chip once per collection.
void appendInPriorityOrder(QVector<Found> found, QList<CapsureCandidate> &candidates)
{
    std::stable_sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        return std::pair(a.priority, a.file) < std::pair(b.priority, b.file);
    });
    QSet<QPair<QUuid, qint64>> listed;
    for (const CapsureCandidate &candidate : std::as_const(candidates))
        listed.insert({candidate.collection, candidate.entry.id});
    QHash<QUuid, QString> collectionNames;
    for (Found &each : found) {
        CapsureCandidate &candidate = each.candidate;
        if (listed.contains({candidate.collection, candidate.entry.id}))
            continue;
        listed.insert({candidate.collection, candidate.entry.id});
        if (!collectionNames.contains(candidate.collection))
            collectionNames.insert(candidate.collection, collectionName(candidate.collection));
        candidate.collectionName = collectionNames.value(candidate.collection);
        candidates.append(candidate);
    }
}

} // namespace

QList<CapsureCandidate> matchCapsureNames(const QStringList &names)
{
    QList<CapsureCandidate> candidates;
    appendInPriorityOrder(findInFiles(capsureFiles(), distinctNames(names)), candidates);
    return candidates;
}

QList<CapsureCandidate> matchCapsureMeasurements(const CapsureNames &measured)
{
    const QList<CapsureFile> files = capsureFiles();
    const QVector<Found> byName = findInFiles(files, distinctNames(measured.names));
    QList<CapsureCandidate> candidates;
    appendInPriorityOrder(byName, candidates);
    appendInPriorityOrder(findByValue(files, unmatchedColors(measured.colors, byName)), candidates);
    return candidates;
}

namespace {

QString choiceText(const CapsureCandidate &candidate, bool namingCollection)
{
    const QString code = candidate.entry.code;
    if (!candidate.difference)
        return namingCollection ? QStringLiteral("%1 (%2)").arg(code, candidate.collectionName)
                                : code;
    const QString difference = QStringLiteral("ΔE %1").arg(*candidate.difference, 0, 'f', 1);
    return namingCollection
        ? QStringLiteral("%1 (%2, %3)").arg(code, candidate.collectionName, difference)
        : QStringLiteral("%1 (%2)").arg(code, difference);
}

} // namespace

QList<CapsureCandidate> capsureChoices(const QList<CapsureCandidate> &candidates)
{
    QSet<QUuid> collections;
    for (const CapsureCandidate &candidate : candidates)
        collections.insert(candidate.collection);
    QList<CapsureCandidate> choices;
    // Chip IDs repeat across database files; a chip is the same only within its file.
    QSet<QPair<QString, qint64>> chips;
    for (CapsureCandidate candidate : candidates) {
        const DB::CollectionInfo *info = DB::collectionRegistry().find(candidate.collection);
        const QPair<QString, qint64> chip {info ? info->databasePath : QString(),
                                           candidate.entry.id};
        if (chips.contains(chip))
            continue;
        chips.insert(chip);
        candidate.text = choiceText(candidate, collections.size() > 1);
        choices.append(candidate);
    }
    return choices;
}

CapsureMatch matchCapsureFile(const QString &path)
{
    const CapsureNames read = readCapsureNames(path);
    if (!read.error.isEmpty())
        return {{}, {}, QStringLiteral("%1: %2").arg(path, read.error)};
    if (read.names.isEmpty() && read.colors.isEmpty())
        return {{}, {}, QStringLiteral("%1: no measured object with a name or a colour").arg(path)};
    if (capsureFiles().isEmpty())
        return {read.names, {}, QStringLiteral("no collection takes part in matching")};
    const QList<CapsureCandidate> candidates = matchCapsureMeasurements(read);
    if (candidates.isEmpty())
        return {read.names, {}, QStringLiteral("no chip matches a measured name or colour")};
    return {read.names, candidates, {}};
}

} // namespace Sorven
