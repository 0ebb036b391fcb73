#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/connections.h"
#include "db/search.h"
#include "palette/collectioncolortable.h"
#include "palette/colorchipdnd.h"
#include "palette/colorscience.h"
#include "support/fixturedatabase.h"
#include "widgets/cardrollerwidget.h"
#include "widgets/chippointer.h"
#include "widgets/rollbutton.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDrag>
#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

using namespace Sorven;
using ChipIndex = CardRollerWidget::ChipIndex;

namespace {

const QUuid Harbour {QStringLiteral("{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}")};
const QUuid Quay {QStringLiteral("{a1b2c3d4-e5f6-4a7b-8c9d-0e1f2a3b4c5d}")};
const QUuid Kiln {QStringLiteral("{0f1e2d3c-4b5a-4968-8776-655443322110}")};
const QUuid Lone {QStringLiteral("{13579bdf-2468-4ace-9bdf-0123456789ab}")};

constexpr int Rows = 7;
// Row 4 of every page of Kiln is made to order.
constexpr int MtoRow = 4;

// Saturated, far apart from one another and from any grey.
QColor chipColor(int collection, int page, int row)
{
    return QColor::fromHsv((collection * 97 + page * 61 + row * 37) % 360, 220, 230).rgb();
}

QString chipCode(const QString &prefix, int page, int row)
{
    return QStringLiteral("%1-%2-%3").arg(prefix).arg(page).arg(row);
}

QPoint centreOf(const QRect &rect)
{
    return {(rect.left() + rect.right()) / 2, (rect.top() + rect.bottom()) / 2};
}

std::unique_ptr<QMimeData> record(const QByteArray &payload)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(ColorChipDndMimeType, payload);
    return data;
}

// What the main widget would do with the roller's signals, written down in order.
class MainWidgetStandIn : public QObject
{
public:
    explicit MainWidgetStandIn(CardRollerWidget &roller)
    {
        connect(&roller, &CardRollerWidget::roll, this,
                [this](Direction dir) { log << QStringLiteral("roll:%1").arg(int(dir)); });
        connect(&roller, &CardRollerWidget::pageChangedInteractively, this, [this](int page) {
            log << QStringLiteral("page:%1").arg(page);
            UserSettings::setPageIndex(UserSettings::lastUsedCollection(), page);
        });
        connect(&roller, &CardRollerWidget::rowChangedInteractively, this, [this](int row) {
            log << QStringLiteral("row:%1").arg(row);
            UserSettings::setRowIndex(UserSettings::lastUsedCollection(), row);
        });
        connect(&roller, &CardRollerWidget::collectionSelectedInteractively, this,
                [this](const QUuid &uuid) {
                    log << QStringLiteral("collection:") + uuid.toString();
                    if (acceptsCollections)
                        UserSettings::setLastUsedCollection(uuid);
                });
    }

    QStringList log;
    bool acceptsCollections = true;
};

} // namespace

class TestCardRollerWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        FixtureDatabase fixture(QStringLiteral("roller.db"));
        // Bold one point below 10: a 14-pixel line, so captions are 16 pixels high.
        fixture.addTheme(0, QStringLiteral("list.of.preferred.font.faces"), "DejaVu Sans,10");
        const qint64 harbour = addDeck(fixture, Harbour, "H", 4, 1);
        addDeck(fixture, Quay, "Q", 2, 2);
        const qint64 kiln = addDeck(fixture, Kiln, "K", 3, 3);
        const qint64 lone = addDeck(fixture, Lone, "L", 1, 4);
        fixture.addSetting(kiln, QStringLiteral("card.type"), QStringLiteral("polvaron"));
        fixture.exec(QStringLiteral(R"(UPDATE "ROW" SET IS_MTO = 1 WHERE COLLECTION_ID = ?
                                       AND ROW_INDEX = ?)"),
                     {kiln, MtoRow});
        fixture.addLocale(harbour, QStringLiteral("accessible.chip.place"),
                          QStringLiteral("page %1, row %2"));
        fixture.addSetting(harbour, QStringLiteral("cie2000.delta.intervals"),
                           QStringLiteral("2.5,5"));
        fixture.addTheme(0, QStringLiteral("image.widget.roll.backward.normal"),
                         pngBytes(QSize(20, 16), Qt::green));
        fixture.addTheme(0, QStringLiteral("image.widget.roll.backward.down"),
                         pngBytes(QSize(20, 16), Qt::blue));
        // A chip without a code, which an empty dropped name must not find.
        const qint64 page = fixture.addPage(lone, 2, 1, QStringLiteral(""), 6);
        fixture.addRow(lone, page, 1, QStringLiteral(""), QColor(1, 2, 3));
        resetDatabaseLayer();
        clearInterfaceFonts();
    }

    void init()
    {
        for (const QUuid &uuid : {Harbour, Quay, Kiln, Lone}) {
            UserSettings::setPageIndex(uuid, 2);
            UserSettings::setRowIndex(uuid, 1);
            UserSettings::setShowMto(uuid, false);
        }
        select(Harbour);
        QToolTip::hideText();
    }

    void layoutFollowsTheWidgetSize()
    {
        CardRollerWidget roller;
        roller.resize(300, 200);
        roller.grab();
        QCOMPARE(roller.fontMetrics().size(Qt::TextSingleLine, QStringLiteral("Åg")).height(), 14);
        QCOMPARE(roller.cardRect(0), QRect(QPoint(2, 16), QPoint(72, 197)));
        QCOMPARE(roller.cardRect(1), QRect(QPoint(77, 16), QPoint(222, 197)));
        QCOMPARE(roller.cardRect(2), QRect(QPoint(227, 16), QPoint(297, 197)));
        QCOMPARE(roller.cardArea(), QRect(QPoint(2, 16), QPoint(297, 197)));
        QCOMPARE(roller.captionRect(0), QRect(QPoint(2, 0), QPoint(72, 15)));
        QCOMPARE(roller.captionRect(1), QRect(QPoint(77, 0), QPoint(222, 15)));
        QCOMPARE(roller.captionRect(2), QRect(QPoint(227, 0), QPoint(297, 15)));
    }

    void sevenChipsShareTheCardHeight()
    {
        CardRollerWidget roller;
        roller.resize(300, 200);
        roller.grab();
        // Inner height 180: chips of 24 pixels with one-pixel separators, the last one 30.
        for (int slot = 0; slot < 3; ++slot) {
            const int innerTop = roller.cardRect(slot).top() + 1;
            for (int position = 0; position < Rows; ++position) {
                const QRect chip = roller.indexRect({slot, position});
                QCOMPARE(chip.top(), innerTop + position * 25);
                QCOMPARE(chip.height(), position == Rows - 1 ? 30 : 24);
                QCOMPARE(chip.left(), roller.cardRect(slot).left() + 1);
                QCOMPARE(chip.right(), roller.cardRect(slot).right() - 1);
                QCOMPARE(roller.indexAt(centreOf(chip)), ChipIndex({slot, position}));
            }
            QCOMPARE(roller.indexRect({slot, Rows}), QRect());
        }
        // The separator line belongs to no chip; neither does the caption.
        QCOMPARE(roller.indexAt(QPoint(100, roller.indexRect({1, 0}).bottom() + 1)), ChipIndex());
        QCOMPARE(roller.indexAt(QPoint(100, 5)), ChipIndex());
    }

    void cardsShowNeighbouringPagesWrappingAtTheEnds_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("middle") << 2 << QList<int> {1, 2, 3};
        QTest::newRow("first page") << 1 << QList<int> {4, 1, 2};
        QTest::newRow("last page") << 4 << QList<int> {3, 4, 1};
    }

    void cardsShowNeighbouringPagesWrappingAtTheEnds()
    {
        QFETCH(int, page);
        QFETCH(QList<int>, shown);
        UserSettings::setPageIndex(Harbour, page);
        UserSettings::setRowIndex(Harbour, 3);
        CardRollerWidget roller;
        roller.resize(300, 200);
        const QImage image = roller.grab().toImage();
        for (int slot = 0; slot < 3; ++slot) {
            for (int position = 0; position < Rows; ++position) {
                const QPoint centre = centreOf(roller.indexRect({slot, position}));
                QCOMPARE(image.pixelColor(centre), chipColor(1, shown[slot], position + 1));
            }
        }
        // The selection frame covers the separator above the selected chip.
        const QRect selected = roller.indexRect({1, 2});
        QVERIFY(image.pixelColor(selected.left() + 10, selected.top() - 1).lightness() > 200);
        const QRect other = roller.indexRect({1, 4});
        QCOMPARE(image.pixelColor(other.left() + 10, other.top() - 1), QColor(64, 64, 64));
        // Each chip's own border pixels carry a faint light outline, blended once.
        const QColor fill = chipColor(1, shown[1], 5);
        const QColor light = fill.lighter(150);
        for (const QPoint &border : {other.topLeft(), other.topRight(), other.bottomLeft(),
                                     QPoint(other.left(), other.center().y()),
                                     QPoint(other.center().x(), other.bottom())}) {
            const QColor pixel = image.pixelColor(border);
            const int expected = fill.red() + (light.red() - fill.red()) * 32 / 255;
            QVERIFY2(qAbs(pixel.red() - expected) <= 1, qPrintable(pixel.name()));
        }
        QCOMPARE(image.pixelColor(other.topLeft() + QPoint(1, 1)), fill);
    }

    void clicksRollAndSelectRows_data()
    {
        QTest::addColumn<int>("storedRow");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("position");
        QTest::addColumn<QStringList>("emitted");
        QTest::newRow("left card rolls back, then selects")
            << 1 << 0 << 2 << QStringList {"roll:1", "row:3"};
        QTest::newRow("right card rolls forward, then selects")
            << 1 << 2 << 6 << QStringList {"roll:0", "row:7"};
        QTest::newRow("side card at the selected row only rolls")
            << 3 << 0 << 2 << QStringList {"roll:1"};
        QTest::newRow("current card selects") << 1 << 1 << 4 << QStringList {"row:5"};
        QTest::newRow("selected row does nothing") << 5 << 1 << 4 << QStringList();
    }

    void clicksRollAndSelectRows()
    {
        QFETCH(int, storedRow);
        QFETCH(int, slot);
        QFETCH(int, position);
        QFETCH(QStringList, emitted);
        UserSettings::setRowIndex(Harbour, storedRow);
        CardRollerWidget roller;
        MainWidgetStandIn main(roller);
        showAndPaint(roller);
        QTest::mouseClick(&roller, Qt::LeftButton, {},
                          centreOf(roller.indexRect({slot, position})));
        QCOMPARE(main.log, emitted);
    }

    void onlyAPlainLeftPressOnAChipCounts()
    {
        CardRollerWidget roller;
        MainWidgetStandIn main(roller);
        showAndPaint(roller);
        const QPoint chip = centreOf(roller.indexRect({0, 3}));
        QTest::mouseClick(&roller, Qt::RightButton, {}, chip);
        QTest::mouseClick(&roller, Qt::LeftButton, {}, QPoint(chip.x(), 3));
        QTest::mouseClick(&roller, Qt::LeftButton, {}, QPoint(1, chip.y()));
        QCOMPARE(main.log, QStringList());
    }

    void wheelRolls_data()
    {
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("direction");
        QTest::newRow("away from the user") << 120 << int(Backward);
        QTest::newRow("no delta") << 0 << int(Backward);
        QTest::newRow("towards the user") << -120 << int(Forward);
    }

    void wheelRolls()
    {
        QFETCH(int, delta);
        QFETCH(int, direction);
        CardRollerWidget roller;
        showAndPaint(roller);
        QSignalSpy rolls(&roller, &CardRollerWidget::roll);
        const QPointF pos(centreOf(roller.cardRect(1)));
        QWheelEvent wheel(pos, roller.mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&roller, &wheel);
        QCOMPARE(rolls.count(), 1);
        QCOMPARE(rolls.at(0).at(0).value<Direction>(), Direction(direction));
    }

    void arrowKeysRollAndMoveTheSelection_data()
    {
        QTest::addColumn<QUuid>("collection");
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<Qt::Key>>("keys");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("left rolls back, right forward")
            << Harbour << 3 << QList<Qt::Key> {Qt::Key_Left, Qt::Key_Right}
            << QStringList {"roll:1", "roll:0"};
        QTest::newRow("down and up move the selection")
            << Harbour << 3 << QList<Qt::Key> {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}
            << QStringList {"row:4", "row:5", "row:4"};
        QTest::newRow("nothing above the first chip")
            << Harbour << 1 << QList<Qt::Key> {Qt::Key_Up} << QStringList {};
        QTest::newRow("nothing below the last chip")
            << Harbour << Rows << QList<Qt::Key> {Qt::Key_Down} << QStringList {};
        QTest::newRow("masked made-to-order chips are passed over")
            << Kiln << MtoRow - 1 << QList<Qt::Key> {Qt::Key_Down, Qt::Key_Up}
            << QStringList {"row:5", "row:3"};
    }

    void arrowKeysRollAndMoveTheSelection()
    {
        QFETCH(QUuid, collection);
        QFETCH(int, row);
        QFETCH(QList<Qt::Key>, keys);
        QFETCH(QStringList, log);
        select(collection);
        UserSettings::setRowIndex(collection, row);
        CardRollerWidget roller;
        MainWidgetStandIn main(roller);
        roller.resize(300, 200);
        roller.grab();
        for (const Qt::Key key : keys)
            QTest::keyClick(&roller, key);
        QCOMPARE(main.log, log);
    }

    void chipsAreAccessibleByCodeAndPlace()
    {
        UserSettings::setRowIndex(Harbour, 3);
        CardRollerWidget roller;
        showAndPaint(roller);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&roller);
        QVERIFY(accessible);
        QCOMPARE(accessible->childCount(), 3 * Rows);
        // The previous card's chips come first, then the current card's.
        QAccessibleInterface *chip = accessible->child(Rows + 2);
        QVERIFY(chip);
        QCOMPARE(chip->text(QAccessible::Name), chipCode(QStringLiteral("H"), 2, 3));
        QCOMPARE(chip->text(QAccessible::Description),
                 QStringLiteral("H, H page 2, page 2, row 3"));
        QCOMPARE(chip->role(), QAccessible::ListItem);
        QVERIFY(chip->state().selected);
        QVERIFY(!accessible->child(Rows + 3)->state().selected);
        const QRect rect = roller.indexRect({CardRollerWidget::CurrentCard, 2});
        QCOMPARE(chip->rect(), QRect(roller.mapToGlobal(rect.topLeft()), rect.size()));
        QCOMPARE(accessible->indexOfChild(chip), Rows + 2);
        QCOMPARE(chip->parent(), accessible);
        const QPoint centre = roller.mapToGlobal(centreOf(rect));
        QCOMPARE(accessible->childAt(centre.x(), centre.y()), chip);
        QCOMPARE(accessible->child(0)->text(QAccessible::Name),
                 chipCode(QStringLiteral("H"), 1, 1));
    }

    void madeToOrderChipsOfPolvaronCards_data()
    {
        QTest::addColumn<bool>("showMto");
        QTest::newRow("masked") << false;
        QTest::newRow("shown on request") << true;
    }

    void madeToOrderChipsOfPolvaronCards()
    {
        QFETCH(bool, showMto);
        select(Kiln);
        UserSettings::setShowMto(Kiln, showMto);
        CardRollerWidget roller;
        MainWidgetStandIn main(roller);
        showAndPaint(roller);
        const QImage image = roller.grab().toImage();
        const QPoint mto = centreOf(roller.indexRect({1, MtoRow - 1}));
        const QPoint plain = centreOf(roller.indexRect({1, 0}));
        // Without a theme image the mask is the white placeholder.
        QCOMPARE(image.pixelColor(mto), showMto ? chipColor(3, 2, MtoRow) : QColor(Qt::white));
        QCOMPARE(image.pixelColor(plain), chipColor(3, 2, 1));

        hover(roller, mto);
        QTRY_COMPARE(QToolTip::isVisible(), showMto);
        QTest::mouseClick(&roller, Qt::LeftButton, {}, mto);
        QCOMPARE(main.log, (showMto ? QStringList {"row:4"} : QStringList()));

        // A masked chip on a side card still rolls.
        main.log.clear();
        UserSettings::setRowIndex(Kiln, 1);
        QTest::mouseClick(&roller, Qt::LeftButton, {}, centreOf(roller.indexRect({2, 3})));
        QCOMPARE(main.log, (showMto ? QStringList {"roll:0", "row:4"} : QStringList {"roll:0"}));
    }

    void toolTipNamesTheChipUnderTheMouse()
    {
        CardRollerWidget roller;
        showAndPaint(roller);
        const QRect chip = roller.indexRect({2, 5});
        hover(roller, centreOf(chip));
        QVERIFY(QToolTip::isVisible());
        QVERIFY2(QToolTip::text().contains(chipCode("H", 3, 6)), qPrintable(QToolTip::text()));
        hover(roller, QPoint(centreOf(chip).x(), chip.bottom() + 1));
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void drops_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("emitted");
        const auto chip = [](const QString &code) {
            DB::ColorEntry entry;
            return DB::findEntryByCode(code, entry) == DB::Success ? entry.id : -1;
        };
        const QString quay = QStringLiteral("collection:") + Quay.toString();
        QTest::newRow("chip from the schemer") << colorChipDndRecord(2, Harbour, chip("H-3-4"))
                                               << true << QStringList {"page:3", "row:4"};
        QTest::newRow("chip on the current page")
            << colorChipDndRecord(3, Harbour, chip("H-2-6")) << true << QStringList {"row:6"};
        QTest::newRow("chip of another collection")
            << colorChipDndRecord(3, Quay, chip("Q-1-2")) << true
            << QStringList {quay, "page:1", "row:2"};
        QTest::newRow("chip that is gone")
            << colorChipDndRecord(2, Harbour, 99999) << true << QStringList();
        QTest::newRow("free colour by first name")
            << colorDndRecord(4, qRgb(1, 1, 1), "h-4-2", "Q-1-1") << true
            << QStringList {"page:4", "row:2"};
        QTest::newRow("free colour by second name")
            << colorDndRecord(4, qRgb(1, 1, 1), "no such code", "Q-2-7") << true
            << QStringList {quay, "row:7"};
        QTest::newRow("free colour by exact colour")
            << colorDndRecord(4, chipColor(2, 1, 3).rgb(), "", "") << true
            << QStringList {quay, "page:1", "row:3"};
        QColor near = chipColor(1, 3, 5);
        near.setRed(near.red() + 2);
        QTest::newRow("free colour near a chip")
            << colorDndRecord(4, near.rgb(), "", "") << true << QStringList {"page:3", "row:5"};
        QTest::newRow("free colour beyond the first interval")
            << colorDndRecord(4, qRgb(128, 128, 128), "", "") << true << QStringList();
        QTest::newRow("own chip") << colorChipDndRecord(1, Harbour, chip("H-3-4")) << false
                                  << QStringList();
        QTest::newRow("unknown source 0")
            << colorChipDndRecord(0, Harbour, chip("H-3-4")) << false << QStringList();
        QTest::newRow("unknown source 5")
            << colorChipDndRecord(5, Harbour, chip("H-3-4")) << false << QStringList();
        QTest::newRow("malformed")
            << QByteArray("{ \"from\" : 2, \"colorId\" ") << false << QStringList();
    }

    void drops()
    {
        QFETCH(QByteArray, payload);
        QFETCH(bool, accepted);
        QFETCH(QStringList, emitted);
        dropOntoTheRoller(*record(payload), accepted, emitted);
    }

    // Colour data or "#rrggbb" / "rgb(r, g, b)" text from another application: a free colour
    // without names.
    void foreignColourDrops_data()
    {
        QTest::addColumn<QVariant>("offered");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("emitted");
        QColor near = chipColor(1, 3, 5);
        near.setRed(near.red() + 2);
        const QColor exact = chipColor(2, 1, 3);
        const QString quay = QStringLiteral("collection:") + Quay.toString();
        QTest::newRow("hex text near a chip")
            << QVariant(near.name()) << true << QStringList {"page:3", "row:5"};
        QTest::newRow("rgb() text of an exact colour") << QVariant(
            QStringLiteral("rgb(%1, %2, %3)").arg(exact.red()).arg(exact.green()).arg(exact.blue()))
                                                       << true
                                                       << QStringList {quay, "page:1", "row:3"};
        QTest::newRow("colour data near a chip")
            << QVariant(near) << true << QStringList {"page:3", "row:5"};
        QTest::newRow("text that is no colour") << QVariant("H-3-4") << false << QStringList();
    }

    void foreignColourDrops()
    {
        QFETCH(QVariant, offered);
        QFETCH(bool, accepted);
        QFETCH(QStringList, emitted);
        QMimeData data;
        if (offered.typeId() == QMetaType::QColor)
            data.setColorData(offered);
        else
            data.setText(offered.toString());
        dropOntoTheRoller(data, accepted, emitted);
    }

    void copyTakesTheSelectedChip()
    {
        UserSettings::setRowIndex(Harbour, 3);
        CardRollerWidget roller;
        showAndPaint(roller);
        QTest::keySequence(&roller, QKeySequence::Copy);
        DB::ColorEntry entry;
        QCOMPARE(DB::findEntryByCode(QStringLiteral("H-2-3"), entry), int(DB::Success));
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(copied->data(ColorChipDndMimeType), colorChipDndRecord(1, Harbour, entry.id));
        QCOMPARE(copied->text().section(u'\n', 0, 0), chipColor(1, 2, 3).name());
        QCOMPARE(qvariant_cast<QColor>(copied->colorData()), chipColor(1, 2, 3));
    }

    void refusedCollectionSwitchEndsTheDrop()
    {
        CardRollerWidget roller;
        MainWidgetStandIn main(roller);
        main.acceptsCollections = false;
        showAndPaint(roller);
        DB::ColorEntry entry;
        QCOMPARE(DB::findEntryByCode(QStringLiteral("Q-1-2"), entry), int(DB::Success));
        const auto data = record(colorChipDndRecord(2, Quay, entry.id));
        const QPoint pos = centreOf(roller.cardRect(0));
        QDragEnterEvent enter(pos, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(&roller, &enter);
        QDragMoveEvent move(pos, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(&roller, &move);
        // Qt hands a drop to the widget that took the drag's enter and move.
        QDropEvent drop(QPointF(pos), Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(&roller, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(main.log, QStringList {QStringLiteral("collection:") + Quay.toString()});
    }

    // Offscreen there is no drag loop: QDrag::exec returns at once and the drag object waits
    // for deletion, so the record it carried can still be read.
    void draggingACurrentChipCarriesItsRecord()
    {
        UserSettings::setRowIndex(Harbour, 2);
        CardRollerWidget roller;
        MainWidgetStandIn main(roller);
        showAndPaint(roller);
        const QPoint start = centreOf(roller.indexRect({1, 1}));
        QTest::mousePress(&roller, Qt::LeftButton, {}, start);
        moveWithLeftButton(roller, start + QPoint(QApplication::startDragDistance(), 0));
        QVERIFY(!roller.findChild<QDrag *>());
        moveWithLeftButton(roller, start + QPoint(QApplication::startDragDistance() + 1, 0));
        const QDrag *drag = roller.findChild<QDrag *>();
        QVERIFY(drag);

        DB::ColorEntry entry;
        QCOMPARE(DB::findEntryByCode(QStringLiteral("H-2-2"), entry), int(DB::Success));
        QCOMPARE(drag->mimeData()->data(ColorChipDndMimeType),
                 colorChipDndRecord(1, Harbour, entry.id));
        const QColor corner = drag->pixmap().toImage().pixelColor(0, 0);
        const QColor chip = chipColor(1, 2, 2);
        QVERIFY2(qAbs(corner.red() - chip.red()) + qAbs(corner.green() - chip.green())
                         + qAbs(corner.blue() - chip.blue())
                     <= 3,
                 qPrintable(corner.name()));
        QCOMPARE(main.log, QStringList());
    }

    void onlyChipsOfTheCurrentCardAreDragged()
    {
        CardRollerWidget roller;
        showAndPaint(roller);
        const QPoint start = centreOf(roller.indexRect({0, 1}));
        QTest::mousePress(&roller, Qt::LeftButton, {}, start);
        moveWithLeftButton(roller, start + QPoint(0, 20));
        QTest::mouseRelease(&roller, Qt::LeftButton, {}, start + QPoint(0, 20));
        // A move without a pending press starts nothing either.
        moveWithLeftButton(roller, centreOf(roller.cardRect(1)));
        QVERIFY(!roller.findChild<QDrag *>());
    }

    // On a side card too; a caption names no chip.
    void aContextMenuRequestNamesTheChipUnderIt()
    {
        CardRollerWidget roller;
        showAndPaint(roller);
        QSignalSpy requested(roller.chipPointer(), &ChipPointer::chipContextMenuRequested);
        for (const QRect &rect : {roller.indexRect({2, 1}), roller.captionRect(1)}) {
            QContextMenuEvent event(QContextMenuEvent::Mouse, centreOf(rect),
                                    roller.mapToGlobal(centreOf(rect)));
            QApplication::sendEvent(&roller, &event);
        }
        DB::ColorEntry entry;
        QCOMPARE(DB::findEntryByCode(chipCode("H", 3, 2), entry), int(DB::Success));
        QCOMPARE(requested.size(), 1);
        QCOMPARE(requested[0][0].value<DB::ItemIndex>(),
                 (DB::ItemIndex {Harbour, entry.pageId, entry.id}));
    }

    void withoutNeighbourPagesOnlyFramesArePaintedAndClicksUseTheLastPaint()
    {
        CardRollerWidget roller;
        MainWidgetStandIn main(roller);
        showAndPaint(roller);
        const QRect chip = roller.indexRect({1, 5});
        select(Lone);
        UserSettings::setPageIndex(Lone, 1);
        const QImage image = roller.grab().toImage();
        QCOMPARE(image.pixelColor(centreOf(chip)), roller.palette().window().color());
        QCOMPARE(roller.indexRect({1, 5}), chip);
        QTest::mouseClick(&roller, Qt::LeftButton, {}, centreOf(chip));
        QCOMPARE(main.log, QStringList {"row:6"});
    }

    void rollButtonShowsItsImages()
    {
        QWidget parent;
        RollButton button(Backward, &parent);
        QVERIFY(button.autoRepeat());
        QCOMPARE(button.size(), QSize(20, 16));
        QCOMPARE(button.grab().toImage().pixelColor(10, 8), QColor(Qt::green));
        button.setDown(true);
        QCOMPARE(button.grab().toImage().pixelColor(10, 8), QColor(Qt::blue));
    }

    // The theme has images for the backward button only.
    void rollButtonWithoutImagesShowsThePlaceholder()
    {
        QWidget parent;
        const QSize initial = QWidget(&parent).size();
        RollButton button(Forward, &parent);
        QCOMPARE(button.size(), initial);
        const QImage image = button.grab().toImage();
        QCOMPARE(image.pixelColor(1, 1), QColor(Qt::red));
        QCOMPARE(image.pixelColor(initial.width() / 2, initial.height() / 2), QColor(Qt::white));
    }

private:
    static qint64 addDeck(FixtureDatabase &fixture, const QUuid &uuid, const char *prefix,
                          int pages, int number)
    {
        const qint64 collection = fixture.addCollection(uuid, QString::fromLatin1(prefix),
                                                        QString::fromLatin1(prefix), number);
        fixture.addSetting(collection, QStringLiteral("page.name.display.order"), 0);
        fixture.addSetting(collection, QStringLiteral("color.tooltip.show.row.code"), 1);
        for (int page = 1; page <= pages; ++page) {
            const qint64 pageId = fixture.addPage(
                collection, page, page, QStringLiteral("%1 page %2").arg(prefix).arg(page), 1);
            for (int row = 1; row <= Rows; ++row) {
                const QColor color = chipColor(number, page, row);
                const qint64 id
                    = fixture.addRow(collection, pageId, row,
                                     chipCode(QString::fromLatin1(prefix), page, row), color);
                const LabColor lab = labFromColor(color);
                fixture.exec(QStringLiteral(R"(UPDATE "ROW" SET L = ?, A = ?, B = ? WHERE ID = ?)"),
                             {lab.l, lab.a, lab.b, id});
            }
        }
        return collection;
    }

    static void select(const QUuid &uuid)
    {
        UserSettings::setLastUsedCollection(uuid);
        DB::loadNameOrders(uuid);
    }

    // Enters, moves outside and inside the cards, and drops, checking what the roller takes and
    // what it asks of the main widget.
    static void dropOntoTheRoller(const QMimeData &data, bool accepted, const QStringList &emitted)
    {
        loadCollectionColorTable(Harbour);
        CardRollerWidget roller;
        MainWidgetStandIn main(roller);
        showAndPaint(roller);
        const QPoint inside = centreOf(roller.cardRect(1));

        QDragEnterEvent enter(inside, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&roller, &enter);
        QCOMPARE(enter.isAccepted(), accepted);
        QDragMoveEvent outside(QPoint(roller.width() / 2, 2), Qt::CopyAction, &data, Qt::LeftButton,
                               {});
        QApplication::sendEvent(&roller, &outside);
        QVERIFY(!outside.isAccepted());
        QDragMoveEvent move(inside, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&roller, &move);
        QCOMPARE(move.isAccepted(), accepted);
        QDropEvent drop(QPointF(inside), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&roller, &drop);
        QCOMPARE(drop.isAccepted(), accepted);
        QCOMPARE(main.log, emitted);
    }

    static void showAndPaint(CardRollerWidget &roller)
    {
        roller.resize(300, 200);
        roller.show();
        QVERIFY(QTest::qWaitForWindowExposed(&roller));
        roller.grab();
    }

    static void hover(CardRollerWidget &roller, const QPoint &pos)
    {
        QMouseEvent move(QEvent::MouseMove, pos, roller.mapToGlobal(pos), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&roller, &move);
    }

    static void moveWithLeftButton(CardRollerWidget &roller, const QPoint &pos)
    {
        QMouseEvent move(QEvent::MouseMove, pos, roller.mapToGlobal(pos), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&roller, &move);
    }
};

QTEST_MAIN(TestCardRollerWidget)
#include "tst_cardrollerwidget.moc"
