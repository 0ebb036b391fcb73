#pragma once

#include "core/enumerations.h"

#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <QUuid>

namespace Sorven {

// Typed answers, with defaults, from the SETTING rows of a collection. Answers are cached for
// one collection at a time: asking about another collection empties the cache first. Rows that
// are absent are not cached, so they are looked up again on every call.
class CollectionSettings : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(CollectionSettings)

public:
    enum CardType {
        NoCardType = 0,
        NormalCard = 1,
        PolvaronCard = 2,
    };
    Q_ENUM(CardType)

    enum SegmentOrientation {
        NoOrientation = 0,
        Clockwise = 1,
        CounterClockwise = 2,
    };
    Q_ENUM(SegmentOrientation)

    enum CardMode {
        NoCardMode = 0,
        ModeColorToColor = 1,
        ModeColorToCard = 2,
        ModeCardToCard = 3,
    };
    Q_ENUM(CardMode)

    enum MoodMode {
        NoMoodMode = 0,
        MoodModeNormal = 1,
        MoodModeWarmFreshEquals = 2,
    };
    Q_ENUM(MoodMode)

    // Keys the cache to uuid; the same collection keeps what is cached.
    static void setCurrentCollection(const QUuid &uuid);

    static int maxChipsOnAPage(const QUuid &uuid);
    static CardType cardType(const QUuid &uuid);
    // Always at least 1.
    static int numOfSegments(const QUuid &uuid);
    static double firstSegmentAngle(const QUuid &uuid);
    static SegmentOrientation segmentIncrementOrientation(const QUuid &uuid);
    static CardMode cardMode(const QUuid &uuid);
    static MoodMode moodMode(const QUuid &uuid);
    static bool productsMode(const QUuid &uuid);
    static QString productNameCodeSeparator(const QUuid &uuid);
    static QString headerLink(const QUuid &uuid);
    static QString helpLink(const QUuid &uuid);

    static bool hasExteriorFilter(const QUuid &uuid);
    static bool moodVisible(const QUuid &uuid);
    static bool hasColorSchemesPage(const QUuid &uuid);
    static bool tooltipShowPageName(const QUuid &uuid);
    static bool tooltipShowRowName(const QUuid &uuid);
    static bool tooltipShowRowCode(const QUuid &uuid);
    static bool tooltipShowRowAuxiliaryInfo(const QUuid &uuid);
    static bool tooltipShowCollectionName(const QUuid &uuid);
    static bool tooltipShowPageIndex(const QUuid &uuid);
    static bool tooltipShowRowIndex(const QUuid &uuid);
    static bool exportColorNameAppendProductCode(const QUuid &uuid);
    static bool capsureEnabled(const QUuid &uuid);
    static QString capsureFolderToWatch(const QUuid &uuid);
    static QString capsureFilenameToWatch(const QUuid &uuid);
    static bool savePaletteTextFormat(const QUuid &uuid, bool defaultValue);

    // The schemes page is always available; textures need the shared settings' consent too.
    static TabBarPages availableTabBarPages(const QUuid &uuid);
    // Starts with the schemes page; a name that matches no page stays as NoTabBarPage.
    static QList<TabBarPage> tabBarPages(const QUuid &uuid);
    // A name that matches no scheme stays as NoScheme.
    static QList<SchemeKind> schemes(const QUuid &uuid);
    static QSize trendoraChipSize(const QUuid &uuid);
    static QSize textureSize(const QUuid &uuid, const QSize &defaultSize);
    // The positive intervals in order; never empty.
    static QList<double> cie2000DeltaIntervals(const QUuid &uuid);
    static bool hasPageWithExteriorMood(const QUuid &uuid, Mood mood);

private:
    CollectionSettings() = default;
};

} // namespace Sorven
