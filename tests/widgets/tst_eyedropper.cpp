#include "core/usersettings.h"
#include "db/colorentry.h"
#include "palette/collectioncolortable.h"
#include "palette/colorscience.h"
#include "palette/screenpick.h"
#include "support/fixturedatabase.h"
#include "widgets/eyedropperbutton.h"
#include "widgets/eyedropperoverlay.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

using namespace Sorven;

namespace {

const QUuid Deck {QStringLiteral("{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}")};
const QUuid Quay {QStringLiteral("{a1b2c3d4-e5f6-4a7b-8c9d-0e1f2a3b4c5d}")};

// Near Deck's R1, but no chip's exact colour.
const QColor Picked(198, 32, 30);

using Chip = std::pair<const char *, QColor>;
const QList<Chip> DeckChips {
    {"R1", {200, 30, 30}}, {"G1", {30, 160, 60}}, {"B1", {40, 60, 200}}, {"D1", {150, 20, 20}}};
const QList<Chip> QuayChips {{"Q1", {205, 35, 35}}, {"Q2", {20, 20, 20}}};

void addChips(FixtureDatabase &file, qint64 collection, const QList<Chip> &chips)
{
    const qint64 page = file.addPage(collection, 1, 1, QStringLiteral("One"));
    int rowIndex = 0;
    for (const auto &[code, color] : chips) {
        const qint64 row = file.addRow(collection, page, ++rowIndex, code, color);
        const LabColor lab = labFromColor(color);
        file.exec(QStringLiteral(R"(UPDATE "ROW" SET L = ?, A = ?, B = ? WHERE ID = ?)"),
                  {lab.l, lab.a, lab.b, row});
    }
}

QString entryText(const Chip &chip, const char *collection)
{
    const double deltaE = ciede2000Difference(labFromColor(Picked), labFromColor(chip.second));
    return QStringLiteral("%1 · %2 · ΔE00 %3")
        .arg(QLatin1String(chip.first), QLatin1String(collection), QString::number(deltaE, 'f', 1));
}

} // namespace

class TestEyedropper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        FixtureDatabase file(QStringLiteral("eyedropper.db"));
        const qint64 deck = file.addCollection(Deck, "DECK", "Deck", 1);
        addChips(file, deck, DeckChips);
        file.addSetting(deck, QStringLiteral("cie2000.delta.intervals"), QStringLiteral("5"));
        addChips(file, file.addCollection(Quay, "QUAY", "Quay & Dock", 2), QuayChips);
        file.close();
        resetDatabaseLayer();
        UserSettings::setLastUsedCollection(Deck);
        loadCollectionColorTable(Deck);
    }

    void init() { QToolTip::hideText(); }

    // Each device pixel holds (x, y, 77), so a colour names where it was read.
    void screenPickReadsDevicePixels_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("cornerInside");
        QTest::newRow("inside") << 1.0 << QPoint(20, 10) << true;
        QTest::newRow("twice as many device pixels") << 2.0 << QPoint(20, 10) << true;
        QTest::newRow("edge leaves the view's corner empty") << 1.0 << QPoint(0, 3) << false;
    }

    void screenPickReadsDevicePixels()
    {
        QFETCH(qreal, ratio);
        QFETCH(QPoint, point);
        QFETCH(bool, cornerInside);
        QImage grab(QSize(60, 40) * ratio, QImage::Format_RGB32);
        for (int y = 0; y < grab.height(); ++y) {
            for (int x = 0; x < grab.width(); ++x)
                grab.setPixel(x, y, qRgb(x, y, 77));
        }
        grab.setDevicePixelRatio(ratio);
        const ScreenPick pick(grab);
        const QPoint pixel = point * ratio;
        QCOMPARE(pick.colorAt(point), QColor(pixel.x(), pixel.y(), 77));
        QCOMPARE(pick.colorAt(QPoint(60, 0)), std::nullopt);
        QCOMPARE(pick.colorAt(QPoint(0, -1)), std::nullopt);

        const QImage view = pick.magnifiedView(point);
        const int zoom = ScreenPick::Zoom;
        const int radius = ScreenPick::Radius;
        QCOMPARE(view.size(), QSize(2 * radius + 1, 2 * radius + 1) * zoom);
        QCOMPARE(view.pixelColor(radius * zoom + zoom / 2, radius * zoom + zoom / 2),
                 QColor(pixel.x(), pixel.y(), 77));
        QCOMPARE(view.pixelColor(zoom / 2, zoom / 2),
                 cornerInside ? QColor(pixel.x() - radius, pixel.y() - radius, 77)
                              : QColor(Qt::transparent));
    }

    void picksTheColourUnderTheClickAndOffersTheNearestChips()
    {
        // A known window of one colour for the eyedropper to find on the screen.
        QWidget window;
        window.setStyleSheet(QStringLiteral("background: %1;").arg(Picked.name()));
        window.setGeometry(300, 200, 120, 80);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        EyedropperButton button;
        button.show();
        QSignalSpy selected(&button, &EyedropperButton::chipSelectedInteractively);

        QTest::mouseClick(&button, Qt::LeftButton);
        auto *overlay = button.findChild<EyedropperOverlay *>();
        QVERIFY(overlay && overlay->isVisible());
        QCOMPARE(overlay->cursor().shape(), Qt::CrossCursor);
        const QPoint target = overlay->mapFromGlobal(window.geometry().center());
        // Sent to the overlay itself: the offscreen platform does not know which window is on top.
        QMouseEvent move(QEvent::MouseMove, target, overlay->mapToGlobal(target), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(overlay, &move);
        const QRect loupe = overlay->loupeRect(target);
        QCOMPARE(overlay->grab().toImage().pixelColor(loupe.topLeft() + QPoint(49, 49)), Picked);
        QTest::mouseClick(overlay, Qt::LeftButton, {}, target);
        QVERIFY(!overlay->isVisible());

        // The palette goes to Deck's R1 at once, as a dropped free colour would.
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected[0][0].value<QUuid>(), Deck);
        QCOMPARE(selected[0][1].value<DB::ColorEntry>().code, QStringLiteral("R1"));

        auto *menu = button.findChild<QMenu *>();
        QVERIFY(menu && menu->isVisible());
        QStringList offered;
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator())
                offered << action->text();
        }
        // Nearest first, then the other collection, whose "&" is no mnemonic.
        QCOMPARE(offered,
                 QStringList({Picked.name(), entryText(DeckChips[0], "Deck"),
                              entryText(DeckChips[3], "Deck"), entryText(DeckChips[2], "Deck"),
                              entryText(QuayChips[0], "Quay && Dock")}));

        menu->actions().constLast()->trigger();
        QCOMPARE(selected.size(), 2);
        QCOMPARE(selected[1][0].value<QUuid>(), Quay);
        QCOMPARE(selected[1][1].value<DB::ColorEntry>().code, QStringLiteral("Q1"));
    }

    void cancelledOrRefusedPickChangesNothing_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("escape") << false;
        QTest::newRow("platform refuses the grab") << true;
    }

    void cancelledOrRefusedPickChangesNothing()
    {
        QFETCH(bool, refused);
        EyedropperButton button;
        if (refused)
            button.setScreenGrabber([](QScreen *) { return QPixmap(); });
        button.show();
        QSignalSpy selected(&button, &EyedropperButton::chipSelectedInteractively);

        QTest::mouseClick(&button, Qt::LeftButton);
        auto *overlay = button.findChild<EyedropperOverlay *>();
        QCOMPARE(overlay == nullptr, refused);
        if (overlay) {
            QTest::keyClick(overlay, Qt::Key_Escape);
            QVERIFY(!overlay->isVisible());
        }
        QCOMPARE(QToolTip::text(),
                 refused ? QStringLiteral("This system does not let the palette read the screen.")
                         : QString());
        QCOMPARE(selected.size(), 0);
        QCOMPARE(button.findChild<QMenu *>(), nullptr);
    }
};

QTEST_MAIN(TestEyedropper)
#include "tst_eyedropper.moc"
