#include "packagecontents.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVersionNumber>

#include <memory>
#include <optional>

namespace {

// The host this stand-in plays: its operating system, product and release series as the
// bundle format names them (release 19.0, the first of the two releases the palette supports).
const QString HostOs = QStringLiteral("Linux");
const QString HostPlatform = QStringLiteral("AutoCAD");
const QVersionNumber HostSeries(19, 0);

// Far larger than any real package description, small enough to refuse a hostile file early.
constexpr qint64 SizeLimit = 1024 * 1024;

struct Deleter
{
    void operator()(xmlDoc *document) const { xmlFreeDoc(document); }
    void operator()(xmlParserCtxt *context) const { xmlFreeParserCtxt(context); }
    void operator()(xmlChar *text) const { xmlFree(text); }
};

using Document = std::unique_ptr<xmlDoc, Deleter>;
using ParserContext = std::unique_ptr<xmlParserCtxt, Deleter>;
using Text = std::unique_ptr<xmlChar, Deleter>;

// Entities are what a hostile file uses to grow in memory: a package description needs none.
void refuseEntityDeclaration(void *context, const xmlChar *, int, const xmlChar *, const xmlChar *,
                             xmlChar *)
{
    xmlStopParser(static_cast<xmlParserCtxtPtr>(context));
}

void ignoreMessage(void *, const char *, ...) { }

bool isElement(const xmlNode *node, const char *name)
{
    return node->type == XML_ELEMENT_NODE && xmlStrEqual(node->name, BAD_CAST name);
}

QString attribute(xmlNode *element, const char *name)
{
    const Text value(xmlGetProp(element, BAD_CAST name));
    return value ? QString::fromUtf8(reinterpret_cast<const char *>(value.get())) : QString();
}

// The nearest value of a RuntimeRequirements attribute: an entry's own, else its Components',
// else the package's. Null when none of them says.
QString requirement(xmlNode *element, const char *name)
{
    for (xmlNode *level = element; level && level->type == XML_ELEMENT_NODE;
         level = level->parent) {
        for (xmlNode *child = level->children; child; child = child->next) {
            if (isElement(child, "RuntimeRequirements") && xmlHasProp(child, BAD_CAST name))
                return attribute(child, name);
        }
    }
    return {};
}

// "R19", "R19.1" or "19.1"; nothing for anything else.
std::optional<QVersionNumber> series(QString text)
{
    if (text.startsWith(u'R'))
        text.remove(0, 1);
    qsizetype end = 0;
    const QVersionNumber number = QVersionNumber::fromString(text, &end);
    if (number.isNull() || end != text.size() || number.segmentCount() > 2)
        return std::nullopt;
    return number;
}

bool listsValue(const QString &values, const QString &value)
{
    if (values.isNull())
        return true;
    for (const QString &each : values.split(u'|')) {
        const QString pattern = each.trimmed();
        if (pattern == value || (pattern.endsWith(u'*') && value.startsWith(pattern.chopped(1))))
            return true;
    }
    return false;
}

enum class Match { Yes, No, Damaged };

// A maximum without a minor release ("R19") takes in every release of that series.
Match matchesHost(xmlNode *entry)
{
    if (!listsValue(requirement(entry, "OS"), HostOs)
        || !listsValue(requirement(entry, "Platform"), HostPlatform))
        return Match::No;
    const QString minimum = requirement(entry, "SeriesMin");
    const QString maximum = requirement(entry, "SeriesMax");
    const auto low = minimum.isNull() ? QVersionNumber() : series(minimum);
    const auto high = maximum.isNull() ? QVersionNumber() : series(maximum);
    if (!low || !high)
        return Match::Damaged;
    if (!low->isNull() && HostSeries < *low)
        return Match::No;
    if (!high->isNull() && HostSeries > *high && !high->isPrefixOf(HostSeries))
        return Match::No;
    return Match::Yes;
}

bool isTrue(const QString &value)
{
    return value.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
}

QByteArray readLimited(const QString &path, QString &error)
{
    // A FIFO or a device would block or never end: only a regular file is read.
    const QFileInfo info(path);
    if (!info.isFile()) {
        error = info.exists() ? QStringLiteral("not a regular file") : QStringLiteral("missing");
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot be opened: %1").arg(file.errorString());
        return {};
    }
    const QByteArray bytes = file.read(SizeLimit + 1);
    if (bytes.size() > SizeLimit)
        error = QStringLiteral("larger than 1 MB");
    else if (file.error() != QFile::NoError)
        error = QStringLiteral("cannot be read: %1").arg(file.errorString());
    return error.isEmpty() ? bytes : QByteArray();
}

} // namespace

PackageContents PackageContents::read(const QString &bundleFolder)
{
    PackageContents contents;
    const QString path = QDir(bundleFolder).filePath(QStringLiteral("PackageContents.xml"));
    QString error;
    const QByteArray xml = readLimited(path, error);
    if (error.isEmpty())
        contents.readDocument(bundleFolder, xml);
    else
        contents.m_problems.append(QStringLiteral("%1: %2").arg(path, error));
    return contents;
}

void PackageContents::readDocument(const QString &bundleFolder, const QByteArray &xml)
{
    const QString path = QDir(bundleFolder).filePath(QStringLiteral("PackageContents.xml"));
    const ParserContext parser(xmlNewParserCtxt());
    if (!parser) {
        m_problems.append(QStringLiteral("%1: out of memory").arg(path));
        return;
    }
    parser->sax->entityDecl = refuseEntityDeclaration;
    // No network, no external DTD, no entity substitution, and no messages on standard error:
    // libxml2 reports some faults through its process-wide handler whatever the options say.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    void *const errorContext = xmlGenericErrorContext;
    const xmlGenericErrorFunc handler = xmlGenericError;
    xmlSetGenericErrorFunc(nullptr, ignoreMessage);
    const Document document(
        xmlCtxtReadMemory(parser.get(), xml.constData(), int(xml.size()), "", nullptr, options));
    xmlSetGenericErrorFunc(errorContext, handler);
    xmlNode *root = document ? xmlDocGetRootElement(document.get()) : nullptr;
    QString error;
    if (parser->errNo == XML_ERR_USER_STOP)
        error = QStringLiteral("declares entities");
    else if (!document || !parser->wellFormed)
        error = QStringLiteral("not well-formed XML");
    else if (!root || !isElement(root, "ApplicationPackage"))
        error = QStringLiteral("no ApplicationPackage element");
    if (!error.isEmpty()) {
        m_problems.append(QStringLiteral("%1: %2").arg(path, error));
        return;
    }
    for (xmlNode *components = root->children; components; components = components->next) {
        if (!isElement(components, "Components"))
            continue;
        for (xmlNode *entry = components->children; entry; entry = entry->next) {
            if (!isElement(entry, "ComponentEntry")
                || !isTrue(attribute(entry, "LoadOnAutoCADStartup")))
                continue;
            const Match match = matchesHost(entry);
            if (match == Match::Damaged)
                m_problems.append(QStringLiteral("%1: %2: unreadable SeriesMin or SeriesMax")
                                      .arg(path, attribute(entry, "AppName")));
            else if (match == Match::Yes)
                addComponent(bundleFolder, attribute(entry, "ModuleName"),
                             attribute(entry, "AppName"));
        }
    }
}

// A module path leads into the bundle, never out of it: a description that points elsewhere
// would let a copied bundle load any file on the machine.
void PackageContents::addComponent(const QString &bundleFolder, const QString &moduleName,
                                   const QString &appName)
{
    const QString bundle = QDir::cleanPath(QDir(bundleFolder).absolutePath());
    const QString module = QDir::cleanPath(QDir(bundle).filePath(moduleName));
    QString error;
    if (moduleName.isEmpty() || QDir::isAbsolutePath(moduleName)
        || !module.startsWith(bundle + u'/'))
        error = QStringLiteral("module \"%1\" lies outside the bundle").arg(moduleName);
    else if (!QFileInfo(module).isFile())
        error = QStringLiteral("module file %1 is missing").arg(module);
    if (error.isEmpty())
        m_startupModules.append(module);
    else
        m_problems.append(
            QStringLiteral("%1: %2: %3")
                .arg(QDir(bundle).filePath(QStringLiteral("PackageContents.xml")), appName, error));
}
