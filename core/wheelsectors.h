#pragma once

#include "core/collectionsettings.h"

#include <QUuid>
#include <QVector>

#include <optional>

// The colour wheel's division of a full turn into hue segments, and the segment a click or a
// wheel step leads to. Angles are mathematical: radians from 0 (pointing right) to 2π,
// growing counter-clockwise.
namespace Sorven {

struct WheelSector
{
    enum Flag : quint8 {
        EndIncluded = 0x1,
        StartIncluded = 0x2,
    };

    double startAngle = 0.0;
    double endAngle = 0.0;
    quint8 flags = StartIncluded | EndIncluded;
    int segment = 0;

    bool contains(double angle) const;
};

// The wheel's geometry as a collection declares it.
struct WheelLayout
{
    int segmentCount = 12;
    // The centre angle of segment 1.
    double firstAngle = 0.0;
    // Segment numbers grow counter-clockwise only for "CCW"; every other value, including none,
    // turns them clockwise, for the pointer and the sectors alike.
    bool counterClockwise = false;

    static WheelLayout of(const QUuid &uuid);

    double sectorAngle() const;
    // The centre angle of a segment, not reduced into [0, 2π].
    double centreAngle(int segment) const;
};

// One sector per segment that occurs in segments, in segment order; a sector that reaches past
// 2π or below 0 is split into one entry ending at 2π and one starting at 0.
QVector<WheelSector> wheelSectors(const WheelLayout &layout, const QVector<int> &segments);
QVector<WheelSector> wheelSectors(const QUuid &uuid);

// The segment of the first sector that contains angle, or nothing.
std::optional<int> sectorSegmentAt(const QVector<WheelSector> &sectors, double angle);

// The segment to show for a request: the first one at or after segment with a page passing the
// stored mood and exterior filters, wrapping around; segment itself when no page passes.
int segmentToGoTo(const QUuid &uuid, int segment);

// One wheel step from the stored segment, skipping segments without a page that passes the
// filters. Nothing when none of the segments 1 to N has one.
std::optional<int> wheelStepSegment(const QUuid &uuid, bool towardsUser);

} // namespace Sorven
