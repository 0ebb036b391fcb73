#include "core/collectionsettings.h"
#include "core/mainwidget.h"
#include "core/platformpaths.h"
#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/databaselayer.h"
#include "db/search.h"
#include "harmonizer/colorschemerpolvaronewidget.h"
#include "harmonizer/colorschemerwidget.h"
#include "palette/collectioncolortable.h"
#include "palette/mypalettefullwidget.h"
#include "palette/mypalettewidget.h"
#include "support/fixturedatabase.h"
#include "tools/democollections.h"
#include "widgets/aboutbutton.h"
#include "widgets/cardrollerwidget.h"
#include "widgets/collectionselectwidget.h"
#include "widgets/colorwheelwidget.h"
#include "widgets/equivalentsmenu.h"
#include "widgets/eyedropperbutton.h"
#include "widgets/helpbutton.h"
#include "widgets/moodselectwidget.h"
#include "widgets/productswidget.h"
#include "widgets/searchwidget.h"
#include "widgets/tabbarwidget.h"
#include "widgets/taskbutton.h"
#include "widgets/textureswidget.h"
#include "widgets/trendorawidget.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <functional>
#include <memory>

using namespace Sorven;

namespace {

// A normal collection with every tab page, a capture folder and text saving.
const QUuid Deck(QStringLiteral("{8c1d6a2e-4b3f-4e5a-9d7c-1f2e3a4b5c6d}"));
// A powder-coating collection without schemes, mood selector, capture folder or text saving.
const QUuid Powder(QStringLiteral("{2b7e9f1a-3c4d-4a5b-8e6f-7a8b9c0d1e2f}"));
// In a file of its own, which a test locks, cuts short and restores.
const QUuid Lockable(QStringLiteral("{4f3e2d1c-0b9a-4887-b6a5-94837261504f}"));
// Installed but switched off.
const QUuid Disabled(QStringLiteral("{6d5c4b3a-2f1e-4d0c-9b8a-7f6e5d4c3b2a}"));
const qint64 SharedId = 0;

const QString DeckLicence = QStringLiteral("<p>The deck's licence</p>");
const QString DeckMotto = QStringLiteral("<p>Colours for every room</p>");

struct PageSpec
{
    int index;
    int segment;
    Mood mood;
    bool exterior;
    QStringList codes;
};

// Segments 1 to 4; the all-moods filter passes pages 1, 2, 3 and 6.
const QList<PageSpec> DeckPages {
    {1, 1, MoodFresh, true, {"F1", "F2"}}, {2, 1, MoodCalm, false, {"C1", "C2", "C3"}},
    {3, 2, MoodWarm, true, {"W1", "W2"}},  {4, 3, MoodOffwhite, false, {"O1"}},
    {5, 3, MoodNeutral, false, {"N1"}},    {6, 4, MoodCalm, true, {"X1"}},
};

void addDeckTexts(FixtureDatabase &fixture, qint64 id)
{
    const QList<std::pair<const char *, QString>> texts {
        {"mypalette.palette.save", "Save"},
        {"mypalette.palette.load", "Load"},
        {"common.filedialog.palettefile.filtername", "Palette files"},
        {"common.filedialog.textfile.filtername", "Text lists"},
        {"common.filedialog.gimpfile.filtername", "GIMP palettes"},
        {"common.filedialog.asefile.filtername", "Swatch exchange"},
        {"common.filedialog.palettefile.defaultfilename", "My Palette.palette"},
        {"common.filedialog.palettefile.savedialogcaption", "Save My Palette"},
        {"common.filedialog.palettefile.opendialogcaption", "Open a palette"},
        {"color.palette.copyright", "© Deck makers"},
        {"color.palette.motto", "Deck motto"},
        {"license.copyright", DeckLicence},
        {"motto", DeckMotto},
    };
    for (const auto &[key, text] : texts)
        fixture.addLocale(id, key, text);
}

void writeCollections()
{
    FixtureDatabase fixture(QStringLiteral("surface.db"));
    fixture.addSetting(SharedId, "has.textures.page", "1");

    const qint64 deck = fixture.addCollection(Deck, "DECK", "Deck", 1);
    const QList<std::pair<const char *, const char *>> deckSettings {
        {"card.type", "normal"},
        {"has.product.groups.page", "1"},
        {"has.textures.page", "1"},
        {"has.trendora.page", "1"},
        {"capsure.enabled", "1"},
        {"capsure.folder.to.watch.windows", "%PROGRAMDATA%/Capsure"},
        {"capsure.filename.to.watch", "measurement.cxf"},
        {"save.palette.text.format", "1"},
        {"header.link", "https://www.example.com/deck"},
        {"help.link", "file:///%APP%/help/main.html"},
    };
    for (const auto &[name, value] : deckSettings)
        fixture.addSetting(deck, name, value);
    fixture.addSetting(deck, "schemes", "contrast", 0);
    fixture.addSetting(deck, "schemes", "harmonic", 1);
    const QStringList tabs {"PageOfColorSchemes", "PageOfProducts", "PageOfTextures",
                            "PageOfTrendora"};
    for (int i = 0; i < tabs.size(); ++i)
        fixture.addSetting(deck, "tab.bar.page", tabs[i], i);
    addDeckTexts(fixture, deck);
    for (const PageSpec &spec : DeckPages) {
        const qint64 page
            = fixture.addPage(deck, spec.index, spec.segment,
                              QStringLiteral("Page %1").arg(spec.index), spec.mood, spec.exterior);
        for (int row = 0; row < spec.codes.size(); ++row)
            fixture.addRow(deck, page, row + 1, spec.codes[row], QColor(40 * spec.index, 90, 60));
    }

    const qint64 powder = fixture.addCollection(Powder, "POWDER", "Powder", 2);
    fixture.addSetting(powder, "card.type", "polvaron");
    fixture.addSetting(powder, "mood.visible", "0");
    fixture.addSetting(powder, "save.palette.text.format", "0");
    fixture.addSetting(powder, "help.link", "http://[broken");
    addDeckTexts(fixture, powder);
    const qint64 powderPage = fixture.addPage(powder, 1, 1, "Powder page", MoodFresh);
    fixture.addRow(powder, powderPage, 1, "P1", QColor(200, 10, 10));

    const qint64 disabled = fixture.addCollection(Disabled, "OFF", "Switched off", 3, 0);
    fixture.addPage(disabled, 1, 1, "Unseen", MoodFresh);

    FixtureDatabase own(QStringLiteral("lockable.db"));
    const qint64 lockable = own.addCollection(Lockable, "LOCK", "Lockable", 4);
    own.addSetting(lockable, "card.type", "normal");
    addDeckTexts(own, lockable);
    const qint64 lockablePage = own.addPage(lockable, 1, 1, "Lockable page", MoodFresh);
    own.addRow(lockable, lockablePage, 1, "L1", QColor(10, 200, 10));
}

// Another program holding the file's exclusive lock while it runs.
void lockFile(QProcess &locker, const QString &path)
{
    locker.start(QStringLiteral("sqlite3"), {path});
    QVERIFY(locker.waitForStarted());
    locker.write("BEGIN EXCLUSIVE;\n");
    QTRY_VERIFY(DB::collectionReadProblem(Lockable).startsWith("locked"));
}

void releaseFile(QProcess &locker)
{
    locker.closeWriteChannel();
    QVERIFY(locker.waitForFinished());
}

QLabel *unavailableLabel(const MainWidget &widget)
{
    for (QLabel *label : widget.findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (label->text().startsWith(QStringLiteral("This collection cannot be read")))
            return label;
    }
    return nullptr;
}

void selectCollection(const QUuid &uuid)
{
    UserSettings::setLastUsedCollection(uuid);
    CollectionSettings::setCurrentCollection(uuid);
    DB::loadNameOrders(uuid);
}

void resetPosition(const QUuid &uuid)
{
    UserSettings::setSegmentIndex(uuid, 1);
    UserSettings::setPageIndex(uuid, 1);
    UserSettings::setRowIndex(uuid, 1);
    UserSettings::setMoodFilter(uuid, MoodAll);
    UserSettings::setExteriorColors(uuid, false);
    UserSettings::setShowMto(uuid, false);
    UserSettings::setTabPageIndex(uuid, ColorSchemes);
}

QString capsureFile()
{
    return Platform::commonAppDataFolder() + QStringLiteral("/Capsure") + QDir::separator()
        + QStringLiteral("measurement.cxf");
}

// Counts the paint events a widget receives; a scroll area paints through its viewport.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget)
    {
        auto *area = qobject_cast<QAbstractScrollArea *>(widget);
        (area ? area->viewport() : widget)->installEventFilter(this);
    }

    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

struct DialogCall
{
    QString caption;
    QString path;
    QStringList filters;
    QString preselected;
};

// The palette surface on a shown window, with file dialogs and the desktop handler that
// answer as the test says and record what they were asked.
struct Surface
{
    explicit Surface(const QUuid &collection)
    {
        selectCollection(collection);
        widget = std::make_unique<MainWidget>();
        const auto dialog = [this](QWidget *, const QString &caption, const QString &path,
                                   const QString &filters, QString *selectedFilter) {
            dialogs.append({caption, path, filters.split(QStringLiteral(";;")), *selectedFilter});
            if (!answerFilter.isNull())
                *selectedFilter = answerFilter;
            return answer;
        };
        widget->setSaveFileDialog(dialog);
        widget->setOpenFileDialog(dialog);
        widget->setUrlOpener([this](const QUrl &url) {
            opened.append(url);
            return true;
        });
        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
    }

    template<typename T>
    T *child() const
    {
        return widget->findChild<T *>(QString(), Qt::FindDirectChildrenOnly);
    }

    QLabel *label(const QString &link) const
    {
        for (QLabel *label : widget->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly))
            if (label->text().contains(link))
                return label;
        return nullptr;
    }

    QWidget *named(const QString &name) const
    {
        static const QHash<QString, std::function<QWidget *(const Surface &)>> children {
            {"roller", [](const Surface &s) { return s.child<CardRollerWidget>(); }},
            {"wheel", [](const Surface &s) { return s.child<ColorWheelWidget>(); }},
            {"mood", [](const Surface &s) { return s.child<MoodSelectWidget>(); }},
            {"schemer", [](const Surface &s) { return s.child<ColorSchemerWidget>(); }},
            {"polvarone", [](const Surface &s) { return s.child<ColorSchemerPolvaroneWidget>(); }},
            {"products", [](const Surface &s) { return s.child<ProductsWidget>(); }},
            {"textures", [](const Surface &s) { return s.child<TexturesWidget>(); }},
            {"trendora", [](const Surface &s) { return s.child<TrendoraWidget>(); }},
        };
        return children.value(name)(*this);
    }

    std::unique_ptr<MainWidget> widget;
    QString answer;
    QString answerFilter;
    QList<DialogCall> dialogs;
    QList<QUrl> opened;
};

void flushPaints()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

struct Position
{
    int segment;
    int page;
    int row;
};

Position position(const QUuid &uuid)
{
    return {UserSettings::segmentIndex(uuid), UserSettings::pageIndex(uuid),
            UserSettings::rowIndex(uuid)};
}

// Which of the named widgets got painted while action ran.
QStringList repaintedDuring(const Surface &surface, const std::function<void()> &action)
{
    const QStringList names {"roller", "wheel", "mood", "schemer", "polvarone"};
    flushPaints();
    std::vector<std::unique_ptr<PaintCounter>> counters;
    for (const QString &name : names)
        counters.push_back(std::make_unique<PaintCounter>(surface.named(name)));
    action();
    flushPaints();
    QStringList repainted;
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (counters[i]->count > 0)
            repainted << names[i];
    }
    return repainted;
}

} // namespace

class TestMainWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void preparesTheCollection_data();
    void preparesTheCollection();
    void navigationStoresAndRepaints_data();
    void navigationStoresAndRepaints();
    void filtersMoveToAPassingPage_data();
    void filtersMoveToAPassingPage();
    void searchAdjustsTheFilters_data();
    void searchAdjustsTheFilters();
    void capsureItemMovesToTheChip_data();
    void capsureItemMovesToTheChip();
    void collectionChangeBroadcastsOnce_data();
    void collectionChangeBroadcastsOnce();
    void collectionChangeReloadsTheColorTable();
    void workLeftForLaterAnswersAsAtOnce();
    void tabPageShowsItsPane_data();
    void tabPageShowsItsPane();
    void schemeChangesAreStored();
    void saveDialogOffersTheAllowedFormats_data();
    void saveDialogOffersTheAllowedFormats();
    void saveDialogStartsAtTheLastFile();
    void loadDialogOffersPaletteFiles();
    void helpOpensTheCollectionsHelpLink_data();
    void helpOpensTheCollectionsHelpLink();
    void unreadableCollectionIsNotSwitchedTo();
    void unreadableCurrentCollectionRecovers();
    void linksOpenTemporaryDocuments_data();
    void linksOpenTemporaryDocuments();
    void bannerOpensTheHeaderLink();
    void capsureFileChangesAreAnnounced();
    void settingsThatCannotBeWrittenAreToldOnce();
    void editBoxFocusIsReported();
    void enlargedPaletteSlidesInAndOut();
    void layoutPlacesTheChildren();
    void layoutHidesTheMoodSelector();
    void taskButtonsFillTheirRow();
    void instanceIsTheLivingSurface();
    void rendersTheDemoCollections();
};

void TestMainWidget::initTestCase()
{
    writeCollections();
    resetDatabaseLayer();
    QCOMPARE(DB::initializeDatabaseLayer(QCoreApplication::applicationFilePath(), QString()), 0);
}

void TestMainWidget::init()
{
    resetPosition(Deck);
    resetPosition(Powder);
    UserSettings::setSchemeKind(Deck, ContrastScheme);
    UserSettings::setMyPaletteSaveFileFormat(PaletteXmlFile);
    UserSettings::setMyPaletteLastSavePath(QString());
    QDir(Platform::commonAppDataFolder() + QStringLiteral("/Capsure")).removeRecursively();
    selectCollection(Deck);
}

void TestMainWidget::preparesTheCollection_data()
{
    QTest::addColumn<QUuid>("collection");
    QTest::addColumn<int>("tabPage");
    QTest::addColumn<int>("schemeKind");
    QTest::addColumn<QString>("shownSchemer");

    QTest::newRow("schemes tab and first scheme") << Deck << 1 << 2 << "schemer";
    QTest::newRow("no schemes leave the kind unset") << Powder << 1 << 0 << "polvarone";
}

void TestMainWidget::preparesTheCollection()
{
    QFETCH(QUuid, collection);
    QFETCH(int, tabPage);
    QFETCH(int, schemeKind);
    QFETCH(QString, shownSchemer);
    UserSettings::setTabPageIndex(collection, NoTabBarPage);
    UserSettings::setSchemeKind(collection, NoScheme);

    Surface surface(collection);
    QCOMPARE(int(UserSettings::tabPageIndex(collection)), tabPage);
    QCOMPARE(int(UserSettings::schemeKind(collection)), schemeKind);
    for (const char *name : {"schemer", "polvarone", "products", "textures", "trendora"})
        QCOMPARE(surface.named(name)->isVisible(), shownSchemer == QLatin1String(name));
}

void TestMainWidget::navigationStoresAndRepaints_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("segment");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("repainted");

    const QStringList detail {"roller", "schemer"};
    const QStringList all {"roller", "wheel", "schemer"};
    QTest::newRow("page from the roller") << "page" << 2 << 1 << 2 << 1 << detail;
    QTest::newRow("same page changes nothing") << "page" << 1 << 1 << 1 << 1 << QStringList();
    QTest::newRow("row from the roller") << "row" << 3 << 1 << 1 << 3 << detail;
    QTest::newRow("same row changes nothing") << "row" << 1 << 1 << 1 << 1 << QStringList();
    QTest::newRow("segment goes to its first page") << "segment" << 2 << 2 << 3 << 1 << all;
    QTest::newRow("same segment changes nothing") << "segment" << 1 << 1 << 1 << 1 << QStringList();
    QTest::newRow("search bar rolls forward")
        << "searchRoll" << int(Forward) << 1 << 2 << 1 << detail;
    QTest::newRow("roller rolls back past the first page")
        << "rollerRoll" << int(Backward) << 4 << 6 << 1 << all;
}

void TestMainWidget::navigationStoresAndRepaints()
{
    QFETCH(QString, source);
    QFETCH(int, value);
    QFETCH(int, segment);
    QFETCH(int, page);
    QFETCH(int, row);
    QFETCH(QStringList, repainted);
    Surface surface(Deck);
    auto *roller = surface.child<CardRollerWidget>();

    const QStringList painted = repaintedDuring(surface, [&] {
        if (source == "page")
            emit roller->pageChangedInteractively(value);
        else if (source == "row")
            emit roller->rowChangedInteractively(value);
        else if (source == "segment")
            emit surface.child<ColorWheelWidget>()->segmentChangedInteractively(value);
        else if (source == "searchRoll")
            emit surface.child<SearchWidget>()->roll(Direction(value));
        else
            emit roller->roll(Direction(value));
    });

    const Position now = position(Deck);
    QCOMPARE(now.segment, segment);
    QCOMPARE(now.page, page);
    QCOMPARE(now.row, row);
    QCOMPARE(painted, repainted);
}

void TestMainWidget::filtersMoveToAPassingPage_data()
{
    QTest::addColumn<QUuid>("collection");
    QTest::addColumn<int>("startPage");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("segment");
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("repainted");

    QTest::newRow("calm moves to the calm page of the segment")
        << Deck << 1 << "mood" << int(MoodCalm) << 1 << 2
        << QStringList {"roller", "mood", "schemer"};
    QTest::newRow("offwhite moves on to the offwhite segment")
        << Deck << 1 << "mood" << int(MoodOffwhite) << 3 << 4
        << QStringList {"roller", "wheel", "mood", "schemer"};
    QTest::newRow("exterior leaves the interior page")
        << Deck << 2 << "exterior" << 1 << 1 << 1 << QStringList {"roller", "mood", "schemer"};
    QTest::newRow("exterior keeps an exterior page")
        << Deck << 1 << "exterior" << 1 << 1 << 1 << QStringList {"roller", "mood"};
    QTest::newRow("the same mood changes nothing")
        << Deck << 1 << "mood" << int(MoodAll) << 1 << 1 << QStringList();
    QTest::newRow("made-to-order colours repaint the powder pane")
        << Powder << 1 << "mto" << 1 << 1 << 1 << QStringList {"roller", "polvarone"};
}

void TestMainWidget::filtersMoveToAPassingPage()
{
    QFETCH(QUuid, collection);
    QFETCH(int, startPage);
    QFETCH(QString, filter);
    QFETCH(int, value);
    QFETCH(int, segment);
    QFETCH(int, page);
    QFETCH(QStringList, repainted);
    UserSettings::setPageIndex(collection, startPage);
    Surface surface(collection);
    auto *mood = surface.child<MoodSelectWidget>();

    const QStringList painted = repaintedDuring(surface, [&] {
        if (filter == "mood")
            emit mood->moodFilterChangedInteractively(Mood(value));
        else if (filter == "exterior")
            emit mood->exteriorFilterChangedInteractively(value);
        else
            emit mood->showMtoChangedInteractively(value);
    });

    if (filter == "mood")
        QCOMPARE(int(UserSettings::moodFilter(collection)), value);
    else if (filter == "exterior")
        QCOMPARE(UserSettings::exteriorColors(collection), bool(value));
    else
        QCOMPARE(UserSettings::showMto(collection), bool(value));
    QCOMPARE(position(collection).segment, segment);
    QCOMPARE(position(collection).page, page);
    QCOMPARE(painted, repainted);
}

void TestMainWidget::searchAdjustsTheFilters_data()
{
    QTest::addColumn<int>("moodFilter");
    QTest::addColumn<bool>("exterior");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expectedMood");
    QTest::addColumn<bool>("expectedExterior");
    QTest::addColumn<int>("segment");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("row");

    QTest::newRow("calm match under the neutral filter shows all moods")
        << int(MoodNeutral) << false << "C2" << int(MoodAll) << false << 1 << 2 << 2;
    QTest::newRow("calm match under the calm filter keeps it")
        << int(MoodCalm) << false << "c3" << int(MoodCalm) << false << 1 << 2 << 3;
    QTest::newRow("offwhite match selects the offwhite filter")
        << int(MoodAll) << false << "O1" << int(MoodOffwhite) << false << 3 << 4 << 1;
    QTest::newRow("neutral match replaces the offwhite filter")
        << int(MoodOffwhite) << false << "N1" << int(MoodNeutral) << false << 3 << 5 << 1;
    QTest::newRow("interior match switches the exterior filter off")
        << int(MoodAll) << true << "C1" << int(MoodAll) << false << 1 << 2 << 1;
    QTest::newRow("exterior match keeps the exterior filter")
        << int(MoodAll) << true << " x1 " << int(MoodAll) << true << 4 << 6 << 1;
    QTest::newRow("no match changes nothing")
        << int(MoodCalm) << true << "ZZ9" << int(MoodCalm) << true << 1 << 1 << 1;
}

void TestMainWidget::searchAdjustsTheFilters()
{
    QFETCH(int, moodFilter);
    QFETCH(bool, exterior);
    QFETCH(QString, typed);
    QFETCH(int, expectedMood);
    QFETCH(bool, expectedExterior);
    QFETCH(int, segment);
    QFETCH(int, page);
    QFETCH(int, row);
    UserSettings::setMoodFilter(Deck, Mood(moodFilter));
    UserSettings::setExteriorColors(Deck, exterior);
    Surface surface(Deck);

    QLineEdit *phrase = surface.child<SearchWidget>()->phraseEdit();
    QTest::keyClicks(phrase, typed);
    QTest::keyClick(phrase, Qt::Key_Return);

    QCOMPARE(int(UserSettings::moodFilter(Deck)), expectedMood);
    QCOMPARE(UserSettings::exteriorColors(Deck), expectedExterior);
    const Position now = position(Deck);
    QCOMPARE(now.segment, segment);
    QCOMPARE(now.page, page);
    QCOMPARE(now.row, row);
}

void TestMainWidget::capsureItemMovesToTheChip_data()
{
    QTest::addColumn<QUuid>("start");
    QTest::addColumn<int>("chipPage");
    QTest::addColumn<int>("chipRow");
    QTest::addColumn<bool>("moves");
    // Empty for the measured colour's list, else the widget whose equivalents menu chose it, or
    // the eyedropper.
    QTest::addColumn<QString>("menuOf");

    QTest::newRow("chip of the current collection") << Deck << 3 << 2 << true << QString();
    QTest::newRow("chip of another collection switches first")
        << Powder << 6 << 1 << true << QString();
    QTest::newRow("chip whose page is gone") << Deck << 0 << 0 << false << QString();
    QTest::newRow("roller's equivalent in another collection")
        << Powder << 6 << 1 << true << "roller";
    QTest::newRow("schemer's equivalent") << Powder << 3 << 2 << true << "schemer";
    QTest::newRow("powder schemer's equivalent") << Deck << 6 << 1 << true << "polvarone";
    QTest::newRow("picked chip of another collection switches first")
        << Powder << 3 << 2 << true << "eyedropper";
}

void TestMainWidget::capsureItemMovesToTheChip()
{
    QFETCH(QUuid, start);
    QFETCH(int, chipPage);
    QFETCH(int, chipRow);
    QFETCH(bool, moves);
    QFETCH(QString, menuOf);
    DB::ColorEntry entry;
    if (chipPage > 0)
        QCOMPARE(DB::loadEntryAt(Deck, chipPage, chipRow, entry), 0);
    else
        entry.pageId = 9999;
    Surface surface(start);

    if (menuOf.isEmpty())
        emit surface.child<CollectionSelectWidget>()->capsureItemSelectedInteractively(Deck, entry);
    else if (menuOf == QLatin1String("eyedropper"))
        emit surface.child<EyedropperButton>()->chipSelectedInteractively(Deck, entry);
    else
        emit surface.named(menuOf)->findChild<EquivalentsMenu *>()->chipChosen(Deck, entry);

    QCOMPARE(UserSettings::lastUsedCollection(), moves ? Deck : start);
    const Position now = position(Deck);
    QCOMPARE(now.page, moves ? chipPage : 1);
    QCOMPARE(now.row, moves ? chipRow : 1);
    QCOMPARE(now.segment, moves ? DeckPages[chipPage - 1].segment : 1);
}

void TestMainWidget::collectionChangeBroadcastsOnce_data()
{
    QTest::addColumn<QUuid>("start");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QUuid>("target");
    QTest::addColumn<bool>("changes");
    QTest::addColumn<QString>("announcedFile");

    QTest::newRow("selector picks another collection")
        << Deck << "selector" << Powder << true << QString();
    QTest::newRow("roller picks another collection")
        << Deck << "roller" << Powder << true << QString();
    QTest::newRow("capture folder resolves against the machine data folder")
        << Powder << "selector" << Deck << true << capsureFile();
    QTest::newRow("the current collection changes nothing")
        << Deck << "selector" << Deck << false << QString();
    QTest::newRow("a switched-off collection is ignored")
        << Deck << "selector" << Disabled << false << QString();
    QTest::newRow("an unknown collection is ignored")
        << Deck << "roller" << QUuid::createUuid() << false << QString();
}

void TestMainWidget::collectionChangeBroadcastsOnce()
{
    QFETCH(QUuid, start);
    QFETCH(QString, source);
    QFETCH(QUuid, target);
    QFETCH(bool, changes);
    QFETCH(QString, announcedFile);
    UserSettings::setTabPageIndex(target, NoTabBarPage);
    Surface surface(start);
    MainWidget *widget = surface.widget.get();

    QStringList events;
    connect(widget, &MainWidget::selectedCollectionChanged, widget, [&](const QUuid &uuid) {
        // Everything the children read must be in place before they hear of the change.
        events << QStringLiteral("broadcast %1 %2 %3 %4")
                      .arg(int(uuid == target))
                      .arg(int(UserSettings::lastUsedCollection() == target))
                      .arg(int(UserSettings::tabPageIndex(target)))
                      .arg(int(widget->isEnabled() || widget->updatesEnabled()));
    });
    connect(widget, &MainWidget::onCapsureFileChanged, widget, [&](const QString &path) {
        events
            << QStringLiteral("capture %1 %2").arg(path, QString::number(int(widget->isEnabled())));
    });
    if (source == "selector")
        emit surface.child<CollectionSelectWidget>()->collectionSelectedInteractively(target);
    else
        emit surface.child<CardRollerWidget>()->collectionSelectedInteractively(target);

    const QStringList expected = changes
        ? QStringList {"broadcast 1 1 1 0", "capture " + announcedFile + " 0"}
        : QStringList();
    QCOMPARE(events, expected);
    QCOMPARE(UserSettings::lastUsedCollection(), changes ? target : start);
    QVERIFY(widget->isEnabled());
    QVERIFY(widget->updatesEnabled());
}

void TestMainWidget::collectionChangeReloadsTheColorTable()
{
    Surface surface(Deck);
    QVERIFY(nearestChip(Deck, QColor(40, 90, 60)) > 0);

    emit surface.child<CollectionSelectWidget>()->collectionSelectedInteractively(Powder);

    DB::ColorEntry powderChip;
    QCOMPARE(DB::loadEntryAt(Powder, 1, 1, powderChip), 0);
    QCOMPARE(nearestChip(Powder, Qt::red), powderChip.id);
    QCOMPARE(nearestChip(Deck, QColor(40, 90, 60)), -1);
}

// The completion entries and the colour table are read on a worker thread after a collection
// change; typing and matching a colour before they are done still get what reading them at once
// gives.
void TestMainWidget::workLeftForLaterAnswersAsAtOnce()
{
    Surface surface(Powder);
    surface.widget->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(surface.widget.get()));
    emit surface.child<CollectionSelectWidget>()->collectionSelectedInteractively(Deck);

    QLineEdit *edit = surface.child<SearchWidget>()->phraseEdit();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("c"));
    QStringList entries;
    QCOMPARE(DB::completionEntries(Deck, entries), 0);
    QVERIFY(edit->completer());
    const auto *model = qobject_cast<const QStringListModel *>(edit->completer()->model());
    QVERIFY(model);
    QCOMPARE(model->stringList(), entries);
    QCOMPARE(edit->text(), entries.filter(QRegularExpression(QStringLiteral("^[cC]"))).first());

    QVector<DB::LabSample> samples;
    QCOMPARE(DB::loadLabSamples(Deck, samples), 0);
    for (const QColor &color : {QColor(40, 90, 60), QColor(Qt::red), QColor(250, 240, 230)}) {
        const LabMatches expected = nearestLabSamples(labFromColor(color), samples, 3);
        QCOMPARE(nearestChips(Deck, color, 3), expected);
        QCOMPARE(nearestChip(Deck, color), expected.first().second);
    }
}

void TestMainWidget::tabPageShowsItsPane_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("shown");

    QTest::newRow("products") << int(Products) << "products";
    QTest::newRow("textures") << int(Textures) << "textures";
    QTest::newRow("trend groups") << int(Trendora) << "trendora";
    QTest::newRow("schemes of a normal collection") << int(ColorSchemes) << "schemer";
}

void TestMainWidget::tabPageShowsItsPane()
{
    QFETCH(int, page);
    QFETCH(QString, shown);
    UserSettings::setTabPageIndex(Deck, page == ColorSchemes ? Products : ColorSchemes);
    Surface surface(Deck);
    PaintCounter tabBar(surface.child<TabBarWidget>());

    emit surface.child<TabBarWidget>()->tabPageSelected(TabBarPage(page));
    flushPaints();

    QCOMPARE(int(UserSettings::tabPageIndex(Deck)), page);
    QVERIFY(tabBar.count > 0);
    for (const char *name : {"schemer", "polvarone", "products", "textures", "trendora"})
        QCOMPARE(surface.named(name)->isVisible(), shown == QLatin1String(name));
}

void TestMainWidget::schemeChangesAreStored()
{
    Surface surface(Deck);
    auto *schemer = surface.child<ColorSchemerWidget>();

    QStringList painted = repaintedDuring(
        surface, [&] { emit schemer->schemeKindChangedInteractively(DynamicScheme); });
    QCOMPARE(UserSettings::schemeKind(Deck), DynamicScheme);
    QCOMPARE(painted, QStringList {"schemer"});

    painted = repaintedDuring(surface, [&] {
        emit schemer->schemeNeutralSubKindChangedInteractively(ComplementaryNeutralScheme);
    });
    QCOMPARE(UserSettings::schemeNeutralSubKind(Deck), ComplementaryNeutralScheme);
    QCOMPARE(painted, QStringList {"schemer"});
}

void TestMainWidget::saveDialogOffersTheAllowedFormats_data()
{
    QTest::addColumn<QUuid>("collection");
    QTest::addColumn<bool>("savedAsText");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("answerFilter");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<QString>("preselected");
    QTest::addColumn<int>("emittedFormat");
    QTest::addColumn<bool>("exported");

    const QString palette = QStringLiteral("Palette files (*.palette)");
    const QString text = QStringLiteral("Text lists (*.txt)");
    const QString gimp = QStringLiteral("GIMP palettes (*.gpl)");
    const QString ase = QStringLiteral("Swatch exchange (*.ase)");
    const QStringList all {palette, text, gimp, ase};
    QTest::newRow("palette file chosen") << Deck << false << "/x/a.palette" << palette << all
                                         << palette << int(PaletteXmlFile) << false;
    QTest::newRow("text list chosen")
        << Deck << false << "/x/a.txt" << text << all << palette << int(PaletteTextFile) << false;
    QTest::newRow("GIMP palette chosen, filter case aside")
        << Deck << true << "/x/a.gpl" << gimp.toUpper() << all << text << int(GimpPaletteFile)
        << true;
    QTest::newRow("swatch exchange chosen") << Deck << false << "/x/a.ase" << ase << all << palette
                                            << int(AdobeSwatchExchangeFile) << true;
    QTest::newRow("last format preselected")
        << Deck << true << "/x/b.palette" << palette << all << text << int(PaletteXmlFile) << false;
    QTest::newRow("text saving disabled stores palette files")
        << Powder << true << "/x/c.txt" << text << QStringList {palette} << palette
        << int(PaletteXmlFile) << false;
    QTest::newRow("cancelled") << Deck << true << QString() << QString() << all << text << -1
                               << false;
}

void TestMainWidget::saveDialogOffersTheAllowedFormats()
{
    QFETCH(QUuid, collection);
    QFETCH(bool, savedAsText);
    QFETCH(QString, answer);
    QFETCH(QString, answerFilter);
    QFETCH(QStringList, offered);
    QFETCH(QString, preselected);
    QFETCH(int, emittedFormat);
    QFETCH(bool, exported);
    // My Palette writes the file; a folder that exists keeps its failure message away.
    QTemporaryDir folder;
    answer.replace(QStringLiteral("/x"), folder.path());
    UserSettings::setMyPaletteSaveFileFormat(savedAsText ? PaletteTextFile : PaletteXmlFile);
    UserSettings::setMyPaletteLastSavePath(QStringLiteral("/nowhere/earlier.palette"));
    Surface surface(collection);
    surface.answer = answer;
    surface.answerFilter = answerFilter;
    QSignalSpy saved(surface.widget.get(), &MainWidget::savePaletteTo);
    QSignalSpy exports(surface.widget.get(), &MainWidget::exportPaletteTo);

    emit surface.widget->taskButton(MainWidget::SaveTaskButton)->clicked();

    QCOMPARE(surface.dialogs.size(), 1);
    QCOMPARE(surface.dialogs[0].caption, QStringLiteral("Save My Palette"));
    QCOMPARE(surface.dialogs[0].filters, offered);
    QCOMPARE(surface.dialogs[0].preselected, preselected);
    if (emittedFormat < 0) {
        QCOMPARE(saved.count() + exports.count(), 0);
        QCOMPARE(UserSettings::myPaletteSaveAsText(), savedAsText);
        QCOMPARE(UserSettings::myPaletteLastSavePath(), QStringLiteral("/nowhere/earlier.palette"));
        return;
    }
    QCOMPARE(saved.count(), exported ? 0 : 1);
    QCOMPARE(exports.count(), exported ? 1 : 0);
    const QList<QVariant> emitted = exported ? exports[0] : saved[0];
    QCOMPARE(emitted[0].toInt(), emittedFormat);
    QCOMPARE(emitted[1].toString(), answer);
    QCOMPARE(UserSettings::myPaletteSaveAsText(), !exported && emittedFormat == PaletteTextFile);
    QCOMPARE(UserSettings::myPaletteLastSavePath(), answer);
}

void TestMainWidget::saveDialogStartsAtTheLastFile()
{
    Surface surface(Deck);
    emit surface.widget->taskButton(MainWidget::SaveTaskButton)->clicked();
    const QString defaultPath
        = Platform::documentsFolder() + QDir::separator() + QStringLiteral("My Palette.palette");
    QCOMPARE(surface.dialogs.last().path, defaultPath);

    QTemporaryDir folder;
    const QString last = folder.filePath(QStringLiteral("kept.palette"));
    QFile file(last);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    UserSettings::setMyPaletteLastSavePath(last);
    emit surface.widget->taskButton(MainWidget::SaveTaskButton)->clicked();
    QCOMPARE(surface.dialogs.last().path, last);
}

void TestMainWidget::loadDialogOffersPaletteFiles()
{
    UserSettings::setMyPaletteSaveFileFormat(PaletteTextFile);
    Surface surface(Deck);
    QSignalSpy loaded(surface.widget.get(), &MainWidget::loadPaletteFrom);

    emit surface.widget->taskButton(MainWidget::LoadTaskButton)->clicked();
    QCOMPARE(loaded.count(), 0);
    QCOMPARE(UserSettings::myPaletteSaveAsText(), true);

    surface.answer = QStringLiteral("/x/loaded.palette");
    emit surface.widget->taskButton(MainWidget::LoadTaskButton)->clicked();
    QCOMPARE(surface.dialogs.last().caption, QStringLiteral("Open a palette"));
    QCOMPARE(surface.dialogs.last().filters, QStringList {"Palette files (*.palette)"});
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(loaded[0][0].value<PaletteFileFormat>(), PaletteXmlFile);
    QCOMPARE(loaded[0][1].toString(), surface.answer);
    QCOMPARE(UserSettings::myPaletteSaveAsText(), false);
    QCOMPARE(UserSettings::myPaletteLastSavePath(), surface.answer);
}

void TestMainWidget::helpOpensTheCollectionsHelpLink_data()
{
    QTest::addColumn<QUuid>("collection");
    QTest::addColumn<QList<QUrl>>("opened");

    const QString folder = QFileInfo(QCoreApplication::applicationFilePath()).canonicalPath();
    QTest::newRow("%APP% becomes the module's folder")
        << Deck << QList<QUrl> {QUrl::fromLocalFile(folder + QStringLiteral("/help/main.html"))};
    QTest::newRow("an invalid link is not opened") << Powder << QList<QUrl>();
}

void TestMainWidget::helpOpensTheCollectionsHelpLink()
{
    QFETCH(QUuid, collection);
    QFETCH(QList<QUrl>, opened);
    const QString help = QFileInfo(QCoreApplication::applicationFilePath()).canonicalPath()
        + QStringLiteral("/help/main.html");
    QVERIFY(QDir().mkpath(QFileInfo(help).path()));
    QFile document(help);
    QVERIFY(document.open(QIODevice::WriteOnly));
    Surface surface(collection);

    emit surface.widget->taskButton(MainWidget::HelpTaskButton)->clicked();

    QCOMPARE(surface.opened, opened);
}

// A switch to a collection whose file is locked does not happen and says why; once the lock is
// gone the switch works.
void TestMainWidget::unreadableCollectionIsNotSwitchedTo()
{
    Surface surface(Deck);
    QSignalSpy changed(surface.widget.get(), &MainWidget::selectedCollectionChanged);
    QProcess locker;
    lockFile(locker, DB::collectionRegistry().find(Lockable)->databasePath);

    emit surface.child<CollectionSelectWidget>()->collectionSelectedInteractively(Lockable);
    QCOMPARE(UserSettings::lastUsedCollection(), Deck);
    QCOMPARE(changed.count(), 0);
    auto *box = surface.widget->findChild<QMessageBox *>();
    QVERIFY(box);
    QVERIFY(box->text().endsWith(QStringLiteral("locked by another program")));
    box->close();

    releaseFile(locker);
    emit surface.child<CollectionSelectWidget>()->collectionSelectedInteractively(Lockable);
    QCOMPARE(UserSettings::lastUsedCollection(), Lockable);
    QCOMPARE(changed.count(), 1);
}

// The collection in use shows one line in place of its panes while its file is locked or cut
// short, takes no input meanwhile, and comes back by itself: on choosing it again, or when the
// file changes.
void TestMainWidget::unreadableCurrentCollectionRecovers()
{
    selectCollection(Lockable);
    Surface surface(Lockable);
    QSignalSpy changed(surface.widget.get(), &MainWidget::selectedCollectionChanged);
    const QString path = DB::collectionRegistry().find(Lockable)->databasePath;
    QProcess locker;
    lockFile(locker, path);

    surface.widget->rowChangedInteractively(2);
    QLabel *label = unavailableLabel(*surface.widget);
    QVERIFY(label && label->isVisible());
    QVERIFY(label->text().endsWith(QStringLiteral("locked by another program")));
    QVERIFY(!surface.named("roller")->isEnabled());

    releaseFile(locker);
    emit surface.child<CollectionSelectWidget>()->collectionSelectedInteractively(Lockable);
    QVERIFY(!label->isVisible());
    QVERIFY(surface.named("roller")->isEnabled());
    QCOMPARE(changed.count(), 1);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const QByteArray intact = file.readAll();
    QVERIFY(file.resize(4096));
    file.flush();
    QTRY_VERIFY(label->isVisible());
    QVERIFY(label->text().contains(QStringLiteral("truncated")));
    QVERIFY(file.resize(0));
    QCOMPARE(file.write(intact), intact.size());
    file.close();
    QTRY_VERIFY(!label->isVisible());
    QCOMPARE(changed.count(), 2);
    QCOMPARE(surface.widget->taskButton(MainWidget::SaveTaskButton)->text(),
             QStringLiteral("Save"));
}

void TestMainWidget::linksOpenTemporaryDocuments_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("document");

    QTest::newRow("notice") << "links/copyright" << DeckLicence;
    QTest::newRow("motto") << "links/motto" << DeckMotto;
}

void TestMainWidget::linksOpenTemporaryDocuments()
{
    QFETCH(QString, link);
    QFETCH(QString, document);
    auto surface = std::make_unique<Surface>(Deck);
    QLabel *label = surface->label(link);
    QVERIFY(label);

    emit label->linkActivated(link);
    emit label->linkActivated(link);

    QCOMPARE(surface->opened.size(), 2);
    QCOMPARE(surface->opened[1], surface->opened[0]);
    const QFileInfo file(surface->opened[0].toLocalFile());
    QCOMPARE(file.canonicalPath(), QFileInfo(Platform::tempFolder()).canonicalFilePath());
    QVERIFY(QRegularExpression(QStringLiteral("^qt_temp_\\w{6}\\.html$"))
                .match(file.fileName())
                .hasMatch());
    QFile text(file.filePath());
    QVERIFY(text.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(text.readAll()), document);
    text.close();

    surface.reset();
    QVERIFY(!QFile::exists(file.filePath()));
}

void TestMainWidget::bannerOpensTheHeaderLink()
{
    Surface surface(Deck);
    MainWidget *widget = surface.widget.get();

    QTest::mouseMove(widget, QPoint(400, 30));
    QCOMPARE(widget->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(widget, QPoint(400, 70));
    QCOMPARE(widget->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(widget, Qt::RightButton, {}, QPoint(100, 10));
    QCOMPARE(surface.opened, QList<QUrl> {QUrl("https://www.example.com/deck")});

    emit surface.child<CollectionSelectWidget>()->collectionSelectedInteractively(Powder);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(100, 10));
    QCOMPARE(surface.opened.size(), 1);
}

// A folder in the settings file's place refuses every write: the user is told once, with the
// file, and the session goes on with what was set.
void TestMainWidget::settingsThatCannotBeWrittenAreToldOnce()
{
    Surface surface(Deck);
    UserSettings::sync();
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                      + QStringLiteral("/Orvo Kalin"));
    const QString ini = folder.entryInfoList({QStringLiteral("*.ini")}).value(0).filePath();
    QVERIFY(QFile::rename(ini, ini + QStringLiteral(".kept")) && QDir().mkdir(ini));
    UserSettings::setMyPaletteGridVisible(false);
    UserSettings::setMyPaletteGridVisible(true);
    const auto shownBoxes = [] {
        QList<QMessageBox *> boxes;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(window); box && box->isVisible())
                boxes.append(box);
        }
        return boxes;
    };
    QTRY_COMPARE(shownBoxes().size(), 1);
    QVERIFY(shownBoxes().first()->informativeText().contains(QDir::toNativeSeparators(ini)));
    QVERIFY(UserSettings::myPaletteGridVisible());
    shownBoxes().first()->close();
    QVERIFY(QDir().rmdir(ini) && QFile::rename(ini + QStringLiteral(".kept"), ini));
}

void TestMainWidget::capsureFileChangesAreAnnounced()
{
    const QString folder = Platform::commonAppDataFolder() + QStringLiteral("/Capsure");
    QVERIFY(QDir().mkpath(folder));
    Surface surface(Deck);
    QSignalSpy announced(surface.widget.get(), &MainWidget::onCapsureFileChanged);
    const auto allAnnounceTheCaptureFile = [&] {
        for (const QList<QVariant> &arguments : announced)
            QCOMPARE(arguments[0].toString(), capsureFile());
    };

    QFile measurement(capsureFile());
    QVERIFY(measurement.open(QIODevice::WriteOnly));
    measurement.close();
    QTRY_VERIFY(announced.count() > 0);

    const qsizetype afterCreation = announced.count();
    QVERIFY(measurement.open(QIODevice::Append));
    measurement.write("<CxF/>");
    measurement.close();
    QTRY_VERIFY(announced.count() > afterCreation);

    const qsizetype afterWrite = announced.count();
    QFile other(folder + QStringLiteral("/other.cxf"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();
    QTRY_VERIFY(announced.count() > afterWrite);
    allAnnounceTheCaptureFile();
}

void TestMainWidget::editBoxFocusIsReported()
{
    Surface surface(Deck);
    surface.widget->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(surface.widget.get()));
    QLineEdit *phrase = surface.child<SearchWidget>()->phraseEdit();
    QLineEdit *description = surface.child<MyPaletteWidget>()->descriptionEdit();
    phrase->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), phrase);
    QSignalSpy got(surface.widget.get(), &MainWidget::anEditBoxGotFocus);
    QSignalSpy lost(surface.widget.get(), &MainWidget::anEditBoxLostFocus);

    description->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), description);
    QCOMPARE(got.count(), 1);
    QCOMPARE(lost.count(), 0);

    surface.child<ColorWheelWidget>()->setFocus();
    QTRY_COMPARE(lost.count(), 1);
    QCOMPARE(got.count(), 1);
}

void TestMainWidget::enlargedPaletteSlidesInAndOut()
{
    Surface surface(Deck);
    auto *full = surface.child<MyPaletteFullWidget>();
    QVERIFY(full->isHidden());

    emit surface.child<MyPaletteWidget>()->zoomMyPaletteClicked();
    QVERIFY(full->isVisible());
    QVERIFY(full->x() > 0);
    QTRY_COMPARE(full->pos(), QPoint(0, 0));
    QCOMPARE(full->size(), surface.widget->size());

    emit full->backButtonClicked();
    QVERIFY(full->isVisible());
    QTRY_VERIFY(full->isHidden());
    QCOMPARE(full->pos(), QPoint(-surface.widget->width(), 0));
}

void TestMainWidget::layoutPlacesTheChildren()
{
    Surface surface(Deck);
    const QRect selector = surface.child<CollectionSelectWidget>()->geometry();
    const QRect wheel = surface.child<ColorWheelWidget>()->geometry();
    const QRect mood = surface.child<MoodSelectWidget>()->geometry();
    const QRect search = surface.child<SearchWidget>()->geometry();
    const QRect roller = surface.child<CardRollerWidget>()->geometry();
    const QRect tabBar = surface.child<TabBarWidget>()->geometry();
    const QRect schemer = surface.child<ColorSchemerWidget>()->geometry();
    const QRect palette = surface.child<MyPaletteWidget>()->geometry();

    QCOMPARE(selector, QRect(0, 71, 234, 30));
    QCOMPARE(wheel.size(), QSize(122, 122));
    QCOMPARE(wheel.center().x(), selector.center().x());
    QCOMPARE(wheel.top(), selector.bottom() + 11);
    QVERIFY(mood.isValid());
    QCOMPARE(mood.size(), surface.child<MoodSelectWidget>()->sizeHint());
    QVERIFY(qAbs(mood.center().x() - selector.center().x()) <= 1);
    QCOMPARE(mood.top(), wheel.bottom() + 11);
    QCOMPARE(search.left(), 12);
    QCOMPARE(search.size(), QSize(210, 26));
    QVERIFY(search.bottom() < surface.label("links/motto")->geometry().top());
    QCOMPARE(roller.left(), search.left());
    QCOMPARE(roller.right(), search.right());
    QCOMPARE(roller.top(), mood.bottom() + 7);
    QCOMPARE(roller.bottom(), search.top() - 8);
    QCOMPARE(
        surface.child<EyedropperButton>()->geometry(),
        QRect(QPoint(search.right() + 1, search.top()), QPoint(selector.right(), search.bottom())));

    QCOMPARE(tabBar,
             QRect(QPoint(selector.right() + 1, selector.top()), QPoint(799, selector.bottom())));
    QCOMPARE(schemer, QRect(tabBar.left() + 1, tabBar.bottom() + 1, tabBar.width() - 1, 226));
    for (const char *pane : {"polvarone", "products", "textures", "trendora"})
        QCOMPARE(surface.named(pane)->geometry(), schemer);
    QCOMPARE(palette,
             QRect(QPoint(schemer.left(), schemer.bottom() + 1),
                   QPoint(schemer.right(), roller.bottom())));
    QCOMPARE(surface.child<MyPaletteFullWidget>()->geometry(), surface.widget->rect());

    const QRect notice = surface.label("links/copyright")->geometry();
    const QRect motto = surface.label("links/motto")->geometry();
    QCOMPARE(motto.left(), 12);
    QCOMPARE(notice.right() + 1, 800 - 13);
    QCOMPARE(notice.bottom(), motto.bottom());
    QVERIFY(notice.bottom() < 600);
}

void TestMainWidget::layoutHidesTheMoodSelector()
{
    Surface surface(Powder);
    QVERIFY(surface.child<MoodSelectWidget>()->isHidden());
    QCOMPARE(surface.child<CardRollerWidget>()->geometry().top(),
             surface.child<ColorWheelWidget>()->geometry().bottom() + 7);
}

void TestMainWidget::taskButtonsFillTheirRow()
{
    Surface surface(Deck);
    MainWidget *widget = surface.widget.get();
    QCOMPARE(widget->addAboutButton(), quint16(MainWidget::AboutTaskButton));
    QCOMPARE(widget->addExtraTaskButton(MainWidget::LoadTaskButton), quint16(1000));
    QCOMPARE(widget->addExtraTaskButton(0), quint16(1001));
    QCOMPARE(widget->addTaskButton(MainWidget::SaveTaskButton, 1001),
             quint16(MainWidget::SaveTaskButton));

    QVERIFY(qobject_cast<HelpButton *>(widget->taskButton(MainWidget::HelpTaskButton)));
    QVERIFY(qobject_cast<AboutButton *>(widget->taskButton(MainWidget::AboutTaskButton)));
    QVERIFY(!qobject_cast<HelpButton *>(widget->taskButton(1000)));
    QVERIFY(widget->taskButton(77)->isHidden());
    QCOMPARE(widget->taskButton(MainWidget::SaveTaskButton)->text(), QStringLiteral("Save"));
    QCOMPARE(widget->taskButton(MainWidget::LoadTaskButton)->text(), QStringLiteral("Load"));
    QCOMPARE(widget->taskButton(MainWidget::ScheduleTaskButton)->text(),
             QStringLiteral("Schedule"));

    const QList<quint16> order {1, 2, 1000, 5, 3, 4, 1001};
    const QRect palette = surface.child<MyPaletteWidget>()->geometry();
    const QRect search = surface.child<SearchWidget>()->geometry();
    const QRect first = widget->taskButton(order.first())->geometry();
    QCOMPARE(first.left(), palette.left() + 12);
    QCOMPARE(first.height(), 22);
    QVERIFY(first.top() > search.top() && first.bottom() < search.bottom());
    int x = first.left();
    for (const quint16 id : order) {
        const QRect button = widget->taskButton(id)->geometry();
        QCOMPARE(button.left(), x);
        if (id == MainWidget::HelpTaskButton || id == MainWidget::AboutTaskButton)
            QCOMPARE(button, QRect(x, first.top() + 1, 20, 20));
        else
            QCOMPARE(button, QRect(x, first.top(), first.width(), first.height()));
        x = button.right() + 1 + 4;
    }
    QVERIFY(x - 4 <= palette.right() - 12 + 1);
    QVERIFY(x - 4 > palette.right() - 12 - 4);
}

void TestMainWidget::instanceIsTheLivingSurface()
{
    auto surface = std::make_unique<Surface>(Deck);
    QCOMPARE(MainWidget::instance(), surface->widget.get());
    QCOMPARE(surface->widget->objectName(), QStringLiteral("MainWidget"));
    surface.reset();
    QCOMPARE(MainWidget::instance(), nullptr);
}

// Kept as an artefact for a human eye; only the theme placeholders are checked, since a missing
// image in the demo data would show as a red outline.
void TestMainWidget::rendersTheDemoCollections()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const Demo::DemoBuildResult demo = Demo::buildDemoCollections(root.path(), {});
    QVERIFY2(demo.error.isEmpty(), qPrintable(demo.error));
    const QByteArray machineData = qgetenv("VEXA_COMMON_APPDATA");
    qputenv("VEXA_COMMON_APPDATA", QFile::encodeName(root.path()));
    resetDatabaseLayer();
    QCOMPARE(DB::initializeDatabaseLayer(QCoreApplication::applicationFilePath(), QString()), 0);
    const QUuid first = DB::availableCollections().value(0);
    resetPosition(first);

    {
        Surface surface(first);
        // The default page, then the trend, texture and product panes in turn.
        const QList<std::pair<int, QString>> pages {{0, QStringLiteral("")},
                                                    {Trendora, QStringLiteral("-trends")},
                                                    {Textures, QStringLiteral("-textures")},
                                                    {Products, QStringLiteral("-products")}};
        for (const auto &[page, suffix] : pages) {
            if (page != 0)
                surface.widget->tabPageSelected(TabBarPage(page));
            // The product list lays its items out from the event loop.
            QCoreApplication::processEvents();
            const QImage image
                = surface.widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QVERIFY(
                image.save(QStringLiteral(VEXA_ARTEFACT_DIR "/mainwidget-demo%1.png").arg(suffix)));
            // Widgets of their own: the roller may show a pure red chip, the buttons draw no
            // images.
            QRegion others(surface.child<CardRollerWidget>()->geometry());
            others += surface.child<TabBarWidget>()->geometry();
            int placeholderPixels = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    if (image.pixel(x, y) == qRgb(255, 0, 0) && !others.contains(QPoint(x, y)))
                        ++placeholderPixels;
                }
            }
            QCOMPARE(placeholderPixels, 0);
        }
    }
    qputenv("VEXA_COMMON_APPDATA", machineData);
    resetDatabaseLayer();
}

QTEST_MAIN(TestMainWidget)
#include "tst_mainwidget.moc"
