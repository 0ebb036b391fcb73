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
        other.addRow(otherId, other.addPage(otherId, 1, 1, QStringLiteral("E1")), 1,
                     QStringLiteral("VX 100"), QColor(3, 3, 3));
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
        const qint64 harbourPage = fixture.addPage(harbour, 1, 1, QStringLiteral("H1"));
        fixture.addRow(harbour, harbourPage, 1, QStringLiteral("VX 100"), QColor(10, 20, 30));
        fixture.addRow(harbour, harbourPage, 2, QStringLiteral("VX 200"), QColor(40, 50, 60),
                       QStringLiteral("Mist"));
        // Neither code nor name: an empty measured name must not find it.
        fixture.addRow(harbour, harbourPage, 3, QString(), QColor(1, 1, 1));
        const qint64 quayPage = fixture.addPage(quay, 1, 1, QStringLiteral("Q1"));
        fixture.addRow(quay, quayPage, 1, QStringLiteral("VX 100"), QColor(70, 80, 90));
        fixture.addRow(quay, quayPage, 2, QStringLiteral("Ωμέγα 7"), QColor(5, 6, 7),
                       QStringLiteral("青磁"));
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
            {Quay, QStringLiteral("Quay"), chip, chip.code},
            {Harbour, QStringLiteral("Harbour"), chip, chip.code}};
        QCOMPARE(codes(capsureChoices(candidates)), QStringList {"VX 7 (Quay)"});
    }

    void tellsWhyAFileIsIgnored_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no names") << withDefaultNamespace("") << "no measured object with a name";
        QTest::newRow("no match") << withDefaultNamespace("<Object Name='VX 999'/>")
                                  << "no chip matches a measured name";
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
