#include "core/usersettings.h"
#include "support/fixturedatabase.h"
#include "widgets/moodselectwidget.h"

#include <QSignalSpy>
#include <QTest>

using namespace Sorven;
using Item = MoodSelectWidget::Item;

namespace {

// Calm has an exterior page, fresh has pages only for interiors.
const QUuid Interior {QStringLiteral("{2b3c4d5e-6f70-4182-93a4-b5c6d7e8f901}")};
const QUuid Powder {QStringLiteral("{8d9e0f1a-2b3c-4d4e-8f50-617283940a1b}")};
const QUuid NoExterior {QStringLiteral("{c1d2e3f4-a5b6-4c7d-8e9f-0a1b2c3d4e5f}")};
const QColor TickColor(0, 200, 0);

// The mood widget's signals, in the order they came.
class SignalLog : public QObject
{
public:
    explicit SignalLog(MoodSelectWidget &widget)
    {
        connect(&widget, &MoodSelectWidget::moodFilterChangedInteractively, this,
                [this](Mood mood) { entries << QStringLiteral("mood:%1").arg(mood); });
        connect(&widget, &MoodSelectWidget::exteriorFilterChangedInteractively, this,
                [this](bool on) { entries << QStringLiteral("exterior:%1").arg(on); });
        connect(&widget, &MoodSelectWidget::showMtoChangedInteractively, this,
                [this](bool on) { entries << QStringLiteral("mto:%1").arg(on); });
    }

    QStringList entries;
};

} // namespace

class TestMoodSelectWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        FixtureDatabase fixture(QStringLiteral("moods.db"));
        fixture.addTheme(0, QStringLiteral("image.tick.normal"),
                         pngBytes(QSize(12, 11), TickColor));
        const qint64 interior
            = fixture.addCollection(Interior, QStringLiteral("IN"), QStringLiteral("Interior"), 1);
        fixture.addSetting(interior, QStringLiteral("card.type"), QStringLiteral("normal"));
        fixture.addPage(interior, 1, 1, QStringLiteral("Fresh"), MoodFresh, false);
        fixture.addPage(interior, 2, 1, QStringLiteral("Calm"), MoodCalm, true);
        const qint64 powder
            = fixture.addCollection(Powder, QStringLiteral("PO"), QStringLiteral("Powder"), 2);
        fixture.addSetting(powder, QStringLiteral("card.type"), QStringLiteral("polvaron"));
        const qint64 plain
            = fixture.addCollection(NoExterior, QStringLiteral("NE"), QStringLiteral("Plain"), 3);
        fixture.addSetting(plain, QStringLiteral("card.type"), QStringLiteral("normal"));
        fixture.addSetting(plain, QStringLiteral("has.exterior.filter"), 0);
        resetDatabaseLayer();
    }

    void itemsAreLaidOutApart_data()
    {
        QTest::addColumn<QUuid>("collection");
        QTest::addColumn<QList<int>>("items");
        QTest::newRow("normal") << Interior
                                << QList<int> {Item::FreshButton,    Item::CalmButton,
                                               Item::WarmButton,     Item::RichButton,
                                               Item::OffwhiteButton, Item::NeutralButton,
                                               Item::AllMoodsItem,   Item::ExteriorItem};
        QTest::newRow("without the exterior filter")
            << NoExterior
            << QList<int> {Item::FreshButton, Item::CalmButton,     Item::WarmButton,
                           Item::RichButton,  Item::OffwhiteButton, Item::NeutralButton,
                           Item::AllMoodsItem};
        QTest::newRow("polvaron") << Powder << QList<int> {Item::MtoItem};
    }

    void itemsAreLaidOutApart()
    {
        QFETCH(QUuid, collection);
        QFETCH(QList<int>, items);
        UserSettings::setLastUsedCollection(collection);
        MoodSelectWidget widget;
        QCOMPARE(widget.size(), widget.sizeHint());
        for (int item = 0; item < Item::ItemCount; ++item) {
            const QRect rect = widget.itemRect(Item(item));
            QCOMPARE(!rect.isNull(), items.contains(item));
            if (!rect.isNull()) {
                QVERIFY(widget.rect().contains(rect));
                QCOMPARE(widget.itemAt(rect.center()), std::optional<Item>(Item(item)));
            }
        }
        QCOMPARE(widget.itemRect(Item::FreshButton).size(),
                 QSize(items.size() > 1 ? 23 : 0, items.size() > 1 ? 21 : 0));
    }

    void pressesEmitFilterChanges_data()
    {
        QTest::addColumn<int>("mood");
        QTest::addColumn<bool>("exterior");
        QTest::addColumn<int>("item");
        QTest::addColumn<QStringList>("emitted");
        QTest::newRow("exterior on where the mood has no exterior page")
            << int(MoodFresh) << false << int(Item::ExteriorItem)
            << QStringList {"mood:7", "exterior:1"};
        QTest::newRow("exterior on where the mood has one")
            << int(MoodCalm) << false << int(Item::ExteriorItem) << QStringList {"exterior:1"};
        QTest::newRow("exterior off")
            << int(MoodCalm) << true << int(Item::ExteriorItem) << QStringList {"exterior:0"};
        QTest::newRow("with exterior, a mood without exterior pages")
            << int(MoodAll) << true << int(Item::FreshButton) << QStringList();
        QTest::newRow("with exterior, a mood with exterior pages")
            << int(MoodAll) << true << int(Item::CalmButton) << QStringList {"mood:3"};
        QTest::newRow("the current mood again")
            << int(MoodCalm) << false << int(Item::CalmButton) << QStringList();
        QTest::newRow("a second-column mood")
            << int(MoodCalm) << false << int(Item::NeutralButton) << QStringList {"mood:6"};
        QTest::newRow("all moods")
            << int(MoodWarm) << false << int(Item::AllMoodsItem) << QStringList {"mood:7"};
    }

    void pressesEmitFilterChanges()
    {
        QFETCH(int, mood);
        QFETCH(bool, exterior);
        QFETCH(int, item);
        QFETCH(QStringList, emitted);
        UserSettings::setLastUsedCollection(Interior);
        UserSettings::setMoodFilter(Interior, Mood(mood));
        UserSettings::setExteriorColors(Interior, exterior);
        MoodSelectWidget widget;
        SignalLog log(widget);
        QTest::mouseClick(&widget, Qt::LeftButton, {}, widget.itemRect(Item(item)).center());
        QCOMPARE(log.entries, emitted);
    }

    void madeToOrderItemTicksWhileHidden_data()
    {
        QTest::addColumn<bool>("showMto");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QStringList>("emitted");
        QTest::newRow("hidden") << false << true << QStringList {"mto:1"};
        QTest::newRow("shown") << true << false << QStringList {"mto:0"};
    }

    void madeToOrderItemTicksWhileHidden()
    {
        QFETCH(bool, showMto);
        QFETCH(bool, ticked);
        QFETCH(QStringList, emitted);
        UserSettings::setLastUsedCollection(Powder);
        UserSettings::setShowMto(Powder, showMto);
        MoodSelectWidget widget;
        SignalLog log(widget);
        const QRect item = widget.itemRect(Item::MtoItem);
        const QImage image = widget.grab().toImage();
        QCOMPARE(image.pixelColor(item.left() + 6, item.center().y()) == TickColor, ticked);
        QTest::mouseClick(&widget, Qt::LeftButton, {}, item.center());
        QCOMPARE(log.entries, emitted);
    }

    void exteriorFilterMarksMoodsWithoutExteriorPages()
    {
        UserSettings::setLastUsedCollection(Interior);
        UserSettings::setMoodFilter(Interior, MoodAll);
        UserSettings::setExteriorColors(Interior, true);
        MoodSelectWidget widget;
        const QImage image = widget.grab().toImage();
        QCOMPARE(image.pixelColor(widget.itemRect(Item::AllMoodsItem).left() + 6,
                                  widget.itemRect(Item::AllMoodsItem).center().y()),
                 TickColor);
        // The left edge of the 11-pixel placeholder marker, whose outline is inset by one pixel.
        const QPoint markerEdge(-9, -5);
        const QRect fresh = widget.itemRect(Item::FreshButton);
        QCOMPARE(image.pixelColor(fresh.bottomRight() + markerEdge), QColor(Qt::red));
        const QRect calm = widget.itemRect(Item::CalmButton);
        QCOMPARE(image.pixelColor(calm.bottomRight() + markerEdge), QColor(Qt::white));
    }
};

QTEST_MAIN(TestMoodSelectWidget)
#include "tst_moodselectwidget.moc"
