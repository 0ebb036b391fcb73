#include "palette/palettefile.h"

#include "core/regularfile.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/search.h"
#include "palette/exportcolors.h"
#include "palette/filesaving.h"
#include "palette/xmldocumentwriter.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>

namespace Sorven {

namespace {

const QByteArray ByteOrderMark("\xEF\xBB\xBF");

// A chip as a file refers to it.
struct FileChip
{
    QPoint cell;
    QUuid collection;
    int pageIndex = -1;
    DB::ColorEntry chip;
};

QList<FileChip> fileChips(const PaletteModel &palette)
{
    QList<FileChip> chips;
    for (const QPoint &cell : palette.filledCells()) {
        const DB::ItemIndex index = palette.entry(cell);
        FileChip chip {cell, index.collection, -1, {}};
        DB::ColorPage page;
        if (DB::loadEntryById(index.collection, index.rowId, chip.chip) != DB::Success
            || DB::loadPageById(index.collection, index.pageId, true, page) != DB::Success
            || page.id != chip.chip.pageId)
            continue;
        chip.pageIndex = page.pageIndex;
        chips.append(chip);
    }
    return chips;
}

QByteArray xmlFileBytes(const PaletteModel &palette)
{
    XmlDocumentWriter xml;
    xml.startElement("orvo-palette");
    xml.attribute("version", QStringLiteral("3.0"));
    xml.attribute("system", QStringLiteral("multi-collection"));
    xml.text(QStringLiteral("\n\t"));
    xml.textElement("description", palette.description());
    xml.text(QStringLiteral("\n\t"));
    xml.startElement("chips");
    for (const FileChip &chip : fileChips(palette)) {
        xml.text(QStringLiteral("\n\t\t"));
        xml.startElement("chip");
        xml.attribute("row", QString::number(chip.cell.y()));
        xml.attribute("col", QString::number(chip.cell.x()));
        xml.text(QStringLiteral("\n\t\t\t"));
        xml.startElement("entry");
        xml.attribute("uuid-of-collection", chip.collection.toString());
        xml.attribute("page-index", QString::number(chip.pageIndex));
        xml.attribute("row-index", QString::number(chip.chip.rowIndex));
        xml.attribute("color-code", chip.chip.code);
        xml.endElement();
        xml.text(QStringLiteral("\n\t\t"));
        xml.endElement();
    }
    xml.text(QStringLiteral("\n\t"));
    xml.endElement();
    xml.text(QStringLiteral("\n"));
    xml.endElement();
    const QByteArray document = xml.finish();
    return document.isEmpty() ? QByteArray() : ByteOrderMark + document;
}

// The collection is the cell's own: numeric collection IDs are only unique within one file.
QByteArray textListBytes(const PaletteModel &palette)
{
    QString text;
    for (const FileChip &chip : fileChips(palette)) {
        QSharedPointer<DB::Collection> collection;
        if (DB::loadCollection(chip.collection, collection) == DB::Success && collection)
            text += oneLineName(collection->name) + QStringLiteral(" : ");
        text += oneLineName(chip.chip.code) + u'\n';
    }
    return ByteOrderMark + text.toUtf8();
}

// Untrusted input: no network, no external entities or DTD, no entity substitution, and no
// messages of the parser's own on standard error.
const int ParseOptions = XML_PARSE_NOBLANKS | XML_PARSE_NONET | XML_PARSE_COMPACT
    | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

std::optional<PaletteModel> refuse(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return std::nullopt;
}

xmlNode *firstNode(xmlXPathContext *xpath, const char *expression)
{
    const Xml::XPathObject result(
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar *>(expression), xpath));
    if (!result || !result->nodesetval || result->nodesetval->nodeNr == 0)
        return nullptr;
    return result->nodesetval->nodeTab[0];
}

QList<xmlNode *> elements(xmlXPathContext *xpath, const char *expression)
{
    const Xml::XPathObject result(
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar *>(expression), xpath));
    QList<xmlNode *> nodes;
    if (!result || !result->nodesetval)
        return nodes;
    for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
        if (result->nodesetval->nodeTab[i]->type == XML_ELEMENT_NODE)
            nodes.append(result->nodesetval->nodeTab[i]);
    }
    return nodes;
}

QString content(xmlNode *node)
{
    const Xml::Text text(node ? xmlNodeGetContent(node) : nullptr);
    return text ? QString::fromUtf8(reinterpret_cast<const char *>(text.get())) : QString();
}

// "major.minor" with a minor that reads as 0 (text that is no number does); -1 otherwise.
int majorVersion(const QString &version)
{
    const QStringList parts = version.split(u'.', Qt::SkipEmptyParts);
    if (parts.size() != 2 || parts.at(1).toInt() != 0)
        return -1;
    return parts.at(0).toInt();
}

// Version 2 names a chip by its text in the file's one collection.
std::optional<DB::ItemIndex> version2Chip(const QUuid &collection, xmlNode *chip)
{
    xmlNode *child = chip->children;
    if (!child || child->type != XML_TEXT_NODE)
        return std::nullopt;
    const QString code = content(child).trimmed();
    int pageIndex = -1, rowIndex = -1, segment = -1, mood = 0;
    bool exterior = false;
    DB::ColorEntry entry;
    if (code.isEmpty()
        || DB::findPhrase(collection, code, pageIndex, rowIndex, segment, mood, exterior)
            != DB::Success
        || pageIndex <= 0 || rowIndex <= 0
        || DB::loadEntryAt(collection, pageIndex, rowIndex, entry) != DB::Success)
        return std::nullopt;
    return DB::ItemIndex {collection, entry.pageId, entry.id};
}

// The chips one file names, each looked up once: a file may name the same position many times,
// and an unknown collection costs a new enumeration of the database folder (for files added
// since) on every connection attempt.
class FileChipLookups
{
public:
    bool installed(const QUuid &collection) const { return m_installed.contains(collection); }

    std::optional<DB::ColorEntry> entryAt(const QUuid &collection, int pageIndex, int rowIndex)
    {
        const std::pair<int, int> position(pageIndex, rowIndex);
        QHash<std::pair<int, int>, std::optional<DB::ColorEntry>> &entries = m_entries[collection];
        if (const auto known = entries.constFind(position); known != entries.cend())
            return *known;
        DB::ColorEntry entry;
        std::optional<DB::ColorEntry> found;
        if (DB::loadEntryAt(collection, pageIndex, rowIndex, entry) == DB::Success)
            found = entry;
        entries.insert(position, found);
        return found;
    }

private:
    static QSet<QUuid> installedCollections()
    {
        const QList<QUuid> collections = DB::availableCollections();
        return {collections.cbegin(), collections.cend()};
    }

    const QSet<QUuid> m_installed = installedCollections();
    QHash<QUuid, QHash<std::pair<int, int>, std::optional<DB::ColorEntry>>> m_entries;
};

// Version 3 names a chip by collection and position, and the code must still match. A chip
// of a collection not installed here adds that collection to the gaps.
std::optional<DB::ItemIndex> version3Chip(xmlNode *chip, FileChipLookups &lookups,
                                          PaletteFileGaps &gaps)
{
    xmlNode *entryNode = chip->children;
    if (!entryNode || entryNode->type != XML_ELEMENT_NODE
        || xmlStrcasecmp(entryNode->name, reinterpret_cast<const xmlChar *>("entry")) != 0)
        return std::nullopt;
    const QUuid collection = QUuid::fromString(Xml::attribute(entryNode, "uuid-of-collection"));
    if (collection.isNull())
        return std::nullopt;
    if (!lookups.installed(collection)) {
        if (!gaps.missingCollections.contains(collection))
            gaps.missingCollections.append(collection);
        return std::nullopt;
    }
    const std::optional<DB::ColorEntry> entry
        = lookups.entryAt(collection, Xml::attribute(entryNode, "page-index").toInt(),
                          Xml::attribute(entryNode, "row-index").toInt());
    if (!entry
        || entry->code.compare(Xml::attribute(entryNode, "color-code"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return DB::ItemIndex {collection, entry->pageId, entry->id};
}

// Later chips for a cell win, so the chips are read from the last one back and a cell that
// already holds a chip is not looked up again.
void readChips(xmlXPathContext *xpath, int major, const QUuid &collection, PaletteModel &palette,
               PaletteFileGaps &gaps)
{
    const QList<xmlNode *> chips = elements(xpath, "/orvo-palette/chips/chip");
    QList<QPoint> named;
    FileChipLookups lookups;
    for (auto chip = chips.crbegin(); chip != chips.crend(); ++chip) {
        const QPoint cell(Xml::attribute(*chip, "col").toInt(),
                          Xml::attribute(*chip, "row").toInt());
        if (!PaletteModel::contains(cell) || palette.entry(cell).refersToChip())
            continue;
        if (!named.contains(cell))
            named.append(cell);
        const std::optional<DB::ItemIndex> index
            = major == 2 ? version2Chip(collection, *chip) : version3Chip(*chip, lookups, gaps);
        if (index)
            palette.setEntry(cell, *index);
    }
    std::reverse(gaps.missingCollections.begin(), gaps.missingCollections.end());
    for (const QPoint &cell : PaletteModel::cells()) {
        if (named.contains(cell) && !palette.entry(cell).refersToChip())
            gaps.cells.append(cell);
    }
    gaps.emptyCells = int(gaps.cells.size());
}

// Text that is not XML at all is no palette file; XML that breaks off or is malformed is a
// damaged one.
QString parserError(xmlParserCtxt *context)
{
    const xmlError *error = xmlCtxtGetLastError(context);
    if (!error || error->code == XML_ERR_DOCUMENT_EMPTY || error->code == XML_ERR_DOCUMENT_START)
        return QStringLiteral("not a palette file");
    return QStringLiteral("damaged XML at line %1").arg(error->line);
}

bool isUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    [[maybe_unused]] const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

QByteArray paletteFileBytes(const PaletteModel &palette, PaletteFileFormat format)
{
    switch (format) {
    case PaletteXmlFile:
        return xmlFileBytes(palette);
    case PaletteTextFile:
        return textListBytes(palette);
    }
    return {};
}

bool savePaletteFile(const PaletteModel &palette, PaletteFileFormat format, const QString &path,
                     QString *reason)
{
    const QByteArray bytes = paletteFileBytes(palette, format);
    if (bytes.isEmpty()) {
        if (reason)
            *reason = QStringLiteral("The palette could not be written in this format.");
        return false;
    }
    return saveWholeFile(path, bytes, reason);
}

std::optional<PaletteModel> parsePaletteFile(const QByteArray &bytes, QString *reason,
                                             PaletteFileGaps *gaps)
{
    const QString notPalette = QStringLiteral("not a palette file");
    if (bytes.size() > MaximumPaletteFileSize)
        return refuse(reason, QStringLiteral("larger than a palette file can be"));
    if (!isUtf8(bytes))
        return refuse(reason, QStringLiteral("not UTF-8 text"));
    const Xml::ParserContext parser(xmlNewParserCtxt());
    if (!parser)
        return refuse(reason, QStringLiteral("out of memory"));
    const Xml::Document document(Xml::readMemory(parser.get(), bytes, "UTF-8", ParseOptions));
    if (!document)
        return refuse(reason, parserError(parser.get()));
    // Entities of a document type are refused outright: they are how XML bombs work.
    if (xmlGetIntSubset(document.get()))
        return refuse(reason, notPalette);
    const Xml::XPathContext xpath(xmlXPathNewContext(document.get()));
    if (!xpath)
        return refuse(reason, QStringLiteral("out of memory"));
    const QString version = content(firstNode(xpath.get(), "/orvo-palette/@version"));
    const QString system = content(firstNode(xpath.get(), "/orvo-palette/@system"));
    if (version.isEmpty() || system.isEmpty())
        return refuse(reason, notPalette);
    const int major = majorVersion(version);
    QUuid collection;
    if (major == 2) {
        if (DB::collectionUuidBySystemId(system, collection) != DB::Success)
            return refuse(reason,
                          QStringLiteral("its collection \"%1\" is not installed").arg(system));
    } else if (major == 3) {
        if (system.compare(QLatin1String("multi-collection"), Qt::CaseInsensitive) != 0)
            return refuse(reason, notPalette);
    } else {
        return refuse(reason, QStringLiteral("version %1 is not supported").arg(version));
    }
    PaletteModel palette;
    if (xmlNode *description = firstNode(xpath.get(), "/orvo-palette/description");
        description && description->type == XML_ELEMENT_NODE)
        palette.setDescription(content(description->children));
    PaletteFileGaps found;
    readChips(xpath.get(), major, collection, palette, found);
    if (gaps)
        *gaps = found;
    return palette;
}

PaletteFileRead readPaletteFile(const QString &path)
{
    QFile file(path);
    QString reason;
    if (!openRegularFile(file, &reason))
        return {file.exists(), std::nullopt, reason, {}};
    PaletteFileRead read {true, std::nullopt, {}, {}};
    const QByteArray bytes = file.read(MaximumPaletteFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        read.reason = file.errorString();
    else
        read.palette = parsePaletteFile(bytes, &read.reason, &read.gaps);
    return read;
}

} // namespace Sorven
