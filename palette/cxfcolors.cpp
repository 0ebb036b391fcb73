#include "palette/cxfcolors.h"

#include "palette/chromaticadaptation.h"

#include <QColor>
#include <QHash>

#include <cmath>
#include <memory>
#include <optional>

namespace Sorven {

namespace {

using XPathObject = std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)>;

XPathObject evaluated(xmlXPathContextPtr xpath, xmlNodePtr from, const char *expression)
{
    xpath->node = from;
    return {xmlXPathEvalExpression(BAD_CAST expression, xpath), xmlXPathFreeObject};
}

QList<xmlNodePtr> nodes(xmlXPathContextPtr xpath, xmlNodePtr from, const char *expression)
{
    const XPathObject found = evaluated(xpath, from, expression);
    QList<xmlNodePtr> result;
    if (found && found->type == XPATH_NODESET && found->nodesetval) {
        for (int i = 0; i < found->nodesetval->nodeNr; ++i)
            result.append(found->nodesetval->nodeTab[i]);
    }
    return result;
}

// The expression is a string() call, so that a missing element reads as empty text.
QString text(xmlXPathContextPtr xpath, xmlNodePtr from, const char *expression)
{
    const XPathObject value = evaluated(xpath, from, expression);
    if (!value || value->type != XPATH_STRING || !value->stringval)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char *>(value->stringval));
}

std::optional<double> number(xmlXPathContextPtr xpath, xmlNodePtr from, const char *expression)
{
    bool ok = false;
    const double value = text(xpath, from, expression).trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional(value) : std::nullopt;
}

// White point data in the file wins over the table: the file's values were computed with it.
std::optional<XyzColor> conditionsWhite(xmlXPathContextPtr xpath, xmlNodePtr conditions)
{
    const auto x = number(xpath, conditions, "string(cc:TristimulusSpec/cc:Illuminant/@X)");
    const auto y = number(xpath, conditions, "string(cc:TristimulusSpec/cc:Illuminant/@Y)");
    const auto z = number(xpath, conditions, "string(cc:TristimulusSpec/cc:Illuminant/@Z)");
    if (x && y && z && *x > 0.0 && *y > 0.0 && *z > 0.0)
        return XyzColor {*x / *y, 1.0, *z / *y};
    return standardWhitePoint(
        text(xpath, conditions, "string(cc:TristimulusSpec/cc:Illuminant)").trimmed(),
        text(xpath, conditions, "string(cc:TristimulusSpec/cc:Observer)").trimmed());
}

// Measurement conditions may follow the objects that name them; the first of a repeated Id counts.
QHash<QString, XyzColor> conditionWhites(xmlXPathContextPtr xpath)
{
    QHash<QString, XyzColor> whites;
    for (xmlNodePtr conditions : nodes(xpath, nullptr, "//cc:ColorSpecification")) {
        const QString id = text(xpath, conditions, "string(@Id)");
        if (id.isEmpty() || whites.contains(id))
            continue;
        if (const std::optional<XyzColor> white = conditionsWhite(xpath, conditions))
            whites.insert(id, *white);
    }
    return whites;
}

std::optional<LabColor> labValue(xmlXPathContextPtr xpath, xmlNodePtr object,
                                 const QHash<QString, XyzColor> &whites)
{
    for (xmlNodePtr lab : nodes(xpath, object, "cc:ColorValues/cc:ColorCIELab")) {
        const auto white = whites.constFind(text(xpath, lab, "string(@ColorSpecification)"));
        const auto l = number(xpath, lab, "string(cc:L)");
        const auto a = number(xpath, lab, "string(cc:A)");
        const auto b = number(xpath, lab, "string(cc:B)");
        if (white != whites.constEnd() && l && a && b)
            return adaptedLab({*l, *a, *b}, *white, D65White);
    }
    return std::nullopt;
}

bool inRange(const std::optional<double> &channel, double maximum)
{
    return channel && *channel >= 0.0 && *channel <= maximum;
}

// sRGB values are D65/2° by definition, whatever conditions they name.
std::optional<LabColor> srgbValue(xmlXPathContextPtr xpath, xmlNodePtr object)
{
    for (xmlNodePtr rgb : nodes(xpath, object, "cc:ColorValues/cc:ColorSRGB")) {
        const bool ranged = !text(xpath, rgb, "string(cc:MaxRange)").trimmed().isEmpty();
        const std::optional<double> maximum
            = ranged ? number(xpath, rgb, "string(cc:MaxRange)") : 255.0;
        const auto r = number(xpath, rgb, "string(cc:R)");
        const auto g = number(xpath, rgb, "string(cc:G)");
        const auto b = number(xpath, rgb, "string(cc:B)");
        if (maximum && *maximum > 0.0 && inRange(r, *maximum) && inRange(g, *maximum)
            && inRange(b, *maximum))
            return labFromColor(
                QColor::fromRgbF(float(*r / *maximum), float(*g / *maximum), float(*b / *maximum)));
    }
    return std::nullopt;
}

} // namespace

QList<MeasuredColor> measuredColors(xmlXPathContextPtr xpath)
{
    const QHash<QString, XyzColor> whites = conditionWhites(xpath);
    QList<MeasuredColor> colors;
    for (xmlNodePtr object : nodes(xpath, nullptr, "//cc:Object")) {
        std::optional<LabColor> lab = labValue(xpath, object, whites);
        if (!lab)
            lab = srgbValue(xpath, object);
        if (lab)
            colors.append({text(xpath, object, "string(@Name)"), *lab});
    }
    xpath->node = nullptr;
    return colors;
}

} // namespace Sorven
