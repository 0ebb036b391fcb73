#include "core/collectionsettings.h"
#include "core/usersettings.h"
#include "db/search.h"
#include "support/fixturedatabase.h"
#include "widgets/colorwheelwidget.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <QtMath>

using namespace Sorven;

namespace {

// 12 segments from 90°, clockwise; segment 3 has no page, segments 2, 6 and 10 are warm.
const QUuid Clockwise {QStringLiteral("{3f1c2b4a-5d6e-4f70-8a91-b2c3d4e5f607}")};
// 12 segments from 0°, counter-clockwise.
const QUuid CounterClockwise {QStringLiteral("{7a6b5c4d-3e2f-4a1b-9c8d-7e6f5a4b3c2d}")};
// 2 segments from 0°, counter-clockwise: the boundaries lie exactly on the vertical axis. Its
// one warm page lies in segment 5, beyond the wheel.
const QUuid Halves {QStringLiteral("{0a1b2c3d-4e5f-4061-8273-948596a7b8c9}")};

struct Sector
{
    double start;
    double end;
    friend bool operator==(const Sector &, const Sector &) = default;
};

QList<Sector> sectorsInDegrees(const QVector<WheelSector> &sectors, int segment)
{
    QList<Sector> found;
    for (const WheelSector &sector : sectors) {
        if (sector.segment == segment)
            found.append({std::round(qRadiansToDegrees(sector.startAngle) * 1e6) / 1e6,
                          std::round(qRadiansToDegrees(sector.endAngle) * 1e6) / 1e6});
    }
    return found;
}

void select(const QUuid &uuid, Mood mood, int segment)
{
    UserSettings::setLastUsedCollection(uuid);
    UserSettings::setMoodFilter(uuid, mood);
    UserSettings::setSegmentIndex(uuid, segment);
}

void turnWheel(ColorWheelWidget &wheel, int delta)
{
    const QPointF pos(60, 61);
    QWheelEvent event(pos, wheel.mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&wheel, &event);
}

void moveTo(ColorWheelWidget &wheel, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, wheel.mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&wheel, &move);
}

QList<int> emitted(const QSignalSpy &spy)
{
    QList<int> segments;
    for (const QList<QVariant> &arguments : spy)
        segments.append(arguments.at(0).toInt());
    return segments;
}

} // namespace

Q_DECLARE_METATYPE(QList<Sector>)

class TestColorWheelWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        FixtureDatabase fixture(QStringLiteral("wheel.db"));
        fixture.addTheme(0, QStringLiteral("image.widget.color.wheel.background"),
                         pngBytes(QSize(122, 122), Qt::black));
        const qint64 clockwise = addWheel(fixture, Clockwise, "CW", 1, 12, 90);
        const qint64 counter = addWheel(fixture, CounterClockwise, "CCW", 2, 12, 0);
        const qint64 halves = addWheel(fixture, Halves, "CCW", 3, 2, 0);
        for (int segment = 1; segment <= 12; ++segment) {
            if (segment != 3)
                fixture.addPage(clockwise, segment, segment, QString::number(segment),
                                segment % 4 == 2 ? MoodWarm : MoodFresh);
            fixture.addPage(counter, segment, segment, QString::number(segment), MoodFresh);
        }
        fixture.addPage(halves, 1, 1, QStringLiteral("1"), MoodFresh);
        fixture.addPage(halves, 2, 2, QStringLiteral("2"), MoodFresh);
        fixture.addPage(halves, 3, 5, QStringLiteral("5"), MoodWarm);
        resetDatabaseLayer();
    }

    void sectorTables_data()
    {
        QTest::addColumn<QUuid>("collection");
        QTest::addColumn<int>("segment");
        QTest::addColumn<QList<Sector>>("sectors");
        QTest::newRow("90° CW: segment 1 at the top")
            << Clockwise << 1 << QList<Sector> {{75, 105}};
        QTest::newRow("90° CW: segment 2") << Clockwise << 2 << QList<Sector> {{45, 75}};
        QTest::newRow("90° CW: segment 4 split at 0°")
            << Clockwise << 4 << QList<Sector> {{345, 360}, {0, 15}};
        QTest::newRow("90° CW: segment 3 has no page") << Clockwise << 3 << QList<Sector> {};
        QTest::newRow("0° CCW: segment 1 split at 0°")
            << CounterClockwise << 1 << QList<Sector> {{345, 360}, {0, 15}};
        QTest::newRow("0° CCW: segment 2") << CounterClockwise << 2 << QList<Sector> {{15, 45}};
    }

    void sectorTables()
    {
        QFETCH(QUuid, collection);
        QFETCH(int, segment);
        QFETCH(QList<Sector>, sectors);
        select(collection, MoodAll, 1);
        ColorWheelWidget wheel;
        QCOMPARE(sectorsInDegrees(wheel.sectors(), segment), sectors);
    }

    void clicks_data()
    {
        QTest::addColumn<QUuid>("collection");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<QList<int>>("segments");
        QTest::newRow("top") << Clockwise << QPoint(60, 20) << QList<int> {1};
        QTest::newRow("right, across 0°") << Clockwise << QPoint(100, 61) << QList<int> {4};
        QTest::newRow("segment without pages") << Clockwise << QPoint(86, 46) << QList<int> {};
        QTest::newRow("centre") << Clockwise << QPoint(60, 61) << QList<int> {};
        QTest::newRow("beyond the hit radius") << Clockwise << QPoint(118, 61) << QList<int> {};
        QTest::newRow("on the rim") << Clockwise << QPoint(117, 61) << QList<int> {4};
        QTest::newRow("boundary at 90° takes the first entry")
            << Halves << QPoint(60, 41) << QList<int> {1};
        QTest::newRow("boundary at 270° takes the first entry")
            << Halves << QPoint(60, 81) << QList<int> {1};
        QTest::newRow("inside the second half") << Halves << QPoint(40, 61) << QList<int> {2};
    }

    void clicks()
    {
        QFETCH(QUuid, collection);
        QFETCH(QPoint, pos);
        QFETCH(QList<int>, segments);
        select(collection, MoodAll, 1);
        ColorWheelWidget wheel;
        QSignalSpy spy(&wheel, &ColorWheelWidget::segmentChangedInteractively);
        QTest::mouseClick(&wheel, Qt::LeftButton, {}, pos);
        QCOMPARE(emitted(spy), segments);
    }

    void dragPausesOutsideAndEndsOnRelease()
    {
        select(Clockwise, MoodAll, 1);
        ColorWheelWidget wheel;
        QSignalSpy spy(&wheel, &ColorWheelWidget::segmentChangedInteractively);
        QTest::mousePress(&wheel, Qt::LeftButton, {}, QPoint(60, 20));
        moveTo(wheel, QPoint(60, 21));
        moveTo(wheel, QPoint(121, 61));
        moveTo(wheel, QPoint(100, 61));
        QTest::mouseRelease(&wheel, Qt::LeftButton, {}, QPoint(100, 61));
        moveTo(wheel, QPoint(60, 20));
        QCOMPARE(emitted(spy), QList<int>({1, 1, 4}));
    }

    void wheelStepsSkipSegmentsWithoutFilteredPages_data()
    {
        QTest::addColumn<QUuid>("collection");
        QTest::addColumn<int>("mood");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("delta");
        QTest::addColumn<QList<int>>("segments");
        QTest::newRow("towards the user from N wraps to 1")
            << Clockwise << int(MoodFresh) << 12 << -120 << QList<int> {1};
        QTest::newRow("skips a segment without pages")
            << Clockwise << int(MoodFresh) << 2 << -120 << QList<int> {4};
        QTest::newRow("skips segments without warm pages")
            << Clockwise << int(MoodWarm) << 2 << -120 << QList<int> {6};
        QTest::newRow("away from the user")
            << Clockwise << int(MoodWarm) << 2 << 120 << QList<int> {10};
        QTest::newRow("no delta counts as away")
            << Clockwise << int(MoodFresh) << 2 << 0 << QList<int> {1};
        QTest::newRow("filtered pages only beyond the wheel")
            << Halves << int(MoodWarm) << 1 << -120 << QList<int> {};
    }

    void wheelStepsSkipSegmentsWithoutFilteredPages()
    {
        QFETCH(QUuid, collection);
        QFETCH(int, mood);
        QFETCH(int, stored);
        QFETCH(int, delta);
        QFETCH(QList<int>, segments);
        select(collection, Mood(mood), stored);
        ColorWheelWidget wheel;
        QSignalSpy spy(&wheel, &ColorWheelWidget::segmentChangedInteractively);
        turnWheel(wheel, delta);
        QCOMPARE(emitted(spy), segments);
    }

    void pointerShowsTheStoredSegment_data()
    {
        QTest::addColumn<QUuid>("collection");
        QTest::addColumn<QPoint>("white");
        QTest::addColumn<QPoint>("black");
        QTest::newRow("clockwise from the top") << Clockwise << QPoint(90, 61) << QPoint(60, 31);
        QTest::newRow("counter-clockwise from the right")
            << CounterClockwise << QPoint(60, 31) << QPoint(90, 61);
    }

    void pointerShowsTheStoredSegment()
    {
        QFETCH(QUuid, collection);
        QFETCH(QPoint, white);
        QFETCH(QPoint, black);
        select(collection, MoodAll, 4);
        ColorWheelWidget wheel;
        const QImage image = wheel.grab().toImage();
        QCOMPARE(image.pixelColor(white), QColor(Qt::white));
        QCOMPARE(image.pixelColor(black), QColor(Qt::black));
    }

private:
    static qint64 addWheel(FixtureDatabase &fixture, const QUuid &uuid, const char *orientation,
                           int order, int segments, int firstAngle)
    {
        const QString name = QStringLiteral("W%1").arg(order);
        const qint64 id = fixture.addCollection(uuid, name, name, order);
        fixture.addSetting(id, QStringLiteral("num.of.segments"), segments);
        fixture.addSetting(id, QStringLiteral("first.segment.angle"), firstAngle);
        fixture.addSetting(id, QStringLiteral("segment.increment.orientation"),
                           QString::fromLatin1(orientation));
        return id;
    }
};

QTEST_MAIN(TestColorWheelWidget)
#include "tst_colorwheelwidget.moc"
