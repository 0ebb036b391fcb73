#include "widgets/imagebutton.h"
#include "widgets/orvocustomstyle.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyleOption>
#include <QTest>

#include <memory>

using namespace Sorven;

namespace {

const QColor GrooveColor(0, 128, 0);
const QColor HandleColor(0, 0, 255);
const QSize HandleSize(21, 7);

QImage filled(const QSize &size, const QColor &color)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

// Red, where the shading shows, in the upper three rows only.
QImage upperRowsMask()
{
    QImage mask = filled(QSize(21, 7), Qt::black);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < mask.width(); ++x)
            mask.setPixelColor(x, y, Qt::red);
    }
    return mask;
}

std::unique_ptr<OrvoCustomStyle> sliderStyle()
{
    auto style = std::make_unique<OrvoCustomStyle>();
    style->setSliderImages(filled(QSize(21, 7), GrooveColor), upperRowsMask(),
                           filled(HandleSize, HandleColor));
    return style;
}

QImage render(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

bool isGrey(const QColor &color)
{
    return color.red() == color.green() && color.green() == color.blue();
}

QStyleOptionSlider scrollBarOption(Qt::Orientation orientation, const QRect &rect, int minimum,
                                   int maximum, int pageStep, int position)
{
    QStyleOptionSlider option;
    option.rect = rect;
    option.orientation = orientation;
    option.state = QStyle::State_Enabled;
    if (orientation == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    option.minimum = minimum;
    option.maximum = maximum;
    option.pageStep = pageStep;
    option.singleStep = 1;
    option.sliderPosition = position;
    option.sliderValue = position;
    option.subControls = QStyle::SC_All;
    return option;
}

// The point at offset along the bar's track, in the middle across it.
QPoint along(const QStyleOptionSlider &bar, int offset)
{
    const QRect &r = bar.rect;
    return bar.orientation == Qt::Horizontal ? QPoint(r.left() + offset, r.center().y())
                                             : QPoint(r.center().x(), r.top() + offset);
}

} // namespace

class TestOrvoCustomStyle : public QObject
{
    Q_OBJECT

private slots:
    void pixelMetrics_data();
    void pixelMetrics();
    void scrollBarGeometry_data();
    void scrollBarGeometry();
    void scrollBarPagesAndPaints();
    void sliderHandleFollowsItsImage();
    void sliderPaintsGrooveShadingAndHandle();
    void verticalSliderIsNotDrawn();
    void otherWidgetsLookAsInTheApplicationStyle();
};

void TestOrvoCustomStyle::pixelMetrics_data()
{
    QTest::addColumn<int>("metric");
    QTest::addColumn<bool>("withImages");
    QTest::addColumn<int>("expected");
    // -1: the application style's value.
    QTest::newRow("scroll bar extent") << int(QStyle::PM_ScrollBarExtent) << false << 12;
    QTest::newRow("scroll bar slider minimum") << int(QStyle::PM_ScrollBarSliderMin) << false << 32;
    QTest::newRow("tick mark offset") << int(QStyle::PM_SliderTickmarkOffset) << false << 0;
    QTest::newRow("slider thickness") << int(QStyle::PM_SliderThickness) << true << 7;
    QTest::newRow("slider control thickness")
        << int(QStyle::PM_SliderControlThickness) << true << 7;
    QTest::newRow("slider length") << int(QStyle::PM_SliderLength) << true << 21;
    QTest::newRow("slider length without images") << int(QStyle::PM_SliderLength) << false << -1;
    QTest::newRow("slider thickness without images")
        << int(QStyle::PM_SliderThickness) << false << -1;
    QTest::newRow("anything else") << int(QStyle::PM_ButtonMargin) << true << -1;
}

void TestOrvoCustomStyle::pixelMetrics()
{
    QFETCH(int, metric);
    QFETCH(bool, withImages);
    QFETCH(int, expected);
    const auto style = withImages ? sliderStyle() : std::make_unique<OrvoCustomStyle>();
    const auto pixelMetric = QStyle::PixelMetric(metric);
    if (expected < 0)
        expected = QApplication::style()->pixelMetric(pixelMetric);
    QCOMPARE(style->pixelMetric(pixelMetric), expected);
}

void TestOrvoCustomStyle::scrollBarGeometry_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<QList<int>>("range");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    // range: minimum, maximum, page step, position.
    QTest::newRow("at the top") << Qt::Vertical << QList<int> {0, 100, 10, 0} << 110 << 0 << 10;
    QTest::newRow("in the middle")
        << Qt::Vertical << QList<int> {0, 100, 10, 50} << 110 << 50 << 60;
    QTest::newRow("at the bottom")
        << Qt::Vertical << QList<int> {0, 100, 10, 100} << 110 << 100 << 110;
    QTest::newRow("rounded to the nearest pixel")
        << Qt::Vertical << QList<int> {0, 2, 1, 1} << 100 << 33 << 67;
    QTest::newRow("range not starting at zero")
        << Qt::Vertical << QList<int> {100, 200, 10, 150} << 110 << 50 << 60;
    QTest::newRow("maximum equals minimum")
        << Qt::Vertical << QList<int> {5, 5, 10, 5} << 80 << 0 << 80;
    QTest::newRow("no range and no page step")
        << Qt::Vertical << QList<int> {0, 0, 0, 0} << 80 << 0 << 80;
    QTest::newRow("horizontal") << Qt::Horizontal << QList<int> {0, 300, 100, 100} << 200 << 50
                                << 100;
}

void TestOrvoCustomStyle::scrollBarGeometry()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(QList<int>, range);
    QFETCH(int, length);
    QFETCH(int, start);
    QFETCH(int, end);
    OrvoCustomStyle style;
    const QRect rect
        = orientation == Qt::Horizontal ? QRect(5, 7, length, 12) : QRect(5, 7, 12, length);
    const QStyleOptionSlider bar
        = scrollBarOption(orientation, rect, range[0], range[1], range[2], range[3]);
    const auto part = [&](QStyle::SubControl subControl) {
        return style.subControlRect(QStyle::CC_ScrollBar, &bar, subControl);
    };
    const auto partAt = [&](int offset) {
        return style.hitTestComplexControl(QStyle::CC_ScrollBar, &bar, along(bar, offset));
    };
    const QRect slider = part(QStyle::SC_ScrollBarSlider);
    QCOMPARE(slider,
             orientation == Qt::Horizontal ? QRect(5 + start, 7, end - start, 12)
                                           : QRect(5, 7 + start, 12, end - start));
    QCOMPARE(part(QStyle::SC_ScrollBarGroove), rect);
    QCOMPARE(part(QStyle::SC_ScrollBarSubPage).isValid(), start > 0);
    QCOMPARE(part(QStyle::SC_ScrollBarAddPage).isValid(), end < length);
    QCOMPARE(part(QStyle::SC_ScrollBarSubPage) | slider | part(QStyle::SC_ScrollBarAddPage), rect);
    for (const QStyle::SubControl arrow : {QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSubLine,
                                           QStyle::SC_ScrollBarFirst, QStyle::SC_ScrollBarLast})
        QVERIFY(!part(arrow).isValid());

    if (start > 0)
        QCOMPARE(partAt(start - 1), QStyle::SC_ScrollBarSubPage);
    QCOMPARE(partAt(start), QStyle::SC_ScrollBarSlider);
    QCOMPARE(partAt(end - 1), QStyle::SC_ScrollBarSlider);
    QCOMPARE(partAt(end), end < length ? QStyle::SC_ScrollBarAddPage : QStyle::SC_None);
}

void TestOrvoCustomStyle::scrollBarPagesAndPaints()
{
    OrvoCustomStyle style;
    QScrollBar bar(Qt::Vertical);
    bar.setStyle(&style);
    bar.setRange(0, 100);
    bar.setPageStep(10);
    QCOMPARE(bar.sizeHint().width(), 12);
    bar.resize(12, 110);

    const QImage image = render(bar);
    // The slider is a light capsule three pixels inside the darker track.
    const QColor capsule = image.pixelColor(6, 5);
    QVERIFY2(isGrey(capsule) && capsule.red() >= 192 && capsule.red() <= 208,
             qPrintable(capsule.name()));
    for (const QPoint &track : {QPoint(1, 5), QPoint(6, 80)}) {
        const QColor color = image.pixelColor(track);
        QVERIFY2(isGrey(color) && color.red() >= 144 && color.red() <= 152,
                 qPrintable(color.name()));
    }

    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(6, 5));
    QCOMPARE(bar.value(), 0);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(6, 80));
    QCOMPARE(bar.value(), 10);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(6, 5));
    QCOMPARE(bar.value(), 0);
}

void TestOrvoCustomStyle::sliderHandleFollowsItsImage()
{
    const auto style = sliderStyle();
    QSlider slider(Qt::Horizontal);
    slider.setStyle(style.get());
    slider.setRange(0, 255);
    slider.resize(256, 21);

    QStyleOptionSlider option;
    const auto handle = [&] {
        option.initFrom(&slider);
        option.rect = slider.rect();
        option.orientation = Qt::Horizontal;
        option.minimum = slider.minimum();
        option.maximum = slider.maximum();
        option.sliderPosition = slider.sliderPosition();
        option.upsideDown = slider.invertedAppearance();
        return style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle);
    };
    QCOMPARE(handle(), QRect(QPoint(0, 7), HandleSize));
    slider.setValue(255);
    QCOMPARE(handle(), QRect(QPoint(256 - 21, 7), HandleSize));
    slider.setInvertedAppearance(true);
    QCOMPARE(handle(), QRect(QPoint(0, 7), HandleSize));

    // The user drags the handle from the left end by 47 pixels, a fifth of the way.
    slider.setInvertedAppearance(false);
    slider.setValue(0);
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(&slider, QPoint(57, 10));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(57, 10));
    QCOMPARE(slider.value(), 51);
}

void TestOrvoCustomStyle::sliderPaintsGrooveShadingAndHandle()
{
    const auto style = sliderStyle();
    QSlider slider(Qt::Horizontal);
    slider.setStyle(style.get());
    slider.setRange(0, 255);
    slider.setValue(255);
    slider.resize(256, 21);
    const QImage image = render(slider);

    // The track runs from x = 10 to 245, rows 7 to 13; the handle covers x = 235 to 255.
    const QColor leftShade = image.pixelColor(20, 8);
    const QColor rightShade = image.pixelColor(220, 8);
    QVERIFY2(isGrey(leftShade) && isGrey(rightShade), qPrintable(leftShade.name()));
    QVERIFY(leftShade.red() > 200);
    QVERIFY(rightShade.red() < 50);
    QCOMPARE(image.pixelColor(20, 12), GrooveColor);
    QCOMPARE(image.pixelColor(120, 12), GrooveColor);
    QCOMPARE(image.pixelColor(5, 12), QColor(Qt::black));
    QCOMPARE(image.pixelColor(245, 10), HandleColor);
    QCOMPARE(image.pixelColor(120, 3), QColor(Qt::black));
}

void TestOrvoCustomStyle::verticalSliderIsNotDrawn()
{
    const auto style = sliderStyle();
    QSlider slider(Qt::Vertical);
    slider.setStyle(style.get());
    slider.resize(21, 100);
    const QImage image = render(slider);
    QImage black(image.size(), image.format());
    black.fill(Qt::black);
    QCOMPARE(image, black);
}

void TestOrvoCustomStyle::otherWidgetsLookAsInTheApplicationStyle()
{
    OrvoCustomStyle style;
    QPushButton plain(QStringLiteral("Plain"));
    plain.resize(80, 24);
    const QImage withApplicationStyle = render(plain);
    plain.setStyle(&style);
    QCOMPARE(render(plain), withApplicationStyle);

    QStyleOptionButton option;
    option.initFrom(&plain);
    option.rect = QRect(3, 4, 30, 20);
    QCOMPARE(
        style.subElementRect(QStyle::SE_PushButtonLayoutItem, &option, &plain),
        QApplication::style()->subElementRect(QStyle::SE_PushButtonLayoutItem, &option, &plain));
    ImageButton imageButton(filled(QSize(8, 8), Qt::red), filled(QSize(8, 8), Qt::blue));
    QCOMPARE(style.subElementRect(QStyle::SE_PushButtonLayoutItem, &option, &imageButton),
             option.rect);
}

QTEST_MAIN(TestOrvoCustomStyle)
#include "tst_orvocustomstyle.moc"
