#include "widgets/aboutbutton.h"
#include "widgets/helpbutton.h"
#include "widgets/imagebutton.h"
#include "widgets/taskbutton.h"

#include <QGraphicsOpacityEffect>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

using namespace Sorven;

namespace {

using ButtonFactory = std::function<TaskButton *(QWidget *)>;

const QColor Normal(255, 0, 0);
const QColor Pressed(0, 0, 255);
const QSize ImageSize(8, 8);
const QSize ButtonSize(20, 20);

QImage solid(const QColor &color)
{
    QImage image(ImageSize, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

// The widget's own drawing over black, without any background of the window.
QImage render(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

bool near(const QColor &actual, const QColor &expected, int tolerance)
{
    return qAbs(actual.red() - expected.red()) <= tolerance
        && qAbs(actual.green() - expected.green()) <= tolerance
        && qAbs(actual.blue() - expected.blue()) <= tolerance;
}

// A shown window holding one image button.
struct ImageButtonWindow
{
    ImageButtonWindow()
    {
        button = new ImageButton(solid(Normal), solid(Pressed), &window);
        button->setGeometry(QRect(QPoint(10, 10), ButtonSize));
        window.resize(60, 40);
        window.show();
    }

    QWidget window;
    ImageButton *button = nullptr;
};

bool hasOpacityEffect(const ImageButton &button)
{
    return qobject_cast<QGraphicsOpacityEffect *>(button.graphicsEffect()) != nullptr;
}

} // namespace

Q_DECLARE_METATYPE(ButtonFactory)

class TestButtons : public QObject
{
    Q_OBJECT

private slots:
    void taskButtonCursorFollowsEnabledState_data();
    void taskButtonCursorFollowsEnabledState();
    void taskButtonBody_data();
    void taskButtonBody();
    void focusRingsOnlyOnTheTextButton();

    void imageButtonDrawsTheImageOfItsState_data();
    void imageButtonDrawsTheImageOfItsState();
    void imageButtonClickEmitsClicked();
    void pulseNeedsAVisibleButton();
    void pulseStopsWithAFadeIn();
    void hidingAPulsingButtonStopsIt();
    void stoppingAHiddenButtonDoesNothing();
    void restartDuringTheLastFadeInKeepsPulsing();
};

void TestButtons::taskButtonCursorFollowsEnabledState_data()
{
    QTest::addColumn<ButtonFactory>("make");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<Qt::CursorShape>("expected");
    const ButtonFactory task = [](QWidget *parent) { return new TaskButton(parent); };
    const ButtonFactory help = [](QWidget *parent) { return new HelpButton(parent); };
    const ButtonFactory about = [](QWidget *parent) { return new AboutButton(parent); };
    QTest::newRow("task enabled") << task << true << Qt::ArrowCursor;
    QTest::newRow("task disabled") << task << false << Qt::ForbiddenCursor;
    QTest::newRow("help disabled") << help << false << Qt::ForbiddenCursor;
    QTest::newRow("about disabled") << about << false << Qt::ForbiddenCursor;
}

void TestButtons::taskButtonCursorFollowsEnabledState()
{
    QFETCH(ButtonFactory, make);
    QFETCH(bool, enabled);
    QFETCH(Qt::CursorShape, expected);
    QWidget window;
    TaskButton *button = make(&window);
    button->setGeometry(10, 10, 80, 23);
    button->setEnabled(enabled);
    window.resize(100, 50);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseMove(button, QPoint(40, 5));
    QTest::mouseMove(button, QPoint(41, 6));
    QTRY_COMPARE(button->cursor().shape(), expected);
}

void TestButtons::taskButtonBody_data()
{
    QTest::addColumn<ButtonFactory>("make");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QColor>("body");
    QTest::addColumn<QColor>("text");
    const ButtonFactory task = [](QWidget *parent) {
        auto *button = new TaskButton(parent);
        button->setText(QStringLiteral("WWW"));
        return button;
    };
    const ButtonFactory help = [](QWidget *parent) { return new HelpButton(parent); };
    // The gradient's middle for an enabled button; the darkened bottom colour for a disabled
    // one, whose text takes the grey of the top colour. The round buttons keep their bottom
    // colour and turn their blue text into the opposite grey.
    QTest::newRow("task enabled") << task << true << QColor(221, 221, 221) << QColor(49, 49, 49);
    QTest::newRow("task disabled")
        << task << false << QColor(170, 170, 170) << QColor(238, 238, 238);
    QTest::newRow("help enabled") << help << true << QColor(221, 221, 221) << QColor(0, 129, 183);
    QTest::newRow("help disabled")
        << help << false << QColor(204, 204, 204) << QColor(162, 162, 162);
}

void TestButtons::taskButtonBody()
{
    QFETCH(ButtonFactory, make);
    QFETCH(bool, enabled);
    QFETCH(QColor, body);
    QFETCH(QColor, text);
    QWidget window;
    TaskButton *button = make(&window);
    button->setGeometry(0, 0, 121, 41);
    button->setEnabled(enabled);
    const QImage image = render(*button);

    const QColor middle = image.pixelColor(30, 20);
    QVERIFY2(near(middle, body, 2), qPrintable(middle.name()));
    bool textFound = false;
    for (int x = 40; x < 80 && !textFound; ++x) {
        for (int y = 5; y < 36 && !textFound; ++y)
            textFound = near(image.pixelColor(x, y), text, 3);
    }
    QVERIFY(textFound);
}

void TestButtons::focusRingsOnlyOnTheTextButton()
{
    QWidget window;
    auto *task = new TaskButton(&window);
    auto *help = new HelpButton(&window);
    task->setGeometry(0, 0, 80, 23);
    help->setGeometry(0, 30, 23, 23);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const auto ringShows = [](QWidget &button) {
        const QColor edge = render(button).pixelColor(3, button.height() / 2);
        return edge.blue() > edge.red() + 10;
    };
    help->setFocus();
    QTRY_VERIFY(help->hasFocus());
    QVERIFY(!ringShows(*help));
    QVERIFY(!ringShows(*task));
    task->setFocus();
    QTRY_VERIFY(task->hasFocus());
    QVERIFY(ringShows(*task));
}

void TestButtons::imageButtonDrawsTheImageOfItsState_data()
{
    QTest::addColumn<bool>("down");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QColor>("centre");
    QTest::addColumn<QPoint>("imageTopLeft");
    // The 8 x 8 image centred in 20 x 20 starts at (6, 6); a pressed one a pixel further.
    QTest::newRow("normal") << false << true << false << Normal << QPoint(6, 6);
    QTest::newRow("down") << true << true << false << Pressed << QPoint(7, 7);
    QTest::newRow("disabled") << false << false << false << QColor(128, 0, 0) << QPoint(6, 6);
    QTest::newRow("checked") << false << true << true << Normal << QPoint(6, 6);
}

void TestButtons::imageButtonDrawsTheImageOfItsState()
{
    QFETCH(bool, down);
    QFETCH(bool, enabled);
    QFETCH(bool, checked);
    QFETCH(QColor, centre);
    QFETCH(QPoint, imageTopLeft);
    ImageButton button(solid(Normal), solid(Pressed));
    button.resize(ButtonSize);
    button.setCheckable(true);
    button.setChecked(checked);
    button.setDown(down);
    button.setEnabled(enabled);
    const QImage image = render(button);

    QVERIFY(near(image.pixelColor(10, 10), centre, 1));
    QVERIFY(near(image.pixelColor(imageTopLeft), centre, 1));
    QVERIFY(!near(image.pixelColor(imageTopLeft - QPoint(1, 1)), centre, 1));
    // A checked button lies on a light, nearly white plate; otherwise only the image shows.
    const QColor plate = image.pixelColor(3, 10);
    if (checked)
        QVERIFY2(plate.red() > 180 && plate.red() == plate.blue(), qPrintable(plate.name()));
    else
        QCOMPARE(plate, QColor(Qt::black));
}

void TestButtons::imageButtonClickEmitsClicked()
{
    ImageButtonWindow window;
    QVERIFY(QTest::qWaitForWindowExposed(&window.window));
    QCOMPARE(window.button->cursor().shape(), Qt::PointingHandCursor);
    QSignalSpy clicked(window.button, &QPushButton::clicked);
    QTest::mouseClick(window.button, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicked.count(), 1);
}

void TestButtons::pulseNeedsAVisibleButton()
{
    ImageButton button(solid(Normal), solid(Pressed));
    button.startPulse();
    QVERIFY(!button.isPulsing());
    QVERIFY(!button.graphicsEffect());
    button.stopPulse();
    QVERIFY(!button.graphicsEffect());
}

void TestButtons::pulseStopsWithAFadeIn()
{
    ImageButtonWindow window;
    window.button->startPulse();
    QVERIFY(window.button->isPulsing());
    QVERIFY(hasOpacityEffect(*window.button));
    QGraphicsEffect *effect = window.button->graphicsEffect();
    window.button->startPulse();
    QCOMPARE(window.button->graphicsEffect(), effect);

    window.button->stopPulse();
    QVERIFY(!window.button->isPulsing());
    QVERIFY(hasOpacityEffect(*window.button));
    QTRY_VERIFY_WITH_TIMEOUT(!window.button->graphicsEffect(), 3000);
}

void TestButtons::hidingAPulsingButtonStopsIt()
{
    ImageButtonWindow window;
    window.button->startPulse();
    window.button->hide();
    QVERIFY(!window.button->isPulsing());
    QTRY_VERIFY_WITH_TIMEOUT(!window.button->graphicsEffect(), 3000);
}

void TestButtons::stoppingAHiddenButtonDoesNothing()
{
    ImageButtonWindow window;
    window.button->startPulse();
    window.window.hide();
    window.button->stopPulse();
    QVERIFY(window.button->isPulsing());

    window.window.show();
    window.button->stopPulse();
    QVERIFY(!window.button->isPulsing());
}

void TestButtons::restartDuringTheLastFadeInKeepsPulsing()
{
    ImageButtonWindow window;
    window.button->startPulse();
    window.button->stopPulse();
    window.button->startPulse();
    // Longer than the fade-in that the stop started.
    QTest::qWait(1200);
    QVERIFY(window.button->isPulsing());
    QVERIFY(hasOpacityEffect(*window.button));
}

QTEST_MAIN(TestButtons)
#include "tst_buttons.moc"
