#include "tools/demonames.h"

#include "tools/democolor.h"
#include "tools/demorandom.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace Sorven::Demo {

namespace {

const std::array<const char *, SegmentCount> SegmentNames {
    "Red",  "Orange", "Yellow", "Lime",   "Green",   "Teal",
    "Cyan", "Azure",  "Blue",   "Violet", "Magenta", "Rose",
};

const std::array<QStringList, SegmentCount> &hueNouns()
{
    static const std::array<QStringList, SegmentCount> nouns {
        QStringList {"Poppy", "Cherry", "Cranberry", "Brick", "Garnet", "Ruby", "Paprika",
                     "Lacquer"},
        {"Apricot", "Tangerine", "Amber", "Copper", "Saffron", "Pumpkin", "Terracotta", "Marigold"},
        {"Lemon", "Mimosa", "Honey", "Butter", "Mustard", "Straw", "Sunflower", "Citrine"},
        {"Pear", "Chartreuse", "Lime", "Olive", "Fern", "Pistachio", "Moss", "Kiwi"},
        {"Sage", "Jade", "Clover", "Basil", "Emerald", "Ivy", "Spruce", "Meadow"},
        {"Eucalyptus", "Mint", "Lagoon", "Celadon", "Verdigris", "Teal", "Seafoam", "Juniper"},
        {"Glacier", "Aqua", "Turquoise", "Surf", "Capri", "Lake", "Tide", "Pool"},
        {"Sky", "Cornflower", "Denim", "Harbour", "Horizon", "Atlantic", "Cobalt", "Delft"},
        {"Indigo", "Sapphire", "Ink", "Navy", "Bluebell", "Iris", "Ultramarine", "Lapis"},
        {"Lavender", "Lilac", "Amethyst", "Heather", "Violet", "Wisteria", "Plum", "Mauve"},
        {"Orchid", "Fuchsia", "Peony", "Berry", "Magenta", "Mulberry", "Azalea", "Dahlia"},
        {"Blush", "Rose", "Coral", "Flamingo", "Raspberry", "Petal", "Camellia", "Sorbet"},
    };
    return nouns;
}

const QStringList &offwhiteNouns()
{
    static const QStringList nouns {"Chalk",     "Porcelain", "Ivory", "Cotton",
                                    "Alabaster", "Parchment", "Cream", "Shell"};
    return nouns;
}

const QStringList &neutralNouns()
{
    static const QStringList nouns {"Pebble", "Flint", "Stone",    "Slate",  "Driftwood",
                                    "Putty",  "Ash",   "Mushroom", "Oyster", "Basalt"};
    return nouns;
}

// Five lightness bands, lightest first.
int lightnessBand(double lightness)
{
    const std::array<double, 4> limits {0.88, 0.75, 0.55, 0.40};
    return int(std::count_if(limits.begin(), limits.end(),
                             [lightness](double limit) { return lightness <= limit; }));
}

const std::array<QStringList, 5> &lightnessWords()
{
    static const std::array<QStringList, 5> words {
        QStringList {"Whisper", "Morning", "Feather", "Silk", "Cloud", "Moonlit"},
        {"Spring", "Breeze", "Dawn", "Gentle", "Linen", "Sunlit"},
        {"Garden", "Studio", "Harbour", "Classic", "Field", "Atelier"},
        {"Autumn", "Velvet", "Royal", "Forest", "Harvest", "Canyon"},
        {"Midnight", "Shadow", "Ember", "Night", "Storm", "Smoked"},
    };
    return words;
}

bool isNeutral(DemoFamily family)
{
    return family == DemoFamily::LightNeutral || family == DemoFamily::DarkNeutral;
}

bool isWarm(int segment)
{
    return segment <= 3 || segment == SegmentCount;
}

} // namespace

QString segmentName(int segment)
{
    return QString::fromLatin1(SegmentNames[std::clamp(segment, 1, SegmentCount) - 1]);
}

QString familyLabel(DemoFamily family)
{
    switch (family) {
    case DemoFamily::Offwhite:
        return QStringLiteral("Offwhites");
    case DemoFamily::LightNeutral:
        return QStringLiteral("Light neutrals");
    case DemoFamily::DarkNeutral:
        return QStringLiteral("Deep neutrals");
    case DemoFamily::Pastel:
        return QStringLiteral("Pastels");
    case DemoFamily::Muted:
        return QStringLiteral("Muted tones");
    case DemoFamily::Dusty:
        return QStringLiteral("Dusty tones");
    case DemoFamily::Medium:
        return QStringLiteral("Mid tones");
    case DemoFamily::Clear:
        return QStringLiteral("Clear tones");
    case DemoFamily::Bright:
        return QStringLiteral("Bright tones");
    case DemoFamily::Vivid:
        return QStringLiteral("Vivid tones");
    case DemoFamily::Deep:
        return QStringLiteral("Deep tones");
    case DemoFamily::Rich:
        return QStringLiteral("Rich tones");
    case DemoFamily::Earthy:
        return QStringLiteral("Earth tones");
    }
    return QString();
}

QString chipName(DemoFamily family, int segment, double lightness, DemoRandom &random)
{
    const QStringList &words = lightnessWords()[lightnessBand(lightness)];
    const QStringList &nouns = family == DemoFamily::Offwhite ? offwhiteNouns()
        : isNeutral(family)                                   ? neutralNouns()
                            : hueNouns()[std::clamp(segment, 1, SegmentCount) - 1];
    return words[random.bounded(0, int(words.size()) - 1)] + QLatin1Char(' ')
        + nouns[random.bounded(0, int(nouns.size()) - 1)];
}

QString chipDescription(DemoFamily family, int segment, double lightness)
{
    static const std::array<const char *, 5> bands {"Pale", "Light", "Mid", "Deep", "Dark"};
    const QString band = QString::fromLatin1(bands[lightnessBand(lightness)]);
    if (family == DemoFamily::Offwhite)
        return isWarm(segment) ? QStringLiteral("Warm White") : QStringLiteral("Cool White");
    if (isNeutral(family))
        return band
            + (isWarm(segment) ? QStringLiteral(" Warm Grey") : QStringLiteral(" Cool Grey"));
    return band + QLatin1Char(' ') + segmentName(segment);
}

} // namespace Sorven::Demo
