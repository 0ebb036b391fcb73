#include "core/collectionsettings.h"
#include "core/usersettings.h"
#include "support/fixturedatabase.h"
#include "widgets/tabbarwidget.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

using namespace Sorven;

namespace {

// Schemes and textures only; its order names textures before the schemes and the products that
// it does not have.
const QUuid Deck(QStringLiteral("{3f1e2d4c-5b6a-4978-8a9b-0c1d2e3f4a5b}"));
// Every page, in the default order (its order row is not text).
const QUuid Full(QStringLiteral("{7a6b5c4d-3e2f-4a1b-9c8d-7e6f5a4b3c2d}"));
// No tab settings: the schemes page alone.
const QUuid Plain(QStringLiteral("{0f9e8d7c-6b5a-4f3e-8d2c-1b0a9f8e7d6c}"));
// Names the textures page twice.
const QUuid Twice(QStringLiteral("{5e4d3c2b-1a0f-4e9d-8c7b-6a5f4e3d2c1b}"));
const qint64 SharedId = 0;

const QColor BarColor(40, 40, 40);
const QColor Separator(188, 188, 188);

void writeCollections()
{
    FixtureDatabase fixture(QStringLiteral("tabs.db"));
    fixture.addSetting(SharedId, "has.textures.page", "1");
    fixture.addTheme(SharedId, "image.widget.bar.background", pngBytes(QSize(30, 30), BarColor));

    const qint64 deck = fixture.addCollection(Deck, "DECK", "Deck", 1);
    fixture.addSetting(deck, "has.textures.page", "1");
    fixture.addSetting(deck, "has.product.groups.page", "0");
    fixture.addSetting(deck, "tab.bar.page", " PageOfTextures ", 0);
    fixture.addSetting(deck, "tab.bar.page", "PageOfProducts", 1);
    fixture.addSetting(deck, "tab.bar.page", "PageOfColorSchemes", 2);
    fixture.addLocale(deck, "tab.bar.color.schemes.caption", "Schemes");
    fixture.addLocale(deck, "tab.bar.textures.caption", "Surfaces");

    const qint64 full = fixture.addCollection(Full, "FULL", "Full", 2);
    for (const char *name : {"has.textures.page", "has.product.groups.page", "has.trendora.page"})
        fixture.addSetting(full, name, "1");
    fixture.addSetting(full, "tab.bar.page", QByteArray("\x01"));
    fixture.addLocale(full, "tab.bar.color.schemes.caption", "Harmonies");
    fixture.addLocale(full, "tab.bar.products.caption", "Products");
    fixture.addLocale(full, "tab.bar.textures.caption", "Textures");

    fixture.addCollection(Plain, "PLAIN", "Plain", 3);

    const qint64 twice = fixture.addCollection(Twice, "TWICE", "Twice", 4);
    fixture.addSetting(twice, "has.textures.page", "1");
    fixture.addSetting(twice, "tab.bar.page", "PageOfTextures", 0);
    fixture.addSetting(twice, "tab.bar.page", "PageOfTextures", 1);
}

// A shown, active window holding the bar, as the shortcuts need.
struct Window
{
    explicit Window(const QUuid &collection, TabBarPage current)
    {
        UserSettings::setLastUsedCollection(collection);
        CollectionSettings::setCurrentCollection(collection);
        UserSettings::setTabPageIndex(collection, current);
        bar = new TabBarWidget(&window);
        bar->setGeometry(0, 0, 640, 30);
        window.resize(640, 30);
        window.show();
        window.activateWindow();
    }

    // The rectangles are those of the last paint.
    QImage paint() const { return bar->grab().toImage(); }

    QWidget window;
    TabBarWidget *bar = nullptr;
};

QList<TabBarPage> tabsLeftToRight(const TabBarWidget &bar)
{
    QList<TabBarPage> pages;
    for (int x = 0; x < bar.width(); ++x) {
        const TabBarPage page = bar.pageAt(QPoint(x, bar.height() / 2));
        if (page != NoTabBarPage && (pages.isEmpty() || pages.last() != page))
            pages.append(page);
    }
    return pages;
}

} // namespace

class TestTabBarWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void showsAvailablePagesInOrder_data();
    void showsAvailablePagesInOrder();
    void tabsFollowOneAnother();
    void captionsComeFromTheCollection_data();
    void captionsComeFromTheCollection();
    void clickSelectsTheTabUnderIt_data();
    void clickSelectsTheTabUnderIt();
    void shortcutSelectsTheNthTab_data();
    void shortcutSelectsTheNthTab();
    void hiddenBarIgnoresShortcuts();
    void paintsTheCurrentTabLighter();
    void cursorShowsWhereAClickCounts();
    void collectionChangeReloadsTabs();
    void tabsAreAccessiblePageTabs();
};

void TestTabBarWidget::initTestCase()
{
    writeCollections();
    resetDatabaseLayer();
}

void TestTabBarWidget::showsAvailablePagesInOrder_data()
{
    QTest::addColumn<QUuid>("collection");
    QTest::addColumn<QList<TabBarPage>>("expected");
    QTest::newRow("unavailable pages are left out")
        << Deck << QList<TabBarPage> {ColorSchemes, Textures};
    QTest::newRow("an unreadable order gives the default one")
        << Full << QList<TabBarPage> {ColorSchemes, Products, Trendora, Textures};
    QTest::newRow("no tab settings") << Plain << QList<TabBarPage> {ColorSchemes};
    QTest::newRow("a page named twice has one tab")
        << Twice << QList<TabBarPage> {ColorSchemes, Textures};
}

void TestTabBarWidget::showsAvailablePagesInOrder()
{
    QFETCH(QUuid, collection);
    QFETCH(QList<TabBarPage>, expected);
    Window window(collection, ColorSchemes);
    window.paint();
    QCOMPARE(tabsLeftToRight(*window.bar), expected);
    for (const TabBarPage page : {ColorSchemes, Products, Trendora, Textures})
        QCOMPARE(window.bar->tabRect(page).isValid(), expected.contains(page));
}

void TestTabBarWidget::tabsFollowOneAnother()
{
    Window window(Full, ColorSchemes);
    QCOMPARE(window.bar->pageAt(QPoint(5, 5)), NoTabBarPage);
    window.paint();
    int expectedLeft = 1;
    for (const TabBarPage page : {ColorSchemes, Products, Trendora, Textures}) {
        const QRect rect = window.bar->tabRect(page);
        QCOMPARE(rect.left(), expectedLeft);
        QCOMPARE(rect.top(), 1);
        QCOMPARE(rect.bottom(), window.bar->height() - 2);
        QCOMPARE(window.bar->pageAt(rect.topLeft()), page);
        QCOMPARE(window.bar->pageAt(rect.bottomRight()), page);
        expectedLeft = rect.right() + 1;
    }
    QCOMPARE(window.bar->pageAt(QPoint(0, 15)), NoTabBarPage);
    QCOMPARE(window.bar->pageAt(QPoint(expectedLeft, 15)), NoTabBarPage);
}

void TestTabBarWidget::captionsComeFromTheCollection_data()
{
    QTest::addColumn<QUuid>("collection");
    QTest::addColumn<TabBarPage>("page");
    QTest::addColumn<QString>("caption");
    QTest::newRow("schemes") << Deck << ColorSchemes << "Schemes";
    QTest::newRow("textures") << Deck << Textures << "Surfaces";
    QTest::newRow("same key, other collection") << Full << ColorSchemes << "Harmonies";
    QTest::newRow("missing text shows its key") << Full << Trendora << "tab.bar.trendora.caption";
}

void TestTabBarWidget::captionsComeFromTheCollection()
{
    QFETCH(QUuid, collection);
    QFETCH(TabBarPage, page);
    QFETCH(QString, caption);
    Window window(collection, ColorSchemes);
    window.paint();
    // A tab is its caption's width plus the padding around it.
    QCOMPARE(window.bar->tabRect(page).width(),
             window.bar->fontMetrics().horizontalAdvance(caption) + 32);
}

void TestTabBarWidget::clickSelectsTheTabUnderIt_data()
{
    QTest::addColumn<TabBarPage>("clicked");
    QTest::newRow("another tab") << Textures;
    QTest::newRow("the current tab again") << ColorSchemes;
}

void TestTabBarWidget::clickSelectsTheTabUnderIt()
{
    QFETCH(TabBarPage, clicked);
    Window window(Deck, ColorSchemes);
    window.paint();
    QSignalSpy selected(window.bar, &TabBarWidget::tabPageSelected);
    QTest::mouseClick(window.bar, Qt::LeftButton, {}, window.bar->tabRect(clicked).center());
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.first().first().value<TabBarPage>(), clicked);

    const QRect last = window.bar->tabRect(Textures);
    QTest::mouseClick(window.bar, Qt::LeftButton, {}, QPoint(last.right() + 20, 15));
    QTest::mouseClick(window.bar, Qt::LeftButton, {}, QPoint(0, 15));
    QCOMPARE(selected.count(), 1);
}

void TestTabBarWidget::shortcutSelectsTheNthTab_data()
{
    QTest::addColumn<QUuid>("collection");
    QTest::addColumn<TabBarPage>("current");
    QTest::addColumn<int>("key");
    QTest::addColumn<TabBarPage>("expected");
    QTest::newRow("second of two") << Deck << ColorSchemes << int(Qt::Key_2) << Textures;
    QTest::newRow("third of two") << Deck << ColorSchemes << int(Qt::Key_3) << NoTabBarPage;
    QTest::newRow("the current tab") << Deck << ColorSchemes << int(Qt::Key_1) << NoTabBarPage;
    QTest::newRow("back to the first") << Deck << Textures << int(Qt::Key_1) << ColorSchemes;
    QTest::newRow("fourth of four") << Full << ColorSchemes << int(Qt::Key_4) << Textures;
    QTest::newRow("third of four") << Full << ColorSchemes << int(Qt::Key_3) << Trendora;
}

void TestTabBarWidget::shortcutSelectsTheNthTab()
{
    QFETCH(QUuid, collection);
    QFETCH(TabBarPage, current);
    QFETCH(int, key);
    QFETCH(TabBarPage, expected);
    Window window(collection, current);
    QVERIFY(QTest::qWaitForWindowActive(&window.window));
    QSignalSpy selected(window.bar, &TabBarWidget::tabPageSelected);

    QTest::keySequence(&window.window, QKeySequence(Qt::CTRL | Qt::Key_T, Qt::CTRL | Qt::Key(key)));
    if (expected == NoTabBarPage) {
        QCOMPARE(selected.count(), 0);
    } else {
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.first().first().value<TabBarPage>(), expected);
    }
    // The second stroke alone is no shortcut.
    QTest::keyClick(&window.window, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(selected.count(), expected == NoTabBarPage ? 0 : 1);
}

void TestTabBarWidget::hiddenBarIgnoresShortcuts()
{
    Window window(Deck, ColorSchemes);
    QVERIFY(QTest::qWaitForWindowActive(&window.window));
    window.bar->hide();
    QSignalSpy selected(window.bar, &TabBarWidget::tabPageSelected);
    QTest::keySequence(&window.window, QKeySequence(Qt::CTRL | Qt::Key_T, Qt::CTRL | Qt::Key_2));
    window.bar->switchToTab2();
    QCOMPARE(selected.count(), 0);

    window.bar->show();
    QTest::keySequence(&window.window, QKeySequence(Qt::CTRL | Qt::Key_T, Qt::CTRL | Qt::Key_2));
    QCOMPARE(selected.count(), 1);
}

void TestTabBarWidget::paintsTheCurrentTabLighter()
{
    Window window(Deck, Textures);
    const QImage image = window.paint();
    const QRect current = window.bar->tabRect(Textures);
    const QRect other = window.bar->tabRect(ColorSchemes);
    // White at alpha 178 over the bar colour.
    const int lit = (255 * 178 + BarColor.red() * (255 - 178)) / 255;
    const QColor currentFill = image.pixelColor(current.topLeft() + QPoint(2, 2));
    QVERIFY2(qAbs(currentFill.red() - lit) <= 1 && currentFill.red() == currentFill.blue(),
             qPrintable(currentFill.name()));
    QCOMPARE(image.pixelColor(other.topLeft() + QPoint(2, 2)), BarColor);
    QCOMPARE(image.pixelColor(current.right() + 2, 15), BarColor);
    QCOMPARE(image.pixelColor(other.right(), 15), Separator);
    QCOMPARE(image.pixelColor(current.right(), 15), Separator);
    QCOMPARE(image.pixelColor(0, 0), Separator);
    QCOMPARE(image.pixelColor(0, 29), Separator);
}

void TestTabBarWidget::cursorShowsWhereAClickCounts()
{
    Window window(Deck, ColorSchemes);
    QVERIFY(QTest::qWaitForWindowExposed(&window.window));
    window.paint();
    QTest::mouseMove(window.bar, window.bar->tabRect(Textures).center());
    QTRY_COMPARE(window.bar->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(window.bar, QPoint(window.bar->width() - 5, 15));
    QTRY_COMPARE(window.bar->cursor().shape(), Qt::ArrowCursor);
}

void TestTabBarWidget::tabsAreAccessiblePageTabs()
{
    Window shown(Deck, Textures);
    shown.paint();
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(shown.bar);
    QVERIFY(accessible);
    QCOMPARE(accessible->childCount(), 2);
    QStringList names;
    for (int i = 0; i < accessible->childCount(); ++i) {
        QAccessibleInterface *tab = accessible->child(i);
        QCOMPARE(tab->role(), QAccessible::PageTab);
        names << tab->text(QAccessible::Name);
        const QRect rect = shown.bar->tabRect(tabsLeftToRight(*shown.bar).at(i));
        QCOMPARE(tab->rect(), QRect(shown.bar->mapToGlobal(rect.topLeft()), rect.size()));
    }
    QCOMPARE(names, QStringList({"Schemes", "Surfaces"}));
    QVERIFY(!accessible->child(0)->state().selected);
    QVERIFY(accessible->child(1)->state().selected);
}

void TestTabBarWidget::collectionChangeReloadsTabs()
{
    Window window(Deck, ColorSchemes);
    window.paint();
    const QPoint inFirstTab = window.bar->tabRect(ColorSchemes).center();
    UserSettings::setLastUsedCollection(Full);
    window.bar->selectedCollectionChanged(Full);
    // The other collection's tabs are gone; the new ones have no place before they are painted.
    QCOMPARE(window.bar->pageAt(inFirstTab), NoTabBarPage);
    window.paint();
    QCOMPARE(tabsLeftToRight(*window.bar),
             (QList<TabBarPage> {ColorSchemes, Products, Trendora, Textures}));
}

QTEST_MAIN(TestTabBarWidget)
#include "tst_tabbarwidget.moc"
