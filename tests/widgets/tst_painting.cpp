#include "widgets/painting.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace Sorven;

class TestPainting : public QObject
{
    Q_OBJECT

private slots:
    // The frame is drawn from a cached image; it must cover the pixels that stroking the three
    // outlines onto the background covers, with the same colours but for rounding where the
    // outlines overlap.
    void blockFrameMatchesTheStrokedOutlines_data()
    {
        QTest::addColumn<QRect>("block");
        QTest::addColumn<bool>("antialiased");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("side card") << QRect(2, 16, 71, 182) << false << 1.0;
        QTest::newRow("current card") << QRect(77, 16, 146, 182) << false << 1.0;
        QTest::newRow("tiny") << QRect(5, 5, 1, 1) << false << 1.0;
        QTest::newRow("antialiased") << QRect(10, 12, 40, 30) << true << 1.0;
        // A frame cached at ratio 1 and scaled up differs from outlines stroked in device
        // pixels at every rounded corner and every blended edge.
        QTest::newRow("side card at 200 %") << QRect(2, 16, 71, 182) << false << 2.0;
        QTest::newRow("antialiased at 200 %") << QRect(10, 12, 40, 30) << true << 2.0;
    }

    void blockFrameMatchesTheStrokedOutlines()
    {
        QFETCH(QRect, block);
        QFETCH(bool, antialiased);
        QFETCH(qreal, ratio);
        QImage drawn(Painting::deviceSize(QSize(300, 220), ratio),
                     QImage::Format_ARGB32_Premultiplied);
        drawn.setDevicePixelRatio(ratio);
        drawn.fill(QColor(120, 130, 140));
        QImage stroked = drawn;
        for (int pass = 0; pass < 2; ++pass) {
            QPainter painter(&drawn);
            painter.setRenderHint(QPainter::Antialiasing, antialiased);
            Painting::drawBlockFrame(painter, block);
        }
        for (int pass = 0; pass < 2; ++pass) {
            QPainter painter(&stroked);
            painter.setRenderHint(QPainter::Antialiasing, antialiased);
            QColor color = Painting::FrameGrey;
            color.setAlpha(24);
            painter.setPen(color);
            painter.drawRoundedRect(
                QRect(block.topLeft() - QPoint(2, 2), block.bottomRight() + QPoint(1, 1)), 3, 3);
            color.setAlpha(48);
            painter.setPen(color);
            painter.drawRoundedRect(QRect(block.topLeft() - QPoint(1, 1), block.bottomRight()), 2,
                                    2);
            painter.setPen(Painting::FrameGrey);
            painter.drawRect(QRect(block.topLeft(), block.bottomRight() - QPoint(1, 1)));
        }
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                const QColor a = drawn.pixelColor(x, y);
                const QColor b = stroked.pixelColor(x, y);
                const int difference
                    = qMax(qMax(qAbs(a.red() - b.red()), qAbs(a.green() - b.green())),
                           qAbs(a.blue() - b.blue()));
                if (difference > 2)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) differs: %3 against %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(a.name(), b.name())));
            }
        }
    }
};

QTEST_MAIN(TestPainting)
#include "tst_painting.moc"
