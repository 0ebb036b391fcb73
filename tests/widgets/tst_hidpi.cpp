#include "support/fixturedatabase.h"
#include "widgets/cardrollerwidget.h"
#include "widgets/colorwheelwidget.h"
#include "widgets/painting.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTest>

using namespace Sorven;

namespace {

// An aligned 2 × 2 block of device pixels that is not one colour shows detail finer than a
// logical pixel: no image drawn at ratio 1 and scaled up has any.
bool hasDeviceDetail(const QImage &image, const QRect &area)
{
    for (int y = area.top() & ~1; y < area.bottom(); y += 2) {
        for (int x = area.left() & ~1; x < area.right(); x += 2) {
            const QRgb first = image.pixel(x, y);
            if (image.pixel(x + 1, y) != first || image.pixel(x, y + 1) != first
                || image.pixel(x + 1, y + 1) != first)
                return true;
        }
    }
    return false;
}

} // namespace

// Everything here renders on a screen scaled to 200 %.
class TestHiDpi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
        FixtureDatabase fixture(QStringLiteral("hidpi.db"));
        // Black up to device column 121, white from there: an edge inside a logical pixel.
        QImage wheel(244, 244, QImage::Format_RGB32);
        wheel.fill(Qt::white);
        QPainter(&wheel).fillRect(QRect(0, 0, 121, 244), Qt::black);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        wheel.save(&buffer, "PNG");
        fixture.addTheme(0, QStringLiteral("image.widget.color.wheel.background"), png);
        fixture.close();
        resetDatabaseLayer();
    }

    void wheelShowsItsBackgroundPixelForPixel()
    {
        ColorWheelWidget wheel;
        const QImage image = wheel.grab().toImage();
        QCOMPARE(image.devicePixelRatio(), 2.0);
        QCOMPARE(image.size(), QSize(244, 244));
        // Far above the hub, the pointer and the arc.
        QCOMPARE(image.pixelColor(120, 10), QColor(Qt::black));
        QCOMPARE(image.pixelColor(121, 10), QColor(Qt::white));
    }

    // Frames are painted even without pages to show.
    void cardFramesAreCrisp()
    {
        CardRollerWidget roller;
        roller.resize(300, 200);
        const QImage image = roller.grab().toImage();
        QCOMPARE(image.size(), QSize(600, 400));
        const QRect card = roller.cardRect(CardRollerWidget::CurrentCard);
        // Across the card's left edge the opaque frame line is two device pixels of exactly the
        // frame grey: a frame drawn at ratio 1 and scaled smoothly would blend it away.
        QList<int> grey;
        for (int x = 2 * card.left() - 6; x <= 2 * card.left() + 6; ++x) {
            if (image.pixelColor(x, 2 * card.center().y()) == Painting::FrameGrey)
                grey << x;
        }
        QCOMPARE(grey.size(), 2);
        QCOMPARE(grey.last() - grey.first(), 1);
        // The rounded corners are drawn in device pixels.
        QVERIFY(hasDeviceDetail(image, QRect(2 * card.left() - 6, 2 * card.top() - 6, 14, 14)));
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    TestHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"
