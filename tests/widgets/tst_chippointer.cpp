#include "widgets/chippointer.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QTest>

using namespace Sorven;

namespace {

const QPoint Press(10, 10);
const QUuid Deck {QStringLiteral("{3f1e2d4c-5b6a-4978-8a9b-0c1d2e3f4a5b}")};

// Drags whatever lies right of DraggableFrom; a chip of Deck fills the left half.
class ChipsWidget : public QWidget
{
public:
    ChipsWidget()
        : pointer(new ChipPointer(
            this,
            [this](const QPoint &pos) {
                dragAsks << pos;
                return pos.x() >= draggableFrom;
            },
            {},
            [this](const QPoint &pos) {
                return pos.x() < width() / 2 ? DB::ItemIndex {Deck, 2, 7} : DB::ItemIndex();
            }))
    {
        resize(200, 100);
    }

    ChipPointer *pointer;
    int draggableFrom = 0;
    QList<QPoint> dragAsks;
};

void moveWith(QWidget &widget, Qt::MouseButtons buttons, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget.mapToGlobal(pos), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

} // namespace

class TestChipPointer : public QObject
{
    Q_OBJECT

private slots:
    // Moves to Press + (dx, 0) in turn with the left button held.
    void aDragStartsOnceAPressMovesFarEnough_data()
    {
        const int far = QApplication::startDragDistance() + 1;
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("released");
        QTest::addColumn<int>("draggableFrom");
        QTest::addColumn<QList<int>>("moves");
        QTest::addColumn<QList<int>>("asked");
        QTest::newRow("within the drag distance")
            << Qt::LeftButton << false << 0 << QList<int> {far - 1} << QList<int>();
        QTest::newRow("beyond it, once a press")
            << Qt::LeftButton << false << 0 << QList<int> {far, far + 5} << QList<int> {far};
        QTest::newRow("released first")
            << Qt::LeftButton << true << 0 << QList<int> {far + 5} << QList<int>();
        QTest::newRow("right button")
            << Qt::RightButton << false << 0 << QList<int> {far + 5} << QList<int>();
        QTest::newRow("nothing to drag keeps the press")
            << Qt::LeftButton << false << Press.x() + far + 2 << QList<int> {far, far + 2, far + 4}
            << QList<int> {far, far + 2};
    }

    void aDragStartsOnceAPressMovesFarEnough()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, released);
        QFETCH(int, draggableFrom);
        QFETCH(QList<int>, moves);
        QFETCH(QList<int>, asked);
        ChipsWidget widget;
        widget.draggableFrom = draggableFrom;
        QTest::mousePress(&widget, button, {}, Press);
        if (released)
            QTest::mouseRelease(&widget, button, {}, Press);
        for (const int dx : moves)
            moveWith(widget, Qt::LeftButton, Press + QPoint(dx, 0));
        QList<QPoint> expected;
        for (const int dx : asked)
            expected << Press + QPoint(dx, 0);
        QCOMPARE(widget.dragAsks, expected);
    }

    // Elsewhere the widget has the request as ever.
    void aContextMenuRequestOverAChipNamesIt()
    {
        QWidget parent;
        auto *widget = new ChipsWidget;
        widget->setParent(&parent);
        QSignalSpy requested(widget->pointer, &ChipPointer::chipContextMenuRequested);
        for (const QPoint &pos : {QPoint(20, 20), QPoint(150, 20)}) {
            QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
            QApplication::sendEvent(widget, &event);
            QCOMPARE(event.isAccepted(), pos.x() < 100);
        }
        QCOMPARE(requested.size(), 1);
        QCOMPARE(requested[0][0].value<DB::ItemIndex>(), (DB::ItemIndex {Deck, 2, 7}));
        QCOMPARE(requested[0][1].toPoint(), widget->mapToGlobal(QPoint(20, 20)));
    }
};

QTEST_MAIN(TestChipPointer)
#include "tst_chippointer.moc"
