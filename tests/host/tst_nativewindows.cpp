#include <qwinhandle.h>
#include <windows.h>

#include <QPainter>
#include <QPointer>
#include <QTest>
#include <QWidget>

namespace {

WNDPROC s_previous = nullptr;

LRESULT chainingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(s_previous, hwnd, message, wParam, lParam);
}

LRESULT swallowingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class RedWidget : public QWidget
{
public:
    int presses = 0;

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), Qt::red); }
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

} // namespace

// The stand-in's windows are as strict as the platform's where the module relies on them.
class TestNativeWindows : public QObject
{
    Q_OBJECT

private slots:
    void qtWindowPaintsAndTakesInputOnlyThroughTheChain_data();
    void qtWindowPaintsAndTakesInputOnlyThroughTheChain();
    void embeddedWidgetOutlivesItsNativeParent();
};

void TestNativeWindows::qtWindowPaintsAndTakesInputOnlyThroughTheChain_data()
{
    QTest::addColumn<bool>("chains");
    QTest::newRow("chained") << true;
    QTest::newRow("not chained") << false;
}

void TestNativeWindows::qtWindowPaintsAndTakesInputOnlyThroughTheChain()
{
    QFETCH(bool, chains);
    QWidget parent;
    parent.resize(100, 100);
    parent.show();
    auto *child = new RedWidget;
    child->resize(40, 40);
    const HWND hwnd = qWinHandle(child);
    SetParent(hwnd, qWinHandle(&parent));
    const WNDPROC procedure = chains ? chainingProcedure : swallowingProcedure;
    s_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    child->show();

    const QColor expected = chains ? QColor(Qt::red) : parent.palette().color(QPalette::Window);
    QCOMPARE(parent.grab().toImage().pixelColor(20, 20), expected);
    QTest::mouseClick(child, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(child->presses, chains ? 1 : 0);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_previous));
    delete child;
}

void TestNativeWindows::embeddedWidgetOutlivesItsNativeParent()
{
    auto *parent = new QWidget;
    parent->show();
    QPointer<QWidget> child = new QWidget;
    SetParent(qWinHandle(child), qWinHandle(parent));
    child->show();
    QVERIFY(parent->isAncestorOf(child));
    delete parent;
    QVERIFY(child);
    QVERIFY(child->isWindow());
    QVERIFY(!child->isVisible());
    delete child;
}

QTEST_MAIN(TestNativeWindows)
#include "tst_nativewindows.moc"
