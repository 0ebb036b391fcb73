#include "core/usersettings.h"
#include "db/lookups.h"
#include "loadedmodule.h"

#include <AcStatusBar.h>
#include <acdocman.h>

#include <QApplication>
#include <QLineEdit>
#include <QMetaObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Sorven;

namespace {

QString caption(int collection)
{
    return DB::localeString(demoCollection(collection), QStringLiteral("color.palette.caption"));
}

} // namespace

class TestVexaModule : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void answersTheApiVersion();
    void failsWithoutAnyCollection();
    void tearsDownOnce_data();
    void tearsDownOnce();
    void ignoresOtherMessages();
    void reloadKeepsCollectionAndApplication();
    void newProcessStartsOnTheFirstCollection();
    void reloadAfterUnloadDuringADialogLeavesNothingBehind();
};

void TestVexaModule::initTestCase()
{
    installDemoCollections();
    QVERIFY(!demoCollection(1).isNull());
}

void TestVexaModule::answersTheApiVersion()
{
    LoadedModule module;
    QVERIFY(module.isMapped());
    QCOMPARE(module.apiVersion(), 0x130000);
}

void TestVexaModule::failsWithoutAnyCollection()
{
    const QByteArray dataRoot = qgetenv("VEXA_COMMON_APPDATA");
    QTemporaryDir empty;
    qputenv("VEXA_COMMON_APPDATA", QFile::encodeName(empty.path()));
    LoadedModule module;
    QCOMPARE(module.send(AcRx::kInitAppMsg), int(AcRx::kRetError));
    qputenv("VEXA_COMMON_APPDATA", dataRoot);
    QVERIFY(!paletteSurface());
    QCOMPARE(acedGetApplicationStatusBar()->GetPaneCount(), 0);
    QCOMPARE(module.send(AcRx::kUnloadAppMsg), int(AcRx::kRetOK));
}

void TestVexaModule::tearsDownOnce_data()
{
    QTest::addColumn<int>("first");
    QTest::newRow("unload") << int(AcRx::kUnloadAppMsg);
    QTest::newRow("end") << int(AcRx::kEndMsg);
    QTest::newRow("quit") << int(AcRx::kQuitMsg);
    QTest::newRow("pre-quit") << int(AcRx::kPreQuitMsg);
}

void TestVexaModule::tearsDownOnce()
{
    QFETCH(int, first);
    LoadedModule module;
    QCOMPARE(module.send(AcRx::kInitAppMsg), int(AcRx::kRetOK));
    QVERIFY(paletteSurface());
    QVERIFY(paletteFrame()->isVisible());
    QCOMPARE(acedGetApplicationStatusBar()->GetPaneCount(), 1);

    QCOMPARE(module.send(AcRx::AppMsgCode(first)), int(AcRx::kRetOK));
    QVERIFY(!paletteSurface());
    QCOMPARE(acedGetApplicationStatusBar()->GetPaneCount(), 0);
    for (const auto later : {AcRx::kPreQuitMsg, AcRx::kEndMsg, AcRx::kQuitMsg, AcRx::kUnloadAppMsg})
        QCOMPARE(module.send(later), int(AcRx::kRetOK));
    // The drawings no longer reach a palette that is gone.
    acDocManager->appContextNewDocument(nullptr);
    acDocManager->closeDocument(acDocManager->curDocument());
}

void TestVexaModule::ignoresOtherMessages()
{
    LoadedModule module;
    QCOMPARE(module.send(AcRx::kInitAppMsg), int(AcRx::kRetOK));
    for (const auto other : {AcRx::kLoadDwgMsg, AcRx::kInitDialogMsg, AcRx::kSaveMsg})
        QCOMPARE(module.send(other), int(AcRx::kRetOK));
    QCOMPARE(acedGetApplicationStatusBar()->GetPaneCount(), 1);
    QCOMPARE(module.send(AcRx::kUnloadAppMsg), int(AcRx::kRetOK));
}

void TestVexaModule::reloadKeepsCollectionAndApplication()
{
    QCoreApplication *application = QCoreApplication::instance();
    {
        LoadedModule module;
        QCOMPARE(module.send(AcRx::kInitAppMsg), int(AcRx::kRetOK));
        QVERIFY(QMetaObject::invokeMethod(paletteSurface(), "collectionChangedInteractively",
                                          Q_ARG(QUuid, demoCollection(1))));
        QCOMPARE(module.send(AcRx::kUnloadAppMsg), int(AcRx::kRetOK));
    }
    LoadedModule module;
    QCOMPARE(module.send(AcRx::kInitAppMsg), int(AcRx::kRetOK));
    QCOMPARE(paletteFrame()->windowTitle(), caption(1));
    QCOMPARE(QCoreApplication::instance(), application);
    QCOMPARE(module.send(AcRx::kUnloadAppMsg), int(AcRx::kRetOK));
}

void TestVexaModule::newProcessStartsOnTheFirstCollection()
{
    UserSettings::setLastUsedCollection(demoCollection(1));
    UserSettings::setHostApplicationPid(QCoreApplication::applicationPid() + 1);
    LoadedModule module;
    QCOMPARE(module.send(AcRx::kInitAppMsg), int(AcRx::kRetOK));
    QCOMPARE(paletteFrame()->windowTitle(), caption(0));
    QCOMPARE(UserSettings::hostApplicationPid(), QCoreApplication::applicationPid());
    QCOMPARE(module.send(AcRx::kUnloadAppMsg), int(AcRx::kRetOK));
}

void TestVexaModule::reloadAfterUnloadDuringADialogLeavesNothingBehind()
{
    {
        LoadedModule module;
        QCOMPARE(module.send(AcRx::kInitAppMsg), int(AcRx::kRetOK));
        bool dialogOutlivedUnload = false;
        // The host unloads the module while the About box waits for the user.
        QTimer::singleShot(0, [&module, &dialogOutlivedUnload] {
            QVERIFY(QApplication::activeModalWidget());
            QCOMPARE(module.send(AcRx::kUnloadAppMsg), int(AcRx::kRetOK));
            if (QWidget *dialog = QApplication::activeModalWidget()) {
                dialogOutlivedUnload = true;
                dialog->close();
            }
        });
        QVERIFY(QMetaObject::invokeMethod(paletteSurface()->parentWidget(), "aboutClicked"));
        QVERIFY(!dialogOutlivedUnload);
        QTRY_VERIFY(!paletteSurface());
    }
    LoadedModule module;
    QCOMPARE(module.send(AcRx::kInitAppMsg), int(AcRx::kRetOK));
    QApplication::setActiveWindow(paletteFrame());
    auto *search = paletteChild("Sorven::SearchWidget")->findChild<QLineEdit *>();
    QTest::mouseClick(search, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), search);
    QCOMPARE(module.send(AcRx::kUnloadAppMsg), int(AcRx::kRetOK));
    QVERIFY(!paletteSurface());
}

QTEST_MAIN(TestVexaModule)
#include "tst_vexamodule.moc"
