#include "core/wheelsectors.h"

#include "core/usersettings.h"
#include "db/collectionqueries.h"

#include <QtMath>

namespace Sorven {

namespace {

constexpr double FullTurn = 2.0 * M_PI;

void addReduced(QVector<WheelSector> &sectors, double start, double end, int segment)
{
    const double offset = std::floor(start / FullTurn) * FullTurn;
    start -= offset;
    end -= offset;
    if (end <= FullTurn) {
        sectors.append(
            {start, end, WheelSector::StartIncluded | WheelSector::EndIncluded, segment});
        return;
    }
    sectors.append(
        {start, FullTurn, WheelSector::StartIncluded | WheelSector::EndIncluded, segment});
    sectors.append(
        {0.0, end - FullTurn, WheelSector::StartIncluded | WheelSector::EndIncluded, segment});
}

} // namespace

bool WheelSector::contains(double angle) const
{
    const bool afterStart = (flags & StartIncluded) ? angle >= startAngle : angle > startAngle;
    const bool beforeEnd = (flags & EndIncluded) ? angle <= endAngle : angle < endAngle;
    return afterStart && beforeEnd;
}

WheelLayout WheelLayout::of(const QUuid &uuid)
{
    return {CollectionSettings::numOfSegments(uuid),
            qDegreesToRadians(CollectionSettings::firstSegmentAngle(uuid)),
            CollectionSettings::segmentIncrementOrientation(uuid)
                == CollectionSettings::CounterClockwise};
}

double WheelLayout::sectorAngle() const
{
    return FullTurn / segmentCount;
}

double WheelLayout::centreAngle(int segment) const
{
    // In floating point: a segment number from the settings may be anywhere in int's range.
    const double turn = (double(segment) - 1.0) * sectorAngle();
    return counterClockwise ? firstAngle + turn : firstAngle - turn;
}

QVector<WheelSector> wheelSectors(const WheelLayout &layout, const QVector<int> &segments)
{
    QVector<WheelSector> sectors;
    const double half = layout.sectorAngle() / 2.0;
    for (int segment = 1; segment <= layout.segmentCount; ++segment) {
        if (!segments.contains(segment))
            continue;
        const double centre = layout.centreAngle(segment);
        addReduced(sectors, centre - half, centre + half, segment);
    }
    return sectors;
}

QVector<WheelSector> wheelSectors(const QUuid &uuid)
{
    QVector<int> segments;
    DB::loadSegments(uuid, segments);
    return wheelSectors(WheelLayout::of(uuid), segments);
}

std::optional<int> sectorSegmentAt(const QVector<WheelSector> &sectors, double angle)
{
    for (const WheelSector &sector : sectors) {
        if (sector.contains(angle))
            return sector.segment;
    }
    return std::nullopt;
}

int segmentToGoTo(const QUuid &uuid, int segment)
{
    int found = segment;
    DB::findSegment(uuid, segment, UserSettings::moodFilter(uuid),
                    UserSettings::exteriorColors(uuid), found);
    return found;
}

// A collection whose filtered pages all lie in segments above N would otherwise step forever.
std::optional<int> wheelStepSegment(const QUuid &uuid, bool towardsUser)
{
    const int count = CollectionSettings::numOfSegments(uuid);
    int segment = UserSettings::segmentIndex(uuid);
    for (int step = 0; step < count; ++step) {
        segment += towardsUser ? 1 : -1;
        if (segment < 1)
            segment = count;
        else if (segment > count)
            segment = 1;
        if (segmentToGoTo(uuid, segment) == segment)
            return segment;
    }
    return std::nullopt;
}

} // namespace Sorven
