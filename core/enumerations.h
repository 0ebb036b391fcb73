#pragma once

#include <QFlags>

// The values that signals and the user settings carry between the parts of the palette. Their
// numbers are stored in settings and files, so they never change.
namespace Sorven {

// The mood of a page; MoodAll is the filter that shows every mood (as a rule without the
// off-white and neutral pages).
enum Mood {
    MoodFresh = 1,
    MoodWarm = 2,
    MoodCalm = 3,
    MoodRich = 4,
    MoodOffwhite = 5,
    MoodNeutral = 6,
    MoodAll = 7,
};

enum Direction {
    Forward = 0,
    Backward = 1,
};

// One page of the tab bar; combined as TabBarPages where a set of pages is meant.
enum TabBarPage {
    NoTabBarPage = 0,
    ColorSchemes = 1,
    Products = 2,
    Trendora = 4,
    Textures = 8,
};
Q_DECLARE_FLAGS(TabBarPages, TabBarPage)

enum SchemeKind {
    NoScheme = 0,
    HarmonicScheme = 1,
    ContrastScheme = 2,
    WideContrastScheme = 3,
    DynamicScheme = 4,
    DramaticScheme = 5,
    NeutralScheme = 6,
    TonalNeutralScheme = 7,
    ComplementaryNeutralScheme = 8,
    NaturalNeutralScheme = 9,
};

enum PaletteFileFormat {
    PaletteXmlFile = 0,
    PaletteTextFile = 1,
};

} // namespace Sorven

Q_DECLARE_OPERATORS_FOR_FLAGS(Sorven::TabBarPages)
