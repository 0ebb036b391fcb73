#include "tools/authorharmonycommands.h"

#include "core/collectionsettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/search.h"
#include "harmonizer/schemechips.h"
#include "tools/commandarguments.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

namespace Sorven::Tools {

namespace {

const char *const HarmonyUsage = "harmony COLLECTION PAGE_INDEX ROW [--kind K] [--subkind S]";

// Where a chip sits in its collection: scheme rows number their chips in scheme order. Pages
// are read once per answer.
class ChipPlaces
{
public:
    explicit ChipPlaces(const QUuid &collection) : m_collection(collection) { }

    QJsonObject json(const DB::ColorEntry &chip)
    {
        const DB::ColorPage &page = pageOf(chip.pageId);
        const auto onPage
            = std::find_if(page.entries.cbegin(), page.entries.cend(),
                           [&chip](const DB::ColorEntry &entry) { return entry.id == chip.id; });
        return {{"code", chip.code},
                {"color", chip.color().name()},
                {"pageIndex", page.pageIndex},
                {"rowIndex", onPage == page.entries.cend() ? -1 : onPage->rowIndex}};
    }

private:
    const DB::ColorPage &pageOf(qint64 pageId)
    {
        if (!m_pages.contains(pageId))
            DB::loadPageById(m_collection, pageId, false, m_pages[pageId]);
        return m_pages[pageId];
    }

    QUuid m_collection;
    QHash<qint64, DB::ColorPage> m_pages;
};

QString rowsText(const QJsonArray &rows)
{
    QString text;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        text += QStringLiteral("Row %1:").arg(row + 1);
        for (const QJsonValue &value : rows[row].toArray()) {
            const QJsonObject chip = value.toObject();
            text += QStringLiteral("  %1 %2 (page %3, row %4)")
                        .arg(chip["code"].toString(), chip["color"].toString())
                        .arg(chip["pageIndex"].toInt())
                        .arg(chip["rowIndex"].toInt());
        }
        text += u'\n';
    }
    return text;
}

InspectResult answer(const QUuid &collection, int kind, const QList<QVector<DB::ColorEntry>> &rows)
{
    ChipPlaces places(collection);
    QJsonArray rowsJson;
    for (const QVector<DB::ColorEntry> &row : rows) {
        QJsonArray chips;
        for (const DB::ColorEntry &chip : row)
            chips.append(places.json(chip));
        rowsJson.append(chips);
    }
    const QString text = QStringLiteral("Collection %1, scheme %2, %3 rows\n")
                             .arg(collection.toString())
                             .arg(kind)
                             .arg(rows.size())
        + rowsText(rowsJson);
    return {0,
            QJsonObject {{"collection", collection.toString()}, {"kind", kind}, {"rows", rowsJson}},
            text,
            {}};
}

SchemeChips schemeOf(const SchemeRequest &given)
{
    const QUuid inUse = schemeCollectionFor(given.collection);
    QVector<DB::LabSample> samples;
    if (inUse != given.collection)
        DB::loadLabSamples(inUse, samples);
    return loadSchemeChips(schemeRequestIn(given, inUse, samples));
}

// Powder-coating collections show their contrast trio under no scheme kind of its own.
QList<QCommandLineOption> harmonyOptions()
{
    return {QCommandLineOption(QStringLiteral("kind"), {}, QStringLiteral("K")),
            QCommandLineOption(QStringLiteral("subkind"), {}, QStringLiteral("K"),
                               QString::number(TonalNeutralScheme))};
}

InspectResult harmony(const QStringList &words)
{
    CommandArguments line(words, harmonyOptions());
    const QStringList arguments = line.positional();
    if (!line.error().isEmpty())
        return InspectResult::failure(line.error());
    if (arguments.size() != 3)
        return InspectResult::failure(QStringLiteral("usage: %1").arg(QLatin1String(HarmonyUsage)));
    SchemeRequest request;
    request.collection = resolveCollection(arguments[0]);
    if (request.collection.isNull())
        return InspectResult::failure(QStringLiteral("no collection %1").arg(arguments[0]));
    bool pageOk = false;
    bool rowOk = false;
    request.pageIndex = arguments[1].toInt(&pageOk);
    request.rowIndex = arguments[2].toInt(&rowOk);
    request.kind = line.isSet(QStringLiteral("kind"))
        ? SchemeKind(line.number(QStringLiteral("kind"), NoScheme, NaturalNeutralScheme))
        : CollectionSettings::schemes(request.collection).value(0, HarmonicScheme);
    request.subKind
        = SchemeKind(line.number(QStringLiteral("subkind"), HarmonicScheme, NaturalNeutralScheme));
    if (!line.error().isEmpty())
        return InspectResult::failure(line.error());
    if (!pageOk || !rowOk)
        return InspectResult::failure(QStringLiteral("usage: %1").arg(QLatin1String(HarmonyUsage)));

    if (CollectionSettings::cardType(request.collection) == CollectionSettings::PolvaronCard) {
        const QVector<DB::ColorEntry> chips
            = loadPolvaronSchemeChips(request.collection, request.pageIndex, request.rowIndex);
        return answer(request.collection, NoScheme,
                      chips.isEmpty() ? QList<QVector<DB::ColorEntry>>()
                                      : QList<QVector<DB::ColorEntry>> {chips});
    }
    const SchemeChips scheme = schemeOf(request);
    return answer(scheme.collection, scheme.kind, scheme.rows);
}

} // namespace

const QList<InspectCommand> &harmonyCommands()
{
    static const QList<InspectCommand> commands = {
        {"harmony", HarmonyUsage, harmony, harmonyOptions()},
    };
    return commands;
}

} // namespace Sorven::Tools
