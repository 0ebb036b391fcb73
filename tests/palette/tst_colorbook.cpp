#include "palette/colorbook.h"
#include "support/palettefixture.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Sorven;

class TestColorBook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_fixture = std::make_unique<PaletteFixture>(); }
    void bookIsByteExact();
    void colorsAreDistinctAndNamed();
    void pageSizes_data();
    void pageSizes();
    void bookNames_data();
    void bookNames();

private:
    std::unique_ptr<PaletteFixture> m_fixture;
};

// Harbour appends product codes, and each chip's codes come from its own collection: Quay's
// green shares its row ID with Harbour's red.
void TestColorBook::bookIsByteExact()
{
    PaletteModel palette;
    palette.setDescription(QStringLiteral("  Harbour & Quay \t"));
    palette.setEntry({0, 0}, m_fixture->quayGreen.index());
    palette.setEntry({1, 0}, m_fixture->harbourRed.index());
    palette.setEntry({2, 0}, m_fixture->quayRed.index());
    palette.setEntry({3, 0}, m_fixture->harbourBlue.index());
    palette.setEntry({0, 1}, m_fixture->quayGreen.index());
    const QString path = QDir::temp().filePath(QStringLiteral("book.acb"));
    QVERIFY(saveColorBook(palette, PaletteFixture::Harbour, path));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QFile golden(QFINDTESTDATA("../data/colorbook/harbour-and-quay.acb"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), golden.readAll());

    QString reason;
    QVERIFY(!saveColorBook(palette, PaletteFixture::Harbour, QStringLiteral("/gone/book.acb"),
                           &reason));
    QVERIFY(!reason.isEmpty());
}

// The first cell of a colour names it: Quay's red comes before Harbour's, and the book lists
// colours by RGB value, not by cell.
void TestColorBook::colorsAreDistinctAndNamed()
{
    PaletteModel palette;
    palette.setEntry({5, 0}, m_fixture->harbourGrey.index());
    palette.setEntry({0, 1}, m_fixture->quayRed.index());
    palette.setEntry({1, 1}, m_fixture->harbourRed.index());
    palette.setEntry({2, 3}, m_fixture->harbourBlue.index());
    palette.setEntry({3, 3}, {PaletteFixture::Harbour, 1, 999});
    const QMap<QRgb, QString> colors = colorBookColors(palette, false);
    QCOMPARE(colors.keys(),
             (QList<QRgb> {qRgb(20, 40, 160), qRgb(128, 128, 128), qRgb(200, 30, 40)}));
    QCOMPARE(QStringList(colors.values()), (QStringList {"H-102", "h-103", "Q-8"}));
}

void TestColorBook::pageSizes_data()
{
    QTest::addColumn<int>("colors");
    QTest::addColumn<QList<int>>("sizes");

    QTest::newRow("none") << 0 << QList<int> {};
    QTest::newRow("1") << 1 << QList<int> {1};
    QTest::newRow("8") << 8 << QList<int> {8};
    QTest::newRow("9") << 9 << QList<int> {5, 4};
    QTest::newRow("16") << 16 << QList<int> {8, 8};
    QTest::newRow("17") << 17 << QList<int> {6, 6, 5};
    QTest::newRow("24") << 24 << QList<int> {8, 8, 8};
}

void TestColorBook::pageSizes()
{
    QFETCH(int, colors);
    QFETCH(QList<int>, sizes);
    QCOMPARE(colorBookPageSizes(colors), sizes);
    QMap<QRgb, QString> book;
    for (int i = 0; i < colors; ++i)
        book.insert(qRgb(i, 0, 0), QString::number(i));
    const QByteArray xml = colorBookBytes(QStringLiteral("Pages"), book);
    QCOMPARE(xml.count("<colorPage>"), sizes.size());
    QCOMPARE(xml.count("<colorEntry>"), colors);
}

void TestColorBook::bookNames_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");

    QTest::newRow("description trimmed") << " Hall "
                                         << "/b/x.acb"
                                         << "Hall";
    QTest::newRow("blank description: file name with extension") << " \t "
                                                                 << "/b/Hall colours.acb"
                                                                 << "Hall colours.acb";
    QTest::newRow("neither") << ""
                             << ""
                             << "AutoCAD Color Book by Orvo Kalin";
}

void TestColorBook::bookNames()
{
    QFETCH(QString, description);
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(colorBookName(description, path), name);
}

QTEST_GUILESS_MAIN(TestColorBook)
#include "tst_colorbook.moc"
