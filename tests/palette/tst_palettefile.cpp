#include "palette/palettefile.h"
#include "support/palettefixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Sorven;

namespace {

QByteArray golden(const QString &name)
{
    QFile file(QFINDTESTDATA(QStringLiteral("../data/palette/") + name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A version 3.0 file with the given chip elements.
QByteArray paletteXml(const QString &chips, const QString &version = QStringLiteral("3.0"),
                      const QString &system = QStringLiteral("multi-collection"))
{
    return QStringLiteral("<?xml version=\"1.0\"?><orvo-palette version=\"%1\" system=\"%2\">"
                          "<description>Mine</description><chips>%3</chips></orvo-palette>")
        .arg(version, system, chips)
        .toUtf8();
}

QString entryChip(int row, int col, const PaletteFixtureChip &chip, const QString &code)
{
    return QStringLiteral("<chip row=\"%1\" col=\"%2\"><entry uuid-of-collection=\"%3\" "
                          "page-index=\"%4\" row-index=\"%5\" color-code=\"%6\"/></chip>")
        .arg(row)
        .arg(col)
        .arg(chip.collection.toString())
        .arg(chip.pageIndex)
        .arg(chip.rowIndex)
        .arg(code);
}

} // namespace

class TestPaletteFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void savedFilesAreByteExact();
    void savedFilesLoadBack();
    void savingReportsWhatCannotBeWritten();
    void versionsAndSystems_data();
    void versionsAndSystems();
    void chips_data();
    void chips();
    void readingFiles();

private:
    PaletteModel threeChips() const;

    std::unique_ptr<PaletteFixture> m_fixture;
    QTemporaryDir m_folder;
};

void TestPaletteFile::initTestCase()
{
    m_fixture = std::make_unique<PaletteFixture>();
}

// Three chips that save, and two cells that are left out: a chip that no longer exists and one
// whose page is gone.
PaletteModel TestPaletteFile::threeChips() const
{
    PaletteModel palette;
    palette.setDescription(QStringLiteral("Kitchen & hall <north>"));
    palette.setEntry({1, 0}, m_fixture->harbourBlue.index());
    palette.setEntry({5, 0}, m_fixture->quayGreen.index());
    palette.setEntry({0, 2}, m_fixture->harbourRed.index());
    palette.setEntry({4, 3}, {PaletteFixture::Harbour, m_fixture->harbourRed.pageId, 999});
    palette.setEntry({2, 3}, {PaletteFixture::Harbour, 999, m_fixture->harbourGrey.rowId});
    return palette;
}

void TestPaletteFile::savedFilesAreByteExact()
{
    QCOMPARE(paletteFileBytes(threeChips(), PaletteXmlFile), golden("three-chips.palette"));
    QCOMPARE(paletteFileBytes(PaletteModel(), PaletteXmlFile), golden("empty.palette"));
    // Each chip is named after its own collection, although both share the numeric ID.
    QCOMPARE(paletteFileBytes(threeChips(), PaletteTextFile),
             QByteArray("\xEF\xBB\xBFHarbour : H-102\nQuay : Q-7\nHarbour : H-101\n"));
    QCOMPARE(paletteFileBytes(threeChips(), PaletteFileFormat(2)), QByteArray());
}

void TestPaletteFile::savedFilesLoadBack()
{
    const QString path = m_folder.filePath(QStringLiteral("round trip.palette"));
    QVERIFY(savePaletteFile(threeChips(), PaletteXmlFile, path));
    const PaletteFileRead read = readPaletteFile(path);
    QVERIFY(read.opened);
    QVERIFY2(read.palette, qPrintable(read.reason));
    PaletteModel expected = threeChips();
    expected.setEntry({4, 3}, {});
    expected.setEntry({2, 3}, {});
    QCOMPARE(*read.palette, expected);
}

void TestPaletteFile::savingReportsWhatCannotBeWritten()
{
    const QString kept = m_folder.filePath(QStringLiteral("kept.palette"));
    QVERIFY(savePaletteFile(threeChips(), PaletteXmlFile, kept));
    QString reason;
    QVERIFY(!savePaletteFile(threeChips(), PaletteFileFormat(7), kept, &reason));
    QVERIFY(!reason.isEmpty());
    QFile keptFile(kept);
    QVERIFY(keptFile.open(QIODevice::ReadOnly));
    QCOMPARE(keptFile.readAll(), golden("three-chips.palette"));

    reason.clear();
    const QString gone = m_folder.filePath(QStringLiteral("gone/folder/mine.palette"));
    QVERIFY(!savePaletteFile(threeChips(), PaletteTextFile, gone, &reason));
    QVERIFY(!reason.isEmpty());
    QVERIFY(!QFile::exists(gone));
}

void TestPaletteFile::versionsAndSystems_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("accepted");

    const QString chip = entryChip(
        0, 0, PaletteFixtureChip {PaletteFixture::Harbour, 0, 0, 3, 2, "H-102", {}}, "H-102");
    QTest::newRow("3.0") << paletteXml(chip) << true;
    QTest::newRow("3 and a minor that is no number") << paletteXml(chip, "3.x") << true;
    QTest::newRow("system ignores case") << paletteXml(chip, "3.0", "Multi-Collection") << true;
    QTest::newRow("3.1") << paletteXml(chip, "3.1") << false;
    QTest::newRow("bare 3") << paletteXml(chip, "3") << false;
    QTest::newRow("4.0") << paletteXml(chip, "4.0") << false;
    QTest::newRow("3.0.0") << paletteXml(chip, "3.0.0") << false;
    QTest::newRow("3.0 of one collection") << paletteXml(chip, "3.0", "HARBOUR") << false;
    QTest::newRow("2.0 of an installed collection")
        << paletteXml("<chip row=\"0\" col=\"0\">H-102</chip>", "2.0", "harbour") << true;
    QTest::newRow("2.0 of a collection not installed")
        << paletteXml("<chip row=\"0\" col=\"0\">H-102</chip>", "2.0", "LAKE") << false;
    QTest::newRow("no system") << QByteArray("<orvo-palette version=\"3.0\"/>") << false;
    QTest::newRow("other root") << QByteArray(
        "<palette version=\"3.0\" system=\"multi-collection\"/>")
                                << false;
    QTest::newRow("not XML") << QByteArray("ItemIndex(1,2,3)") << false;
    QTest::newRow("truncated") << paletteXml(chip).left(120) << false;
    QTest::newRow("document type with entities") << QByteArray(
        "<!DOCTYPE orvo-palette [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;\">]>"
        "<orvo-palette version=\"3.0\" system=\"multi-collection\">"
        "<description>&b;</description></orvo-palette>")
                                                 << false;
    QTest::newRow("external entity")
        << QByteArray("<!DOCTYPE orvo-palette [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
                      "<orvo-palette version=\"3.0\" system=\"multi-collection\">"
                      "<description>&x;</description></orvo-palette>")
        << false;
}

void TestPaletteFile::versionsAndSystems()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);
    QString reason;
    const std::optional<PaletteModel> palette = parsePaletteFile(bytes, &reason);
    QCOMPARE(bool(palette), accepted);
    QCOMPARE(reason.isEmpty(), accepted);
    if (accepted) {
        QCOMPARE(palette->entry({0, 0}), m_fixture->harbourBlue.index());
        QCOMPARE(palette->description(), QStringLiteral("Mine"));
    }
}

void TestPaletteFile::chips_data()
{
    QTest::addColumn<QString>("chips");
    QTest::addColumn<QPoint>("cell");
    QTest::addColumn<QString>("expectedCode");

    const PaletteFixtureChip &red = m_fixture->harbourRed;
    const PaletteFixtureChip &green = m_fixture->quayGreen;
    QTest::newRow("code in other letter case")
        << entryChip(1, 2, red, "h-101") << QPoint(2, 1) << "H-101";
    QTest::newRow("other code") << entryChip(1, 2, red, "H-102") << QPoint(2, 1) << "";
    QTest::newRow("row 4 is outside") << entryChip(4, 2, red, "H-101") << QPoint(2, 3) << "";
    QTest::newRow("column 6 is outside") << entryChip(1, 6, red, "H-101") << QPoint(5, 1) << "";
    QTest::newRow("missing position reads as 0")
        << entryChip(0, 0, green, "Q-7").remove("row=\"0\" col=\"0\"") << QPoint(0, 0) << "Q-7";
    QTest::newRow("later chip wins")
        << entryChip(3, 5, red, "H-101") + entryChip(3, 5, green, "Q-7") << QPoint(5, 3) << "Q-7";
    QTest::newRow("later chip that fails does not")
        << entryChip(3, 5, red, "H-101") + entryChip(3, 5, green, "Q-9") << QPoint(5, 3) << "H-101";
    QTest::newRow("unknown collection")
        << entryChip(0, 0, red, "H-101")
               .replace(red.collection.toString(), QUuid::createUuid().toString())
        << QPoint(0, 0) << "";
    QTest::newRow("text instead of an entry")
        << "<chip row=\"0\" col=\"0\">H-101</chip>" << QPoint(0, 0) << "";
}

void TestPaletteFile::chips()
{
    QFETCH(QString, chips);
    QFETCH(QPoint, cell);
    QFETCH(QString, expectedCode);
    const std::optional<PaletteModel> palette = parsePaletteFile(paletteXml(chips));
    QVERIFY(palette);
    const QList<PaletteFixtureChip> all {m_fixture->harbourRed, m_fixture->harbourBlue,
                                         m_fixture->harbourGrey, m_fixture->quayGreen,
                                         m_fixture->quayRed};
    QString code;
    for (const PaletteFixtureChip &chip : all) {
        if (palette->entry(cell) == chip.index())
            code = chip.code;
    }
    QCOMPARE(code, expectedCode);
    QCOMPARE(palette->filledCells().size(), expectedCode.isEmpty() ? 0 : 1);
}

void TestPaletteFile::readingFiles()
{
    const QString readOnly = m_folder.filePath(QStringLiteral("read-only.palette"));
    QVERIFY(savePaletteFile(threeChips(), PaletteXmlFile, readOnly));
    QVERIFY(QFile::setPermissions(readOnly, QFileDevice::ReadOwner));
    QVERIFY(readPaletteFile(readOnly).palette);

    const PaletteFileRead missing = readPaletteFile(m_folder.filePath(QStringLiteral("none")));
    QVERIFY(!missing.opened);
    QVERIFY(!missing.reason.isEmpty());

    const QString large = m_folder.filePath(QStringLiteral("large.palette"));
    QFile file(large);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(paletteXml(QString(MaximumPaletteFileSize, u' ')));
    file.close();
    const PaletteFileRead refused = readPaletteFile(large);
    QVERIFY(refused.opened);
    QVERIFY(!refused.palette);
    QVERIFY(!refused.reason.isEmpty());
}

QTEST_GUILESS_MAIN(TestPaletteFile)
#include "tst_palettefile.moc"
