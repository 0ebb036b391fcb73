#include "db/connections.h"
#include "db/search.h"
#include "palette/capsureimport.h"
#include "support/fixturedatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <libxml/xmlerror.h>

using namespace Sorven;

Q_DECLARE_METATYPE(Sorven::MeasuredColor)

namespace {

const QUuid Harbour {QStringLiteral("{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}")};
const QUuid Quay {QStringLiteral("{a1b2c3d4-e5f6-4a7b-8c9d-0e1f2a3b4c5d}")};
const QUuid Kiln {QStringLiteral("{0f1e2d3c-4b5a-4968-8776-655443322110}")};
// In a file of its own, listed first, under the same numeric collection ID as Harbour.
const QUuid Elsewhere {QStringLiteral("{13579bdf-2468-4ace-9bdf-0123456789ab}")};

const QByteArray Prefixed
    = "<?xml version='1.0' encoding='UTF-8'?>"
      "<cc:CxF "
      "xmlns:cc='http://colorexchangeformat.com/CxF3-core'><cc:Resources><cc:ObjectCollection>"
      "<cc:Object ObjectType='Standard' Name='VX 100' Id='a'/><cc:Object Name='Mist' Id='b'/>"
      "</cc:ObjectCollection></cc:Resources></cc:CxF>";

QByteArray withDefaultNamespace(const QByteArray &objects)
{
    return "<CxF xmlns='http://colorexchangeformat.com/CxF3-core'><Resources>" + objects
        + "</Resources></CxF>";
}

void countMessage(void *counter, const char *, ...)
{
    ++*static_cast<int *>(counter);
}

void setLab(FixtureDatabase &fixture, qint64 row, const LabColor &lab)
{
    fixture.exec(QStringLiteral(R"(UPDATE "ROW" SET L = ?, A = ?, B = ? WHERE ID = ?)"),
                 {lab.l, lab.a, lab.b, row});
}

// An object with colour values: CIELab under named measurement conditions, or sRGB.
QByteArray labObject(const char *name, const char *conditions, const char *lab)
{
    return QByteArray("<Object Name='") + name + "'><ColorValues><ColorCIELab ColorSpecification='"
        + conditions + "'>" + lab + "</ColorCIELab></ColorValues></Object>";
}

QByteArray conditions(const char *id, const char *illuminant, const char *observer)
{
    return QByteArray("<ColorSpecification Id='") + id + "'><TristimulusSpec>" + illuminant
        + "<Observer>" + observer
        + "</Observer><Method>E308_Table5</Method></TristimulusSpec>"
          "</ColorSpecification>";
}

QStringList codes(const QList<CapsureCandidate> &candidates)
{
    QStringList texts;
    for (const CapsureCandidate &candidate : candidates)
        texts << candidate.text;
    return texts;
}

} // namespace

class TestCapsureImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        FixtureDatabase other(QStringLiteral("0-other.db"));
        other.exec(QStringLiteral("DELETE FROM COLLECTION WHERE UUID = ?"),
                   {DB::SystemWideCollectionUuid.toString()});
        const qint64 otherId = other.addCollection(Elsewhere, "ELS", "Elsewhere", 9);
        other.addSetting(otherId, QStringLiteral("capsure.enabled"), 1);
        other.addSetting(otherId, QStringLiteral("capsure.priority"), 3);
        other.addSetting(otherId, QStringLiteral("row.name.search.order"), 0);
        // Close to the colours below, yet outside the default interval.
        setLab(other,
               other.addRow(otherId, other.addPage(otherId, 1, 1, QStringLiteral("E1")), 1,
                            QStringLiteral("VX 100"), QColor(3, 3, 3)),
               {60.5, 10.0, 10.0});
        other.close();

        FixtureDatabase fixture(QStringLiteral("1-main.db"));
        const qint64 harbour = fixture.addCollection(Harbour, "HAR", "Harbour", 1);
        const qint64 quay = fixture.addCollection(Quay, "QUA", "Quay", 2);
        const qint64 kiln = fixture.addCollection(Kiln, "KIL", "Kiln", 3);
        QCOMPARE(harbour, otherId);
        for (const auto &[id, priority] : {std::pair {harbour, 2}, std::pair {quay, 1}}) {
            fixture.addSetting(id, QStringLiteral("capsure.enabled"), 1);
            fixture.addSetting(id, QStringLiteral("capsure.priority"), priority);
        }
        fixture.addSetting(kiln, QStringLiteral("capsure.enabled"), 0);
        fixture.addSetting(kiln, QStringLiteral("capsure.priority"), 0);
        fixture.addSetting(harbour, QStringLiteral("cie2000.delta.intervals"), "3,6");
        fixture.addSetting(quay, QStringLiteral("cie2000.delta.intervals"), "2");
        const qint64 harbourPage = fixture.addPage(harbour, 1, 1, QStringLiteral("H1"));
        setLab(
            fixture,
            fixture.addRow(harbour, harbourPage, 1, QStringLiteral("VX 100"), QColor(10, 20, 30)),
            {60.0, 10.0, 10.0});
        setLab(fixture,
               fixture.addRow(harbour, harbourPage, 2, QStringLiteral("VX 200"), QColor(40, 50, 60),
                              QStringLiteral("Mist")),
               {61.0, 10.0, 10.0});
        // Neither code nor name: an empty measured name must not find it.
        fixture.addRow(harbour, harbourPage, 3, QStringLiteral(""), QColor(1, 1, 1));
        // A fourth chip within the interval, yet farther than three others.
        setLab(fixture,
               fixture.addRow(harbour, harbourPage, 4, QStringLiteral("VX 300"), QColor(2, 2, 2)),
               {62.0, 10.0, 10.0});
        setLab(fixture,
               fixture.addRow(harbour, harbourPage, 5, QStringLiteral("VX 400"), QColor(4, 4, 4)),
               {63.0, 10.0, 10.0});
        const qint64 quayPage = fixture.addPage(quay, 1, 1, QStringLiteral("Q1"));
        setLab(fixture,
               fixture.addRow(quay, quayPage, 1, QStringLiteral("VX 100"), QColor(70, 80, 90)),
               {60.0, 10.0, 10.5});
        // Harbour's interval would take it in; Quay's does not.
        setLab(fixture,
               fixture.addRow(quay, quayPage, 2, QStringLiteral("Ωμέγα 7"), QColor(5, 6, 7),
                              QStringLiteral("青磁")),
               {62.5, 10.0, 10.0});
        const qint64 kilnPage = fixture.addPage(kiln, 1, 1, QStringLiteral("K1"));
        fixture.addRow(kiln, kilnPage, 1, QStringLiteral("VX 100"), QColor(9, 9, 9));
        fixture.addSetting(harbour, QStringLiteral("row.name.search.order"), 0);
        fixture.close();
        resetDatabaseLayer();
        DB::ensureCollectionsEnumerated();
        DB::loadNameOrders(Harbour);
    }

    void readsObjectNamesOfTheCoreNamespace_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("cc prefix") << Prefixed << QStringList {"VX 100", "Mist"};
        QTest::newRow("default namespace")
            << withDefaultNamespace("<Object Name='a'/><Object Name='b'/>")
            << QStringList {"a", "b"};
        QTest::newRow("empty and repeated names kept in document order")
            << withDefaultNamespace("<Object Name=''/><Object Name='a'/><Object Name='a'/>")
            << QStringList {"", "a", "a"};
        QTest::newRow("other scripts")
            << withDefaultNamespace("<Object Name='Ωμέγα 7'/><Object Name='青磁'/>")
            << QStringList {"Ωμέγα 7", "青磁"};
        QTest::newRow("objects outside the namespace are ignored") << QByteArray(
            "<cc:CxF xmlns:cc='http://colorexchangeformat.com/CxF3-core'"
            "                xmlns:x='urn:x'><Object Name='none'/><x:Object Name='other'/>"
            "                <cc:Deep><cc:Object Name='kept'/></cc:Deep></cc:CxF>")
                                                                   << QStringList {"kept"};
        QTest::newRow("another namespace only")
            << QByteArray("<CxF xmlns='http://example.com/CxF3-core'><Object Name='a'/></CxF>")
            << QStringList {};
        QTest::newRow("character references")
            << withDefaultNamespace("<Object Name='A&amp;B&#x20;&#937;'/>")
            << QStringList {"A&B Ω"};
    }

    void readsObjectNamesOfTheCoreNamespace()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QStringList, names);
        const CapsureNames read = parseCapsureNames(xml);
        QCOMPARE(read.error, QString());
        QCOMPARE(read.names, names);
    }

    void refusesHostileOrDamagedFiles_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::newRow("malformed") << withDefaultNamespace("<Object Name=\"a\">");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("entity expansion") << QByteArray(
            "<!DOCTYPE CxF [<!ENTITY a 'aaaaaaaaaa'><!ENTITY b '&a;&a;&a;'>]>"
            "                <CxF xmlns='http://colorexchangeformat.com/CxF3-core'><Object "
            "Name='&b;'/></CxF>");
        QTest::newRow("external entity") << QByteArray(
            "<!DOCTYPE CxF [<!ENTITY x SYSTEM 'file:///etc/passwd'>]>"
            "                <CxF xmlns='http://colorexchangeformat.com/CxF3-core'><Object "
            "Name='&x;'/></CxF>");
        QTest::newRow("parameter entity") << QByteArray(
            "<!DOCTYPE CxF [<!ENTITY % p SYSTEM 'http://127.0.0.1:9/x.dtd'> %p;]>"
            "                <CxF xmlns='http://colorexchangeformat.com/CxF3-core'/>");
        QTest::newRow("broken encoding")
            << QByteArray("<?xml version='1.0' encoding='ISO-2022-JP'?><a>\x1b$B\xff\xff</a>");
        QTest::newRow("too large")
            << withDefaultNamespace("<Object Name=\"a\"/>" + QByteArray(CapsureFileSizeLimit, ' '));
        QTest::newRow("more objects than a measurement has") << withDefaultNamespace(
            QByteArray("<Object Name='VX 100'/>").repeated(CapsureObjectLimit + 1));
    }

    void refusesHostileOrDamagedFiles()
    {
        QFETCH(QByteArray, xml);
        // The refusal is the message; libxml2 must not also print to standard error, and the
        // process-wide handler is left as it was.
        int messages = 0;
        xmlSetGenericErrorFunc(&messages, countMessage);
        const CapsureNames read = parseCapsureNames(xml);
        QCOMPARE(messages, 0);
        QVERIFY(xmlGenericError == countMessage);
        xmlSetGenericErrorFunc(nullptr, nullptr);
        QVERIFY(!read.error.isEmpty());
        QCOMPARE(read.names, QStringList());
    }

    void readsAReadOnlyFile()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("m.cxf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Prefixed);
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner));
        QCOMPARE(readCapsureNames(path).names, QStringList({"VX 100", "Mist"}));
        QVERIFY(!readCapsureNames(folder.filePath(QStringLiteral("missing.cxf"))).error.isEmpty());
    }

    void matchesByPriorityWithinTheSharedFile_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<QList<QUuid>>("collections");
        QTest::newRow("a code in three collections of two files, by priority")
            << QStringList {"VX 100"}
            << QStringList {"VX 100 (Quay)", "VX 100 (Harbour)", "VX 100 (Elsewhere)"}
            << QList<QUuid> {Quay, Harbour, Elsewhere};
        QTest::newRow("names of later objects still sort by priority")
            << QStringList {"mist", "vx 100"}
            << QStringList {"VX 100 (Quay)", "VX 200 (Harbour)", "VX 100 (Harbour)",
                            "VX 100 (Elsewhere)"}
            << QList<QUuid> {Quay, Harbour, Harbour, Elsewhere};
        QTest::newRow("one collection shows bare codes, a repeated name once")
            << QStringList {"Mist", "", "MIST"} << QStringList {"VX 200"} << QList<QUuid> {Harbour};
        QTest::newRow("a name in another script")
            << QStringList {"青磁"} << QStringList {"Ωμέγα 7"} << QList<QUuid> {Quay};
        QTest::newRow("an empty name finds nothing")
            << QStringList {""} << QStringList {} << QList<QUuid> {};
    }

    void matchesByPriorityWithinTheSharedFile()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, offered);
        QFETCH(QList<QUuid>, collections);
        const QList<CapsureCandidate> choices = capsureChoices(matchCapsureNames(names));
        QCOMPARE(codes(choices), offered);
        QList<QUuid> found;
        for (const CapsureCandidate &choice : choices)
            found << choice.collection;
        QCOMPARE(found, collections);
    }

    void aChipMappedTwiceIsOfferedOnce()
    {
        DB::ColorEntry chip;
        chip.id = 7;
        chip.code = QStringLiteral("VX 7");
        const QList<CapsureCandidate> candidates {
            {Quay, QStringLiteral("Quay"), chip, chip.code, std::nullopt},
            {Harbour, QStringLiteral("Harbour"), chip, chip.code, std::nullopt}};
        QCOMPARE(codes(capsureChoices(candidates)), QStringList {"VX 7 (Quay)"});
    }

    // Values a test can check by hand: white stays white under any white, D65/2° values pass
    // unchanged, and the D50 value is the one Little CMS gives for the same Bradford adaptation.
    void readsMeasuredColours_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<double>>("labs");
        const QByteArray lab = "<L>50</L><A>20</A><B>-30</B>";
        const QByteArray d50 = conditions("s", "<Illuminant>D50</Illuminant>", "2_Degree");
        QTest::newRow("D65/2° as it stands")
            << withDefaultNamespace(labObject("a", "s", lab)
                                    + conditions("s", "<Illuminant>D65</Illuminant>", "2_Degree"))
            << QStringList {"a"} << QList<double> {50.0, 20.0, -30.0};
        QTest::newRow("D50/2° adapted, the conditions after the objects")
            << withDefaultNamespace(labObject("a", "s", lab) + d50) << QStringList {"a"}
            << QList<double> {50.2515, 22.9107, -29.8159};
        QTest::newRow("white given in the file, at any scale")
            << withDefaultNamespace(labObject("w", "s", "<L>100</L><A>0</A><B>0</B>")
                                    + conditions("s",
                                                 "<Illuminant X='98.1' Y='100' "
                                                 "Z='70.2'>Custom</Illuminant>",
                                                 "Custom_CMF"))
            << QStringList {"w"} << QList<double> {100.0, 0.0, 0.0};
        QTest::newRow("sRGB of 255 or of a range of its own") << withDefaultNamespace(
            "<Object Name='r'><ColorValues><ColorSRGB ColorSpecification='x'><R>255</R>"
            "<G>255</G><B>255</B></ColorSRGB></ColorValues></Object>"
            "<Object Name='m'><ColorValues><ColorSRGB ColorSpecification='x'>"
            "<MaxRange>1000</MaxRange><R>0</R><G>0</G><B>0</B></ColorSRGB></ColorValues>"
            "</Object>") << QStringList {"r", "m"} << QList<double> {100.0, 0.0, 0.0,
                                                                     0.0,   0.0, 0.0};
        QTest::newRow("sRGB when the white of the CIELab value is unknown")
            << withDefaultNamespace(
                   "<Object Name='u'><ColorValues><ColorCIELab ColorSpecification='c'>" + lab
                   + "</ColorCIELab><ColorSRGB ColorSpecification='c'><R>0</R><G>0</G><B>0</B>"
                     "</ColorSRGB></ColorValues></Object>"
                   + conditions("c", "<Illuminant>TL84</Illuminant>", "2_Degree"))
            << QStringList {"u"} << QList<double> {0.0, 0.0, 0.0};
        QTest::newRow("objects without a usable value are left out") << withDefaultNamespace(
            labObject("undeclared", "none", lab)
            + labObject("nan", "s", "<L>NaN</L><A>0</A><B>0</B>")
            + labObject("text", "s", "<L>pale</L><A>0</A><B>0</B>")
            + "<Object Name='over'><ColorValues><ColorSRGB ColorSpecification='s'>"
              "<R>256</R><G>0</G><B>0</B></ColorSRGB></ColorValues></Object>"
              "<Object Name='bare'/>"
            + d50) << QStringList {} << QList<double> {};
        QTest::newRow("an object without a name keeps its colour")
            << QByteArray("<cc:CxF xmlns:cc='http://colorexchangeformat.com/CxF3-core'><cc:Object>"
                          "<cc:ColorValues><cc:ColorSRGB ColorSpecification='x'><cc:R>0</cc:R>"
                          "<cc:G>0</cc:G><cc:B>0</cc:B></cc:ColorSRGB></cc:ColorValues></cc:Object>"
                          "</cc:CxF>")
            << QStringList {""} << QList<double> {0.0, 0.0, 0.0};
    }

    void readsMeasuredColours()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QStringList, names);
        QFETCH(QList<double>, labs);
        const CapsureNames read = parseCapsureNames(xml);
        QCOMPARE(read.error, QString());
        QStringList found;
        for (qsizetype i = 0; i < read.colors.size(); ++i) {
            const MeasuredColor &color = read.colors[i];
            found << color.name;
            const LabColor expected {labs[3 * i], labs[3 * i + 1], labs[3 * i + 2]};
            // sRGB's rounded matrix leaves white a hundredth off neutral.
            QVERIFY2(qAbs(color.lab.l - expected.l) < 0.02 && qAbs(color.lab.a - expected.a) < 0.02
                         && qAbs(color.lab.b - expected.b) < 0.02,
                     qPrintable(color.name));
        }
        QCOMPARE(found, names);
    }

    void matchesUnnamedColoursByValue_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<MeasuredColor>>("colors");
        QTest::addColumn<QStringList>("offered");
        const LabColor wall {60.0, 10.0, 10.0};
        QTest::newRow("three nearest per collection within its first interval, by priority")
            << QStringList {"Wall"} << QList<MeasuredColor> {{"Wall", wall}}
            << QStringList {"VX 100 (Quay, ΔE 0.4)", "VX 100 (Harbour, ΔE 0.0)",
                            "VX 200 (Harbour, ΔE 0.9)", "VX 300 (Harbour, ΔE 1.7)"};
        QTest::newRow("a name that matches keeps its object from the search by value")
            << QStringList {"Mist"} << QList<MeasuredColor> {{"Mist", {20.0, 0.0, 0.0}}}
            << QStringList {"VX 200"};
        QTest::newRow("name matches first, a chip listed once")
            << QStringList {"Mist", ""}
            << QList<MeasuredColor> {{"Mist", wall}, {"", {61.0, 10.0, 10.0}}}
            << QStringList {"VX 200 (Harbour)", "VX 100 (Quay, ΔE 1.0)", "Ωμέγα 7 (Quay, ΔE 1.3)",
                            "VX 300 (Harbour, ΔE 0.9)", "VX 100 (Harbour, ΔE 0.9)"};
        QTest::newRow("one collection in reach: code and difference, none beyond the interval")
            << QStringList {} << QList<MeasuredColor> {{"", {65.0, 10.0, 10.0}}}
            << QStringList {"VX 400 (ΔE 1.7)", "VX 300 (ΔE 2.5)"};
        QTest::newRow("nothing within reach")
            << QStringList {} << QList<MeasuredColor> {{"", {90.0, -40.0, 5.0}}} << QStringList {};
    }

    void matchesUnnamedColoursByValue()
    {
        QFETCH(QStringList, names);
        QFETCH(QList<MeasuredColor>, colors);
        QFETCH(QStringList, offered);
        QCOMPARE(codes(capsureChoices(matchCapsureMeasurements({names, colors, {}}))), offered);
    }

    void tellsWhyAFileIsIgnored_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no names") << withDefaultNamespace("")
                                  << "no measured object with a name or a colour";
        QTest::newRow("no match") << withDefaultNamespace("<Object Name='VX 999'/>")
                                  << "no chip matches a measured name or colour";
        QTest::newRow("no match by colour either")
            << withDefaultNamespace(labObject("VX 999", "s", "<L>5</L><A>0</A><B>0</B>")
                                    + conditions("s", "<Illuminant>D65</Illuminant>", "2_Degree"))
            << "no chip matches a measured name or colour";
        QTest::newRow("malformed") << QByteArray("<CxF") << "not well-formed XML";
    }

    void tellsWhyAFileIsIgnored()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("m.cxf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(xml);
        file.close();
        const CapsureMatch match = matchCapsureFile(path);
        QVERIFY2(match.error.endsWith(reason), qPrintable(match.error));
        QVERIFY(match.candidates.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCapsureImport)
#include "tst_capsureimport.moc"
