#include "palette/texturetint.h"

#include <QTest>

using namespace Sorven;

class TestTextureTint : public QObject
{
    Q_OBJECT

private slots:
    void tintsEachChannel_data()
    {
        QTest::addColumn<QColor>("texture");
        QTest::addColumn<QColor>("tint");
        QTest::addColumn<double>("alpha");
        QTest::addColumn<QColor>("expected");
        // m = (100, 50, 152): half-way towards the tint, then times the texture over 256.
        QTest::newRow("half towards blue")
            << QColor(200, 100, 50) << QColor(0, 0, 255) << 0.5 << QColor(78, 19, 29);
        QTest::newRow("full tint is texture times tint over 256")
            << QColor(200, 100, 50) << QColor(128, 255, 64) << 1.0
            << QColor(200 * 128 / 256, 100 * 255 / 256, 50 * 64 / 256);
        QTest::newRow("white texture keeps the tint below 255")
            << QColor(255, 255, 255) << QColor(255, 0, 0) << 1.0 << QColor(254, 0, 0);
        QTest::newRow("a damaged opacity above 1 tints fully")
            << QColor(200, 100, 50) << QColor(0, 0, 255) << 7.0 << QColor(0, 0, 49);
    }

    void tintsEachChannel()
    {
        QFETCH(QColor, texture);
        QFETCH(QColor, tint);
        QFETCH(double, alpha);
        QFETCH(QColor, expected);
        QImage image(3, 2, QImage::Format_ARGB32);
        // A translucent texture comes out opaque.
        texture.setAlpha(100);
        image.fill(texture);
        const QImage tinted = tintTexture(image, tint, alpha);
        QCOMPARE(tinted.size(), image.size());
        QCOMPARE(tinted.pixelColor(2, 1), expected);
        QCOMPARE(tinted.pixelColor(0, 0), expected);
    }
};

QTEST_GUILESS_MAIN(TestTextureTint)
#include "tst_texturetint.moc"
