#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/search.h"
#include "harmonizer/colorschemerpolvaronewidget.h"
#include "harmonizer/colorschemerwidget.h"
#include "palette/colorchipdnd.h"
#include "schemefixture.h"
#include "support/fixturedatabase.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

using namespace Sorven;
using namespace SchemeFixture;
using ChipIndex = ColorSchemerWidget::ChipIndex;

namespace {

QPoint centreOf(const QRect &rect)
{
    return {(rect.left() + rect.right()) / 2, (rect.top() + rect.bottom()) / 2};
}

void select(const QUuid &uuid, int page, int row, SchemeKind kind,
            SchemeKind subKind = TonalNeutralScheme)
{
    UserSettings::setLastUsedCollection(uuid);
    UserSettings::setPageIndex(uuid, page);
    UserSettings::setRowIndex(uuid, row);
    UserSettings::setSchemeKind(uuid, kind);
    UserSettings::setSchemeNeutralSubKind(uuid, subKind);
}

void showAndPaint(QWidget &widget)
{
    widget.resize(500, 226);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    widget.grab();
}

void moveWithLeftButton(QWidget &widget, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget.mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

void hover(QWidget &widget, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget.mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

// Drags from the chip at pos; offscreen QDrag::exec returns at once and leaves its record.
const QMimeData *dragFrom(QWidget &widget, const QPoint &pos)
{
    QTest::mousePress(&widget, Qt::LeftButton, {}, pos);
    moveWithLeftButton(widget, pos + QPoint(QApplication::startDragDistance() + 1, 0));
    const QDrag *drag = widget.findChild<QDrag *>();
    return drag ? drag->mimeData() : nullptr;
}

// What My Palette reads at a drop: a chip of the schemers' source.
void checkDropRecord(const QMimeData *data, const QUuid &collection, const QString &code)
{
    QVERIFY(data);
    QVERIFY(hasColorChipDndInfo(data));
    QCOMPARE(colorChipDndSource(data), int(ColorSchemerDndSource));
    QUuid read;
    DB::ColorEntry chip;
    QCOMPARE(readColorChipDndEntry(data, read, chip), 0);
    QCOMPARE(read, collection);
    QCOMPARE(chip.code, code);
    QCOMPARE(data->data(ColorChipDndMimeType), colorChipDndRecord(2, collection, chip.id));
}

} // namespace

class TestColorSchemerWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        write();
        resetDatabaseLayer();
        clearInterfaceFonts();
    }

    void init()
    {
        select(Mosaic, 1, 1, HarmonicScheme);
        QToolTip::hideText();
    }

    void buttonsStandInACentredRow()
    {
        ColorSchemerWidget schemer;
        schemer.resize(500, 226);
        schemer.grab();
        QCOMPARE(schemer.buttons(),
                 (QList<SchemeKind> {HarmonicScheme, ContrastScheme, NeutralScheme}));
        // Placeholder images of 44 x 44, 40 pixels apart.
        for (int button = 0; button < 3; ++button) {
            QCOMPARE(schemer.buttonRect(button), QRect(144 + button * 84, 8, 44, 44));
            QCOMPARE(schemer.captionRect(button).top(), 53);
            QCOMPARE(schemer.captionRect(button).height(), schemer.captionRect(0).height());
            QCOMPARE(schemer.buttonAt(schemer.buttonRect(button).center()), button);
            QCOMPARE(schemer.buttonAt(schemer.captionRect(button).center()), button);
        }
        // The hit shape is a circle inside the image.
        QCOMPARE(schemer.buttonAt(schemer.buttonRect(0).topLeft() + QPoint(8, 8)), -1);
    }

    void chipAreaStaysWithinItsLimits_data()
    {
        QTest::addColumn<int>("height");
        QTest::newRow("short") << 150;
        QTest::newRow("pane") << 226;
        QTest::newRow("tall") << 240;
        QTest::newRow("very tall") << 600;
    }

    void chipAreaStaysWithinItsLimits()
    {
        QFETCH(int, height);
        ColorSchemerWidget schemer;
        schemer.resize(500, height);
        schemer.grab();
        const QRect area = schemer.chipArea();
        QCOMPARE(area.left(), 24);
        QCOMPARE(area.right(), 475);
        QVERIFY(area.height() <= 100);
        QCOMPARE((area.height() - 1) % 3, 0);
        // What is given up is given up evenly at top and bottom.
        const int above = area.top() - (schemer.captionRect(0).bottom() + 16);
        const int below = height - 33 - area.bottom();
        QVERIFY2(above >= 0 && below >= 0 && qAbs(above - below) <= 2,
                 qPrintable(QStringLiteral("%1 %2").arg(above).arg(below)));
    }

    void chipsShowTheSchemeRowsCentred_data()
    {
        QTest::addColumn<QUuid>("collection");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("pages");
        QTest::addColumn<QList<int>>("sizes");
        QTest::newRow("two rows") << Mosaic << 1 << QList<int> {2, 3} << QList<int> {4, 4};
        QTest::newRow("one row") << Mosaic << 6 << QList<int> {4} << QList<int> {4};
        QTest::newRow("three rows") << Deck << 1 << QList<int> {2, 3, 4} << QList<int> {3, 4, 2};
        QTest::newRow("none") << Mosaic << 2 << QList<int>() << QList<int>();
        QTest::newRow("borrowed") << Plain << 1 << QList<int> {1} << QList<int> {2};
    }

    void chipsShowTheSchemeRowsCentred()
    {
        QFETCH(QUuid, collection);
        QFETCH(int, kind);
        QFETCH(QList<int>, pages);
        QFETCH(QList<int>, sizes);
        select(collection, 1, 1, SchemeKind(kind));
        ColorSchemerWidget schemer;
        schemer.resize(500, 226);
        const QImage image = schemer.grab().toImage();
        const QUuid shown = collection == Plain ? Deck : collection;
        QCOMPARE(schemer.collectionInUse(), shown);
        QRect block;
        for (int row = 0; row < pages.size(); ++row) {
            for (int column = 0; column < sizes[row]; ++column) {
                const QRect chip = schemer.indexRect({row, column});
                QCOMPARE(image.pixelColor(centreOf(chip)),
                         chipColor(shown, pages[row], column + 1));
                QCOMPARE(schemer.indexAt(centreOf(chip)), ChipIndex({row, column}));
                block |= chip;
            }
            QCOMPARE(schemer.indexRect({row, sizes[row]}), QRect());
        }
        QCOMPARE(schemer.indexRect({int(pages.size()), 0}), QRect());
        if (pages.isEmpty())
            return;
        const QRect area = schemer.chipArea();
        QVERIFY(qAbs((block.top() - area.top()) - (area.bottom() - block.bottom())) <= 2);
        QCOMPARE(image.pixelColor(block.right() + 1, block.top()), QColor(64, 64, 64));
        QCOMPARE(image.pixelColor(block.left(), block.bottom() + 1), QColor(64, 64, 64));
    }

    void neutralButtonTogglesItsSubKind_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("subKind");
        QTest::addColumn<bool>("byKeys");
        QTest::addColumn<QStringList>("emitted");
        QTest::newRow("mouse, complementary page") << 2 << 6 << 7 << false << QStringList {"sub:8"};
        QTest::newRow("mouse, back to tonal") << 2 << 6 << 8 << false << QStringList {"sub:7"};
        QTest::newRow("mouse, no complementary page") << 1 << 6 << 7 << false << QStringList();
        QTest::newRow("keys, complementary page") << 2 << 6 << 7 << true << QStringList {"sub:8"};
        QTest::newRow("keys, no complementary page")
            << 1 << 6 << 7 << true << QStringList {"sub:7"};
        QTest::newRow("mouse, from harmonic") << 1 << 1 << 7 << false << QStringList {"kind:6"};
        QTest::newRow("keys, from harmonic") << 1 << 1 << 7 << true << QStringList {"kind:6"};
    }

    void neutralButtonTogglesItsSubKind()
    {
        QFETCH(int, page);
        QFETCH(int, kind);
        QFETCH(int, subKind);
        QFETCH(bool, byKeys);
        QFETCH(QStringList, emitted);
        select(Deck, page, 1, SchemeKind(kind), SchemeKind(subKind));
        ColorSchemerWidget schemer;
        QStringList log;
        connect(&schemer, &ColorSchemerWidget::schemeKindChangedInteractively,
                [&log](SchemeKind k) { log << QStringLiteral("kind:%1").arg(k); });
        connect(&schemer, &ColorSchemerWidget::schemeNeutralSubKindChangedInteractively,
                [&log](SchemeKind k) { log << QStringLiteral("sub:%1").arg(k); });
        showAndPaint(schemer);
        schemer.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&schemer));
        if (byKeys)
            QTest::keySequence(&schemer, QKeySequence(QStringLiteral("Ctrl+S, Ctrl+2")));
        else
            QTest::mouseClick(&schemer, Qt::LeftButton, {}, schemer.buttonRect(1).center());
        QCOMPARE(log, emitted);
    }

    void shortcutsActOnlyOnAVisibleSchemersButtons()
    {
        ColorSchemerWidget schemer;
        QSignalSpy kinds(&schemer, &ColorSchemerWidget::schemeKindChangedInteractively);
        const QList<QAction *> actions = schemer.actions();
        QCOMPARE(actions.size(), 9);
        actions[1]->trigger();
        QCOMPARE(kinds.count(), 0);
        showAndPaint(schemer);
        actions[3]->trigger();
        actions[0]->trigger();
        QCOMPARE(kinds.count(), 0);
        actions[1]->trigger();
        QCOMPARE(kinds.count(), 1);
        QCOMPARE(kinds.at(0).at(0).value<SchemeKind>(), ContrastScheme);
    }

    void complementaryWithoutAPageSchemeIsStoredAsTonal()
    {
        select(Deck, 1, 1, NeutralScheme, ComplementaryNeutralScheme);
        ColorSchemerWidget schemer;
        schemer.resize(500, 226);
        const QImage image = schemer.grab().toImage();
        QCOMPARE(UserSettings::schemeNeutralSubKind(Deck), TonalNeutralScheme);
        QCOMPARE(image.pixelColor(centreOf(schemer.indexRect({0, 0}))), chipColor(Deck, 3, 1));
    }

    void tooltipsNameTheSchemeAndTheChip()
    {
        ColorSchemerWidget schemer;
        showAndPaint(schemer);
        hover(schemer, schemer.buttonRect(0).center());
        QCOMPARE(
            QToolTip::text(),
            QStringLiteral("<span style=\"font-size: 12px;\">Close hues<br/>side by side</span>"));
        hover(schemer, centreOf(schemer.indexRect({0, 0})));
        QVERIFY(QToolTip::text().contains(QStringLiteral("M-2-1")));
        hover(schemer, QPoint(2, 2));
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void buttonsAndChipsAreAccessible()
    {
        ColorSchemerWidget schemer;
        showAndPaint(schemer);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&schemer);
        QVERIFY(accessible);
        QCOMPARE(accessible->childCount(), 3 + 8);
        QStringList names;
        for (int button = 0; button < 3; ++button) {
            QAccessibleInterface *item = accessible->child(button);
            QCOMPARE(item->role(), QAccessible::RadioButton);
            QCOMPARE(item->state().selected, button == 0);
            names << item->text(QAccessible::Name);
        }
        QCOMPARE(names, QStringList({"harmonic", "contrast", "tonal"}));
        QCOMPARE(accessible->child(0)->text(QAccessible::Description),
                 QStringLiteral("Close hues. side by side"));
        QAccessibleInterface *chip = accessible->child(3);
        QCOMPARE(chip->text(QAccessible::Name), QStringLiteral("M-2-1"));
        QVERIFY(chip->text(QAccessible::Description).startsWith(QStringLiteral("M, ")));
        const QRect rect = schemer.indexRect({0, 0});
        QCOMPARE(chip->rect(), QRect(schemer.mapToGlobal(rect.topLeft()), rect.size()));
    }

    void aSchemeChipDragsAsASchemerChip()
    {
        ColorSchemerWidget schemer;
        showAndPaint(schemer);
        checkDropRecord(dragFrom(schemer, centreOf(schemer.indexRect({1, 2}))), Mosaic,
                        QStringLiteral("M-3-3"));
    }

    void powderCoatingTrioStandsLeftToRight_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("shown");
        QTest::newRow("trio") << 1 << true;
        QTest::newRow("contrast only") << 2 << false;
        QTest::newRow("row 0") << 0 << false;
    }

    void powderCoatingTrioStandsLeftToRight()
    {
        QFETCH(int, row);
        QFETCH(bool, shown);
        select(Kiln, 1, row, NoScheme);
        ColorSchemerPolvaroneWidget schemer;
        schemer.resize(500, 226);
        const QImage image = schemer.grab().toImage();
        const int line = schemer.fontMetrics().height();
        const int top = 12 + (226 - 3 * line - 48 - 78) / 2;
        for (int slot = 0; slot < 3; ++slot) {
            QCOMPARE(schemer.captionRect(slot), QRect(12 + slot * 160, top, 156, line + 6));
            QCOMPARE(schemer.slotRect(slot), QRect(12 + slot * 160, top + 2 * line + 11, 156, 78));
            const QColor pixel = image.pixelColor(centreOf(schemer.slotRect(slot)));
            QCOMPARE(pixel == chipColor(Kiln, 2, slot + 1), shown);
            QCOMPARE(image.pixelColor(schemer.captionRect(slot).topLeft()), QColor(99, 99, 99));
        }
        QCOMPARE(schemer.chips().size(), shown ? 3 : 0);
    }

    void aPowderCoatingChipDragsAsASchemerChip()
    {
        select(Kiln, 1, 1, NoScheme);
        ColorSchemerPolvaroneWidget schemer;
        showAndPaint(schemer);
        checkDropRecord(dragFrom(schemer, centreOf(schemer.slotRect(1))), Kiln,
                        QStringLiteral("K-2-2"));
    }
};

QTEST_MAIN(TestColorSchemerWidget)
#include "tst_colorschemerwidget.moc"
