#include "core/usersettings.h"
#include "db/connections.h"
#include "db/search.h"
#include "palette/capsureselectdialog.h"
#include "support/fixturedatabase.h"
#include "widgets/collectionselectwidget.h"
#include "widgets/imagebutton.h"
#include "widgets/taskbutton.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Sorven;

namespace {

const QUuid Harbour {QStringLiteral("{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}")};
const QUuid Quay {QStringLiteral("{a1b2c3d4-e5f6-4a7b-8c9d-0e1f2a3b4c5d}")};

QString swatchStyle(const CapsureSelectDialog &dialog)
{
    return dialog.findChild<QFrame *>(QStringLiteral("swatch"))->styleSheet();
}

QString writeMeasurement(const QTemporaryDir &folder, const QByteArray &objects)
{
    const QString path = folder.filePath(QStringLiteral("m.cxf"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("<CxF xmlns='http://colorexchangeformat.com/CxF3-core'>" + objects + "</CxF>");
    return path;
}

} // namespace

class TestCapsureSelectDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        FixtureDatabase fixture(QStringLiteral("capsure.db"));
        for (const auto &[uuid, name, priority, color] :
             {std::tuple {Harbour, "Harbour", 2, QColor(10, 20, 30)},
              std::tuple {Quay, "Quay", 1, QColor(70, 80, 90)}}) {
            const qint64 id = fixture.addCollection(uuid, name, name, priority);
            fixture.addSetting(id, QStringLiteral("capsure.enabled"), 1);
            fixture.addSetting(id, QStringLiteral("capsure.priority"), priority);
            fixture.addLocale(id, QStringLiteral("capsure.dialog.caption"), name);
            const qint64 page = fixture.addPage(id, 1, 1, QStringLiteral("P"));
            fixture.addRow(id, page, 1, QStringLiteral("VX 100"), color);
        }
        fixture.close();
        resetDatabaseLayer();
        DB::ensureCollectionsEnumerated();
        DB::loadNameOrders(Harbour);
        UserSettings::setLastUsedCollection(Harbour);
    }

    void offersTheCandidatesWithTheirColour()
    {
        CapsureSelectDialog dialog(Harbour, matchCapsureNames({QStringLiteral("vx 100")}));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Harbour"));
        QCOMPARE(dialog.size(), QSize(320, 200));
        auto *combo = dialog.findChild<QComboBox *>();
        auto *ok = dialog.findChild<QPushButton *>();
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QStringLiteral("VX 100 (Quay)"));
        QCOMPARE(combo->itemText(1), QStringLiteral("VX 100 (Harbour)"));
        QVERIFY(ok->isEnabled());
        QCOMPARE(swatchStyle(dialog), QStringLiteral("background-color: rgba(70, 80, 90, 255);"));
        combo->setCurrentIndex(1);
        QCOMPARE(swatchStyle(dialog), QStringLiteral("background-color: rgba(10, 20, 30, 255);"));
        QCOMPARE(dialog.chosen()->collection, Harbour);
        const int line = dialog.fontMetrics().height();
        QCOMPARE(ok->geometry(), QRect(120, 200 - line - 42, 80, 22));
        const int comboHeight = combo->sizeHint().height();
        QCOMPARE(combo->geometry(), QRect(QPoint(48, 20), QPoint(271, comboHeight + 21)));
    }

    void cannotBeAcceptedWithoutAChip()
    {
        CapsureSelectDialog dialog(Harbour, {});
        QVERIFY(!dialog.findChild<QPushButton *>()->isEnabled());
        QCOMPARE(swatchStyle(dialog), QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
        QVERIFY(!dialog.chosen());
    }

    void theSelectorPassesOnWhatTheUserConfirms_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QUuid>("chosen");
        const QByteArray match = "<Object Name='VX 100'/>";
        QTest::newRow("confirmed") << match << true << Quay;
        QTest::newRow("cancelled") << match << false << QUuid();
        QTest::newRow("nothing matches: the reason")
            << QByteArray("<Object Name='VX 9'/>") << true << QUuid();
        QTest::newRow("damaged: the reason") << QByteArray("<Object") << true << QUuid();
        QTest::newRow("too many objects: the reason")
            << match.repeated(CapsureObjectLimit + 1) << true << QUuid();
    }

    // The chooser is modal to the palette's window alone, confirmed with a task button, and the
    // capture button rests while it is open; a file that gives nothing to choose says why.
    void theSelectorPassesOnWhatTheUserConfirms()
    {
        QFETCH(QByteArray, xml);
        QFETCH(bool, confirm);
        QFETCH(QUuid, chosen);
        QTemporaryDir folder;
        QWidget host;
        auto *bar = new CollectionSelectWidget(&host);
        host.show();
        bar->capsureFileChanged(writeMeasurement(folder, xml));
        QVERIFY(bar->capsureButton()->isPulsing());
        QSignalSpy spy(bar, &CollectionSelectWidget::capsureItemSelectedInteractively);
        QString shown;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->windowModality(), Qt::WindowModal);
            QVERIFY(!bar->capsureButton()->isPulsing());
            bar->capsureFileChanged(bar->capsureFilePath());
            QVERIFY(!bar->capsureButton()->isPulsing());
            auto *box = qobject_cast<QMessageBox *>(dialog);
            shown = box ? box->informativeText() : QStringLiteral("chooser");
            QVERIFY(box || dialog->findChild<TaskButton *>());
            if (confirm)
                QTest::mouseClick(dialog->findChild<QPushButton *>(), Qt::LeftButton);
            else
                dialog->close();
        });
        bar->capsureButton()->click();
        QCoreApplication::processEvents();
        QCOMPARE(shown == QLatin1String("chooser"), xml == "<Object Name='VX 100'/>");
        QCOMPARE(spy.count(), chosen.isNull() ? 0 : 1);
        if (!chosen.isNull()) {
            QCOMPARE(spy.at(0).at(0).value<QUuid>(), chosen);
            QCOMPARE(spy.at(0).at(1).value<DB::ColorEntry>().code, QStringLiteral("VX 100"));
        }
    }
};

QTEST_MAIN(TestCapsureSelectDialog)
#include "tst_capsureselectdialog.moc"
