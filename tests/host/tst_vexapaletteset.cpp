#include "core/usersettings.h"
#include "db/connections.h"
#include "db/itemindex.h"
#include "db/lookups.h"
#include "loadedmodule.h"

#include <AcStatusBar.h>
#include <acdocman.h>
#include <aced.h>
#include <standinframe.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Sorven;

class TestVexaPaletteSet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void floatsAtAFixedSize();
    void followsTheDrawings_data();
    void followsTheDrawings();
    void paneClicksHideAndShow();
    void colourBookButtonFollowsMyPalette();
    void collectionChangeRenamesCaptionAndButton();
    void typedKeysReachTheEditBoxOrTheCommandLine();
    void keysTypedIntoADialogStayThere();
    void modalStateDisablesThePalette();
    void panesShowThePaletteBackground_data();
    void panesShowThePaletteBackground();

private:
    QString text(int collection, const char *key) const
    {
        return DB::localeString(demoCollection(collection), QString::fromLatin1(key));
    }
    QWidget *colourBookButton() const
    {
        return taskButtonWithText(text(0, "autocad.createcolorbook.button"));
    }
    AcPane *pane() const { return acedGetApplicationStatusBar()->GetPane(0); }

    std::unique_ptr<LoadedModule> m_module;
};

void TestVexaPaletteSet::initTestCase()
{
    installDemoCollections();
    StandIn::mainWindow()->show();
}

void TestVexaPaletteSet::init()
{
    while (acDocManager->documentCount() < 1)
        acDocManager->appContextNewDocument(nullptr);
    UserSettings::setHostApplicationPid(0);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 6; ++column)
            UserSettings::setMyPaletteEntry(QPoint(column, row), DB::ItemIndex());
    }
    m_module = std::make_unique<LoadedModule>();
    QCOMPARE(m_module->send(AcRx::kInitAppMsg), int(AcRx::kRetOK));
    QVERIFY(paletteFrame());
}

void TestVexaPaletteSet::cleanup()
{
    QCOMPARE(m_module->send(AcRx::kUnloadAppMsg), int(AcRx::kRetOK));
    m_module.reset();
}

void TestVexaPaletteSet::floatsAtAFixedSize()
{
    QWidget *frame = paletteFrame();
    QVERIFY(frame->isWindow());
    QCOMPARE(frame->size(), QSize(810, 610));
    frame->resize(1000, 300);
    QCOMPARE(frame->size(), QSize(810, 610));
    QCOMPARE(paletteSurface()->mapTo(frame, QPoint(0, 0)), QPoint(0, 0));
    QCOMPARE(paletteSurface()->size(), QSize(800, 600));
}

void TestVexaPaletteSet::followsTheDrawings_data()
{
    QTest::addColumn<bool>("visibleBefore");
    QTest::newRow("shown again") << true;
    QTest::newRow("stays hidden") << false;
}

void TestVexaPaletteSet::followsTheDrawings()
{
    QFETCH(bool, visibleBefore);
    if (!visibleBefore)
        pane()->OnLButtonDown(0, CPoint());
    QCOMPARE(paletteFrame()->isVisible(), visibleBefore);
    acDocManager->appContextNewDocument(nullptr);
    acDocManager->closeDocument(acDocManager->curDocument());
    QCOMPARE(paletteFrame()->isVisible(), visibleBefore);

    acDocManager->closeDocument(acDocManager->curDocument());
    QVERIFY(!paletteFrame()->isVisible());
    const int style = pane()->GetStyle();
    pane()->OnLButtonDown(0, CPoint());
    QVERIFY(!paletteFrame()->isVisible());
    QCOMPARE(pane()->GetStyle(), style);

    acDocManager->appContextNewDocument(nullptr);
    QCOMPARE(paletteFrame()->isVisible(), visibleBefore);
    // The pane acts on the palette's real visibility.
    pane()->OnLButtonDown(0, CPoint());
    QCOMPARE(paletteFrame()->isVisible(), !visibleBefore);
}

void TestVexaPaletteSet::paneClicksHideAndShow()
{
    QCOMPARE(pane()->GetStyle(), 8);
    pane()->OnLButtonDown(0, CPoint());
    QVERIFY(!paletteFrame()->isVisible());
    QCOMPARE(pane()->GetStyle(), 2);
    pane()->OnLButtonDown(0, CPoint());
    QVERIFY(paletteFrame()->isVisible());
    QCOMPARE(pane()->GetStyle(), 8);
}

void TestVexaPaletteSet::colourBookButtonFollowsMyPalette()
{
    QWidget *button = colourBookButton();
    QVERIFY(button);
    QVERIFY(!button->isEnabled());
    QWidget *myPalette = paletteChild("Sorven::MyPaletteWidget");
    QVERIFY(myPalette);
    // As Save goes: a chip that loads enables it, a stored chip whose collection is gone does not.
    const auto enabledWith = [&](const DB::ItemIndex &entry) {
        UserSettings::setMyPaletteEntry(QPoint(5, 3), entry);
        QMetaObject::invokeMethod(myPalette, "selectedCollectionChanged",
                                  Q_ARG(QUuid, demoCollection(0)));
        QMetaObject::invokeMethod(myPalette, "myPaletteChanged");
        return button->isEnabled();
    };
    QVERIFY(enabledWith(DB::ItemIndex {demoCollection(0), 1, 1}));
    QVERIFY(!enabledWith(DB::ItemIndex {QUuid::createUuid(), 1, 1}));
    QVERIFY(!enabledWith(DB::ItemIndex()));
}

void TestVexaPaletteSet::collectionChangeRenamesCaptionAndButton()
{
    QCOMPARE(paletteFrame()->windowTitle(), text(0, "color.palette.caption"));
    QVERIFY(QMetaObject::invokeMethod(paletteSurface(), "collectionChangedInteractively",
                                      Q_ARG(QUuid, demoCollection(1))));
    QCOMPARE(paletteFrame()->windowTitle(), text(1, "color.palette.caption"));
    QVERIFY(taskButtonWithText(text(1, "autocad.createcolorbook.button")));
}

void TestVexaPaletteSet::typedKeysReachTheEditBoxOrTheCommandLine()
{
    QWidget *frame = paletteFrame();
    QApplication::setActiveWindow(frame);
    QLineEdit *commandLine = StandIn::commandLine();
    commandLine->clear();
    QWidget *searchBar = paletteChild("Sorven::SearchWidget");
    QVERIFY(searchBar);
    auto *search = searchBar->findChild<QLineEdit *>();
    QVERIFY(search);
    search->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(search, QStringLiteral("LA"));
    QCOMPARE(search->text(), QStringLiteral("LA"));
    QCOMPARE(commandLine->text(), QString());

    paletteSurface()->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(paletteSurface(), QStringLiteral("line"));
    QCOMPARE(search->text(), QStringLiteral("LA"));
    QCOMPARE(commandLine->text(), QStringLiteral("line"));
}

void TestVexaPaletteSet::keysTypedIntoADialogStayThere()
{
    StandIn::commandLine()->clear();
    QDialog dialog(paletteSurface());
    auto *name = new QLineEdit(&dialog);
    auto *button = new QPushButton(QStringLiteral("OK"), &dialog);
    dialog.setModal(true);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    name->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(name, QStringLiteral("unload"));
    QTest::keyClicks(button, QStringLiteral("line"));
    QCOMPARE(name->text(), QStringLiteral("unload"));
    QCOMPARE(StandIn::commandLine()->text(), QString());
}

void TestVexaPaletteSet::modalStateDisablesThePalette()
{
    acedGetAcadFrame()->BeginModalState();
    QVERIFY(!paletteSurface()->isEnabled());
    acedGetAcadFrame()->EndModalState();
    QVERIFY(paletteSurface()->isEnabled());
}

void TestVexaPaletteSet::panesShowThePaletteBackground_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("pane");
    QTest::newRow("trend groups") << int(Trendora) << QStringLiteral("TrendoraWidget");
    QTest::newRow("textures") << int(Textures) << QStringLiteral("TexturesWidget");
}

// The pane's margins show the palette's background image, at the place the surface has it.
void TestVexaPaletteSet::panesShowThePaletteBackground()
{
    QFETCH(int, page);
    QFETCH(QString, pane);
    QCOMPARE(m_module->send(AcRx::kUnloadAppMsg), int(AcRx::kRetOK));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    UserSettings::setTabPageIndex(demoCollection(0), TabBarPage(page));
    UserSettings::sync();
    m_module = std::make_unique<LoadedModule>();
    QCOMPARE(m_module->send(AcRx::kInitAppMsg), int(AcRx::kRetOK));
    QWidget *surface = paletteSurface();
    auto *area = surface->findChild<QWidget *>(pane);
    QVERIFY(area && area->isVisible());
    const QImage shot = paletteFrame()->grab().toImage();
    const QImage theme
        = DB::themeImage(DB::SystemWideCollectionUuid,
                         QStringLiteral("image.widget.main.background"), surface->size());
    for (const QPoint &margin : {QPoint(2, area->height() - 3), QPoint(area->width() / 2, 2)}) {
        QCOMPARE(shot.pixelColor(area->mapTo(paletteFrame(), margin)),
                 theme.pixelColor(area->mapTo(surface, margin)));
    }
}

QTEST_MAIN(TestVexaPaletteSet)
#include "tst_vexapaletteset.moc"
