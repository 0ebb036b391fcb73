#include "tools/authorcolorcommands.h"

#include "core/regularfile.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/search.h"
#include "palette/collectioncolortable.h"
#include "palette/colorequivalents.h"
#include "palette/colorscience.h"
#include "palette/pickedcolor.h"
#include "palette/screenpick.h"
#include "tools/authorformat.h"
#include "tools/commandarguments.h"

#include <QColor>
#include <QFile>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>
#include <optional>

namespace Sorven::Tools {

namespace {

// Only the "#RRGGBB" form: named colours would make typing mistakes look like answers.
QColor parseColor(const QString &text)
{
    static const QRegularExpression hex(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    return hex.match(text).hasMatch() ? QColor(text) : QColor();
}

QJsonArray labJson(const LabColor &lab)
{
    return {lab.l, lab.a, lab.b};
}

QString labText(const LabColor &lab)
{
    return QStringLiteral("L* %1  a* %2  b* %3")
        .arg(lab.l, 0, 'f', 4)
        .arg(lab.a, 0, 'f', 4)
        .arg(lab.b, 0, 'f', 4);
}

// More would be a listing of the collection, which page and walk give.
const int MostNearest = 1000;

QList<QCommandLineOption> nearestOptions()
{
    return {QCommandLineOption(QStringLiteral("n"), {}, QStringLiteral("N"), QStringLiteral("5"))};
}

InspectResult nearest(const QStringList &words)
{
    CommandArguments line(words, nearestOptions());
    const int count = line.number(QStringLiteral("n"), 1, MostNearest);
    const QStringList arguments = line.positional();
    if (!line.error().isEmpty())
        return InspectResult::failure(line.error());
    if (arguments.size() != 2)
        return InspectResult::failure(QStringLiteral("usage: nearest COLLECTION '#RRGGBB' [-n N]"));
    const QUuid collection = resolveCollection(arguments[0]);
    const QColor color = parseColor(arguments[1]);
    if (collection.isNull())
        return InspectResult::failure(QStringLiteral("no collection %1").arg(arguments[0]));
    if (!color.isValid())
        return InspectResult::failure(QStringLiteral("not a colour: %1").arg(arguments[1]));
    QVector<DB::LabSample> samples;
    DB::loadLabSamples(collection, samples);
    const LabMatches matches = nearestLabSamples(labFromColor(color), samples, count);
    if (matches.isEmpty())
        return InspectResult::failure(QStringLiteral("the collection has no chips"));
    QJsonArray json;
    QString text;
    for (const auto &[difference, rowId] : matches) {
        DB::ColorEntry chip;
        DB::loadEntryById(collection, rowId, chip);
        QJsonObject entry = chipJson(chip);
        entry.insert("difference", difference);
        json.append(entry);
        text += QStringLiteral("%1  %2").arg(difference, 8, 'f', 4).arg(chipLine(chip));
    }
    return {0, json, text, {}};
}

InspectResult delta(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return InspectResult::failure(QStringLiteral("usage: delta '#RRGGBB' '#RRGGBB'"));
    const QColor first = parseColor(arguments[0]);
    const QColor second = parseColor(arguments[1]);
    if (!first.isValid() || !second.isValid())
        return InspectResult::failure(QStringLiteral("colours are written #RRGGBB"));
    const LabColor firstLab = labFromColor(first);
    const LabColor secondLab = labFromColor(second);
    const double difference = ciede2000Difference(firstLab, secondLab);
    const QString text
        = QStringLiteral("%1  %2\n%3  %4\nCIEDE2000 %5\n")
              .arg(first.name(), labText(firstLab), second.name(), labText(secondLab))
              .arg(difference, 0, 'f', 4);
    return {
        0,
        QJsonObject {{"first", QJsonObject {{"rgb", first.name()}, {"lab", labJson(firstLab)}}},
                     {"second", QJsonObject {{"rgb", second.name()}, {"lab", labJson(secondLab)}}},
                     {"difference", difference}},
        text,
        {}};
}

QJsonObject equivalentJson(const ColorEquivalent &equivalent)
{
    // Rounded as the measured-colour candidates are, so that scripts compare alike.
    return {{"collection", equivalent.chip.collection.toString()},
            {"collectionName", equivalent.collectionName},
            {"code", equivalent.code},
            {"color", equivalent.color.name()},
            {"deltaE", std::round(equivalent.deltaE * 100.0) / 100.0},
            {"withinInterval", equivalent.withinInterval}};
}

QString equivalentLine(const ColorEquivalent &equivalent)
{
    return QStringLiteral("  %1  %2  ΔE %3%4  %5  %6\n")
        .arg(terminalSafe(equivalent.code), -12)
        .arg(equivalent.color.name())
        .arg(equivalent.deltaE, 5, 'f', 2)
        .arg(equivalent.withinInterval ? QStringLiteral("  within") : QStringLiteral("        "),
             terminalSafe(equivalent.collectionName), equivalent.chip.collection.toString());
}

// The chip's nearest chip in every other collection, by the chip's own L*a*b* values.
InspectResult equivalents(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return InspectResult::failure(QStringLiteral("usage: equivalents COLLECTION CODE"));
    const QUuid collection = resolveCollection(arguments[0]);
    if (collection.isNull())
        return InspectResult::failure(QStringLiteral("no collection %1").arg(arguments[0]));
    DB::ColorEntry chip;
    if (DB::loadEntryByCode(collection, arguments[1], chip) != DB::Success)
        return InspectResult::failure(
            QStringLiteral("no chip %1 in %2").arg(arguments[1], arguments[0]));
    QJsonArray json;
    QString text = QStringLiteral("%1  %2\n").arg(terminalSafe(chip.code), chip.color().name());
    for (const ColorEquivalent &equivalent :
         equivalentsInOtherCollections({chip.l, chip.a, chip.b}, collection)) {
        json.append(equivalentJson(equivalent));
        text += equivalentLine(equivalent);
    }
    return {0,
            QJsonObject {
                {"collection", collection.toString()}, {"code", chip.code}, {"equivalents", json}},
            text,
            {}};
}

QList<QCommandLineOption> pickOptions()
{
    return {QCommandLineOption(QStringLiteral("collection"), {}, QStringLiteral("C"))};
}

// A screenshot stands for the screen: a refused file or a point off the image is an error.
std::optional<QColor> pickedColor(const QString &path, const QPoint &point, QString &error)
{
    QFile file(path);
    if (!openRegularFile(file, &error))
        return std::nullopt;
    QImageReader reader(&file);
    const QImage image = reader.read();
    if (image.isNull()) {
        error = reader.errorString();
        return std::nullopt;
    }
    const std::optional<QColor> color = ScreenPick(image).colorAt(point);
    if (!color)
        error = QStringLiteral("%1,%2 lies outside the %3 × %4 image")
                    .arg(point.x())
                    .arg(point.y())
                    .arg(image.width())
                    .arg(image.height());
    return color;
}

QJsonArray equivalentsJson(const QList<ColorEquivalent> &equivalents, QString &text)
{
    QJsonArray json;
    for (const ColorEquivalent &equivalent : equivalents) {
        json.append(equivalentJson(equivalent));
        text += equivalentLine(equivalent);
    }
    return json;
}

// What the eyedropper does with the colour at X, Y of a screenshot, the selected collection
// being C or the first one.
InspectResult pick(const QStringList &words)
{
    const CommandArguments line(words, pickOptions());
    const QStringList arguments = line.positional();
    bool xIsNumber = false;
    bool yIsNumber = false;
    const QPoint point(arguments.value(1).toInt(&xIsNumber), arguments.value(2).toInt(&yIsNumber));
    if (!line.error().isEmpty())
        return InspectResult::failure(line.error());
    if (arguments.size() != 3 || !xIsNumber || !yIsNumber)
        return InspectResult::failure(
            QStringLiteral("usage: pick IMAGE X Y [--collection COLLECTION]"));
    const QString given = line.value(QStringLiteral("collection"));
    DB::ensureCollectionsEnumerated();
    const QUuid collection
        = given.isEmpty() ? DB::availableCollections().value(0) : resolveCollection(given);
    if (collection.isNull())
        return InspectResult::failure(QStringLiteral("no collection %1").arg(given));
    QString error;
    const std::optional<QColor> color = pickedColor(arguments[0], point, error);
    if (!color)
        return InspectResult::failure(QStringLiteral("%1: %2").arg(arguments[0], error));
    loadCollectionColorTable(collection);
    const PickedColorOffer offer = offerForPickedColor(collection, *color);
    QJsonValue goesTo;
    QString goesToText = QStringLiteral("-");
    DB::ColorEntry chip;
    if (offer.chip
        && DB::loadEntryById(offer.chip->collection, offer.chip->rowId, chip) == DB::Success) {
        QJsonObject json = chipJson(chip);
        json.insert("collection", offer.chip->collection.toString());
        goesTo = json;
        goesToText = chipLine(chip).trimmed();
    }
    QString text = QStringLiteral("%1  goes to %2\nNearest:\n").arg(color->name(), goesToText);
    const QJsonArray nearest = equivalentsJson(offer.nearest, text);
    text += QStringLiteral("Other collections:\n");
    const QJsonArray others = equivalentsJson(offer.otherCollections, text);
    return {0,
            QJsonObject {{"color", color->name()},
                         {"collection", collection.toString()},
                         {"chip", goesTo},
                         {"nearest", nearest},
                         {"otherCollections", others}},
            text,
            {}};
}

} // namespace

const QList<InspectCommand> &colorCommands()
{
    static const QList<InspectCommand> commands = {
        {"nearest", "nearest COLLECTION '#RRGGBB' [-n N]", nearest, nearestOptions()},
        {"delta", "delta '#RRGGBB' '#RRGGBB'", delta},
        {"equivalents", "equivalents COLLECTION CODE", equivalents},
        {"pick", "pick IMAGE X Y [--collection COLLECTION]", pick, pickOptions()},
    };
    return commands;
}

} // namespace Sorven::Tools
