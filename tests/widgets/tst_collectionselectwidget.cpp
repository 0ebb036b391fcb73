#include "core/usersettings.h"
#include "db/connections.h"
#include "support/fixturedatabase.h"
#include "widgets/collectionselectwidget.h"
#include "widgets/dropdownbutton.h"
#include "widgets/imagebutton.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Sorven;

namespace {

const QUuid Alpha {QStringLiteral("{1a2b3c4d-5e6f-4a7b-8c9d-aebfc0d1e2f3}")};
const QUuid Beta {QStringLiteral("{f3e2d1c0-bfae-4d9c-8b7a-6f5e4d3c2b1a}")};
// A tile narrower than the bar, stretched across it.
const QColor BarGrey(90, 90, 90);

} // namespace

class TestCollectionSelectWidget : public QObject
{
    Q_OBJECT

private slots:
    void theArrowNeedsTwoCollections()
    {
        {
            FixtureDatabase one(QStringLiteral("alpha.db"));
            one.addCollection(Alpha, QStringLiteral("A"), QStringLiteral("Alpha"), 2);
            addBarImages(one);
        }
        resetDatabaseLayer();
        UserSettings::setLastUsedCollection(Alpha);
        QWidget alone;
        auto *bar = new CollectionSelectWidget(&alone);
        QVERIFY(bar->dropDownButton()->isHidden());

        FixtureDatabase two(QStringLiteral("beta.db"));
        two.addCollection(Beta, QStringLiteral("B"), QStringLiteral("Beta"), 1);
        addBarImages(two);
        two.close();
        resetDatabaseLayer();
        QWidget parent;
        auto *both = new CollectionSelectWidget(&parent);
        QVERIFY(!both->dropDownButton()->isHidden());
    }

    void listHoldsCollectionsInOrderBelowTheBar()
    {
        QWidget parent;
        auto *bar = new CollectionSelectWidget(&parent);
        bar->move(10, 40);
        QListWidget *list = bar->collectionList();
        QCOMPARE(list->parentWidget(), &parent);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Beta"));
        QCOMPARE(list->item(1)->data(Qt::UserRole).toString(), Alpha.toString());
        // The arrow lies on the bar's own background.
        const QImage image = parent.grab().toImage();
        QCOMPARE(image.pixelColor(bar->geometry().topLeft() + bar->dropDownButton()->pos()),
                 BarGrey);
        bar->dropDownButton()->click();
        QCOMPARE(list->geometry(), QRect(10, 70, 234, 128));
        QCOMPARE(list->currentItem()->text(), QStringLiteral("Alpha"));
    }

    void choosingAnItemCommitsIt_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QUuid>("chosen");
        QTest::newRow("another collection") << 0 << Beta;
        QTest::newRow("the selected one again") << 1 << Alpha;
    }

    void choosingAnItemCommitsIt()
    {
        QFETCH(int, row);
        QFETCH(QUuid, chosen);
        auto [parent, bar] = shownBar();
        QSignalSpy spy(bar, &CollectionSelectWidget::collectionSelectedInteractively);
        bar->dropDownButton()->click();
        QVERIFY(!bar->dropDownButton()->isClosed());
        QListWidget *list = bar->collectionList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<QUuid>(), chosen);
        QVERIFY(list->isHidden());
        QVERIFY(bar->dropDownButton()->isClosed());
    }

    void closingWithoutAChoiceEmitsNothing()
    {
        auto [parent, bar] = shownBar();
        QSignalSpy spy(bar, &CollectionSelectWidget::collectionSelectedInteractively);
        QListWidget *list = bar->collectionList();
        QTest::mouseClick(bar->dropDownButton(), Qt::LeftButton);
        QVERIFY(list->isVisible());
        QVERIFY(list->hasFocus());
        QTest::mouseClick(bar->dropDownButton(), Qt::LeftButton);
        QVERIFY(list->isHidden());

        QTest::mouseClick(bar->dropDownButton(), Qt::LeftButton);
        auto *elsewhere = new QWidget(parent.get());
        elsewhere->setFocusPolicy(Qt::StrongFocus);
        elsewhere->show();
        elsewhere->setFocus();
        QVERIFY(list->isHidden());
        QVERIFY(bar->dropDownButton()->isClosed());
        QCOMPARE(spy.count(), 0);
    }

    void capsureButtonFollowsFileReadiness()
    {
        auto [parent, bar] = shownBar();
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("sample.cxf"));
        ImageButton *button = bar->capsureButton();
        const QRect arrowAlone = bar->dropDownButton()->geometry();
        bar->capsureFileChanged(path);
        QVERIFY(button->isHidden());
        QVERIFY(!QFile::exists(path));

        QFile device(path);
        QVERIFY(device.open(QIODevice::WriteOnly));
        device.write("<cc:CxF/>");
        bar->capsureFileChanged(path);
        QVERIFY(button->isHidden());

        // Closing makes no change event: the button comes by itself once the writer is done.
        device.close();
        QTRY_VERIFY_WITH_TIMEOUT(button->isVisible(), 2000);
        QVERIFY(button->isPulsing());
        QCOMPARE(bar->capsureFilePath(), path);
        QCoreApplication::sendPostedEvents(bar, QEvent::Resize);
        QCOMPARE(button->geometry(), QRect(QPoint(208, 5), QSize(20, 20)));
        QCOMPARE(bar->dropDownButton()->geometry().right(), button->x() - 3);

        QFile::remove(path);
        bar->capsureFileChanged(path);
        QVERIFY(button->isHidden());
        QCoreApplication::sendPostedEvents(bar, QEvent::Resize);
        QCOMPARE(bar->dropDownButton()->geometry(), arrowAlone);
    }

    void capsureChoiceIsPassedOn()
    {
        auto [parent, bar] = shownBar();
        QSignalSpy spy(bar, &CollectionSelectWidget::capsureItemSelectedInteractively);
        DB::ColorEntry entry;
        entry.rowIndex = 3;
        std::optional<CollectionSelectWidget::CapsureChoice> answer;
        bar->setCapsureChooser([&](QWidget *, const QString &) { return answer; });
        bar->capsureButton()->click();
        QCOMPARE(spy.count(), 0);
        answer = CollectionSelectWidget::CapsureChoice {Beta, entry};
        bar->capsureButton()->click();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<QUuid>(), Beta);
        QCOMPARE(spy.at(0).at(1).value<DB::ColorEntry>().rowIndex, 3);
    }

    // The gesture that chooses an item or closes the list ends there; the next one, once the
    // double-click time is over, reaches the widget under the list again.
    void clicksThatCloseTheListGoNoFurther_data()
    {
        QTest::addColumn<bool>("onItem");
        QTest::newRow("double-click on an item") << true;
        QTest::newRow("double-click outside the list") << false;
    }

    void clicksThatCloseTheListGoNoFurther()
    {
        QFETCH(bool, onItem);
        auto [parent, bar] = shownBar();
        auto *under = new ClickCounter(parent.get());
        under->setGeometry(0, 30, 300, 170);
        under->show();
        QSignalSpy spy(bar, &CollectionSelectWidget::collectionSelectedInteractively);
        QListWidget *list = bar->collectionList();
        bar->dropDownButton()->click();
        const QPoint at = onItem
            ? list->viewport()->mapTo(parent.get(), list->visualItemRect(list->item(0)).center())
            : QPoint(150, 190);
        QTest::mouseDClick(parent->windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(list->isHidden());
        QCOMPARE(spy.count(), onItem ? 1 : 0);
        QCOMPARE(under->clicks, 0);
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseClick(parent->windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(under->clicks >= 2);
    }

    void aLongNameIsShortenedWithAnEllipsis()
    {
        const QUuid longer = QUuid::createUuid();
        {
            FixtureDatabase file(QStringLiteral("long.db"));
            file.addCollection(longer, QStringLiteral("L"),
                               QStringLiteral("Exterior Masonry and Render Colours 2027"), 3);
        }
        resetDatabaseLayer();
        UserSettings::setLastUsedCollection(longer);
        QWidget parent;
        auto *bar = new CollectionSelectWidget(&parent);
        const QString shown = bar->shownCollectionName();
        QVERIFY(shown.endsWith(QChar(0x2026)));
        QVERIFY(shown.startsWith(QStringLiteral("Exterior")));
        QVERIFY(bar->fontMetrics().horizontalAdvance(shown) < bar->dropDownButton()->x());
        QFile::remove(fixtureDatabaseFolder() + QStringLiteral("/long.db"));
        resetDatabaseLayer();
    }

private:
    // Counts the presses, double-clicks and releases that reach it.
    class ClickCounter : public QWidget
    {
    public:
        using QWidget::QWidget;
        int clicks = 0;

    protected:
        void mousePressEvent(QMouseEvent *) override { ++clicks; }
        void mouseDoubleClickEvent(QMouseEvent *) override { ++clicks; }
        void mouseReleaseEvent(QMouseEvent *) override { ++clicks; }
    };

    // An arrow that leaves the button's background to show.
    static void addBarImages(FixtureDatabase &fixture)
    {
        fixture.addTheme(0, QStringLiteral("image.widget.bar.background"),
                         pngBytes(QSize(30, 30), BarGrey));
        fixture.addTheme(0, QStringLiteral("image.widget.dropdown.arrow.down"),
                         pngBytes(QSize(20, 20), Qt::transparent));
    }

    static std::pair<std::unique_ptr<QWidget>, CollectionSelectWidget *> shownBar()
    {
        UserSettings::setLastUsedCollection(Alpha);
        auto parent = std::make_unique<QWidget>();
        parent->resize(300, 200);
        auto *bar = new CollectionSelectWidget(parent.get());
        parent->show();
        if (!QTest::qWaitForWindowActive(parent.get()))
            qWarning("the window did not become active");
        return {std::move(parent), bar};
    }
};

QTEST_MAIN(TestCollectionSelectWidget)
#include "tst_collectionselectwidget.moc"
