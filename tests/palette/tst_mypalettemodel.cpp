#include "core/usersettings.h"
#include "palette/mypalettemodel.h"
#include "support/palettefixture.h"

#include <QSignalSpy>
#include <QTest>

using namespace Sorven;

class TestMyPaletteModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_fixture = std::make_unique<PaletteFixture>(); }
    void init() { UserSettings::setMyPalette({}); }
    void readsOnceAndKeepsChipsThatDoNotLoad();
    void changesAreStoredAndTold();

private:
    std::unique_ptr<PaletteFixture> m_fixture;
};

void TestMyPaletteModel::readsOnceAndKeepsChipsThatDoNotLoad()
{
    const DB::ItemIndex gone {QUuid::createUuid(), 1, 1};
    UserSettings::setMyPaletteEntry({0, 0}, m_fixture->harbourRed.index());
    UserSettings::setMyPaletteEntry({1, 0}, gone);
    MyPaletteModel model;
    QCOMPARE(model.chip({0, 0})->code, QStringLiteral("H-101"));
    QVERIFY(!model.chip({1, 0}));
    QCOMPARE(model.colorAt({1, 0}), QColor(Qt::transparent));
    QCOMPARE(model.stored().entry({1, 0}), gone);
    QCOMPARE(model.shown().filledCells(), QList<QPoint> {QPoint(0, 0)});

    // Another writer is seen at the next reload only, not at every read.
    QSignalSpy changed(&model, &MyPaletteModel::myPaletteChanged);
    UserSettings::setMyPaletteEntry({0, 0}, {});
    QVERIFY(!model.isEmpty());
    model.reload();
    QVERIFY(model.isEmpty());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.stored().entry({1, 0}), gone);
}

void TestMyPaletteModel::changesAreStoredAndTold()
{
    MyPaletteModel model;
    QSignalSpy changed(&model, &MyPaletteModel::myPaletteChanged);
    QVERIFY(!model.place({{2, 1}, {3, 3}}, {QUuid::createUuid(), 1, 1}));
    QCOMPARE(changed.count(), 0);
    QVERIFY(model.place({{2, 1}, {3, 3}}, m_fixture->quayGreen.index()));
    model.empty({{3, 3}});
    model.setDescription(QStringLiteral("Hall & stairs"));
    QCOMPARE(changed.count(), 3);
    QCOMPARE(model.colorAt({2, 1}), m_fixture->quayGreen.color);
    QCOMPARE(UserSettings::myPalette(), model.stored());
    QCOMPARE(model.stored().filledCells(), QList<QPoint> {QPoint(2, 1)});

    PaletteModel loaded;
    loaded.setEntry({5, 0}, m_fixture->harbourBlue.index());
    model.replace(loaded);
    QCOMPARE(UserSettings::myPalette(), loaded);
    QCOMPARE(model.chip({5, 0})->code, QStringLiteral("H-102"));
    QVERIFY(!model.chip({2, 1}));
}

QTEST_GUILESS_MAIN(TestMyPaletteModel)
#include "tst_mypalettemodel.moc"
