#include "core/usersettings.h"
#include "db/connections.h"
#include "db/search.h"
#include "palette/capsureselectdialog.h"
#include "support/fixturedatabase.h"
#include "widgets/collectionselectwidget.h"
#include "widgets/imagebutton.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFrame>
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

QString writeMeasurement(const QTemporaryDir &folder, const QByteArray &name)
{
    const QString path = folder.filePath(QStringLiteral("m.cxf"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("<CxF xmlns='http://colorexchangeformat.com/CxF3-core'><Object Name='" + name
               + "'/></CxF>");
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
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QUuid>("chosen");
        QTest::newRow("confirmed") << QByteArray("VX 100") << true << Quay;
        QTest::newRow("cancelled") << QByteArray("VX 100") << false << QUuid();
        QTest::newRow("nothing matches: no dialog") << QByteArray("VX 9") << true << QUuid();
    }

    void theSelectorPassesOnWhatTheUserConfirms()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, confirm);
        QFETCH(QUuid, chosen);
        QTemporaryDir folder;
        QWidget host;
        auto *bar = new CollectionSelectWidget(&host);
        bar->capsureFileChanged(writeMeasurement(folder, name));
        QSignalSpy spy(bar, &CollectionSelectWidget::capsureItemSelectedInteractively);
        bool shown = false;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            shown = dialog != nullptr;
            if (dialog && confirm)
                QTest::mouseClick(dialog->findChild<QPushButton *>(), Qt::LeftButton);
            else if (dialog)
                dialog->close();
        });
        bar->capsureButton()->click();
        QCoreApplication::processEvents();
        QCOMPARE(shown, !name.endsWith('9'));
        QCOMPARE(spy.count(), chosen.isNull() ? 0 : 1);
        if (!chosen.isNull()) {
            QCOMPARE(spy.at(0).at(0).value<QUuid>(), chosen);
            QCOMPARE(spy.at(0).at(1).value<DB::ColorEntry>().code, QStringLiteral("VX 100"));
        }
    }
};

QTEST_MAIN(TestCapsureSelectDialog)
#include "tst_capsureselectdialog.moc"
