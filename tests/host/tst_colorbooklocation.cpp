#include "core/platformpaths.h"
#include "host/colorbooklocation.h"
#include "host/vexacolorbookhost.h"

#include <acdocman.h>
#include <dbapserv.h>
#include <standinhost.h>
#include <windows.h>

#include <QTemporaryDir>
#include <QTest>

using namespace Sorven;

namespace {

// Writes a string value below the host's product key, as the host's profile pages would.
void writeProductValue(const QString &subKey, const QString &name, const QString &value)
{
    const QString path
        = QString::fromWCharArray(acdbHostApplicationServices()->getUserRegistryProductRootKey())
        + u'\\' + subKey;
    HKEY key = nullptr;
    QCOMPARE(RegCreateKeyExW(HKEY_CURRENT_USER, path.toStdWString().c_str(), 0, nullptr, 0,
                             KEY_WRITE, nullptr, &key, nullptr),
             ERROR_SUCCESS);
    const std::wstring text = value.toStdWString();
    QCOMPARE(RegSetValueExW(key, name.isEmpty() ? nullptr : name.toStdWString().c_str(), 0, REG_SZ,
                            reinterpret_cast<LPCBYTE>(text.c_str()),
                            DWORD((text.size() + 1) * sizeof(wchar_t))),
             ERROR_SUCCESS);
    RegCloseKey(key);
}

} // namespace

class TestColorBookLocation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void folders_data();
    void folders();
    void profileFromProfilesKey();
    void exportOnlyIntoAQuiescentDrawing();

private:
    QTemporaryDir m_registry;
    int m_row = 0;
};

// Every case starts from an empty registry of its own.
void TestColorBookLocation::init()
{
    qputenv("VEXA_STANDIN_REGISTRY",
            m_registry.filePath(QStringLiteral("registry-%1.ini").arg(++m_row)).toLocal8Bit());
    qputenv("VEXA_TEST_BOOKS", "/srv/books");
    qputenv("VEXA_TEST_LONG", QByteArray(100, 'x'));
}

void TestColorBookLocation::folders_data()
{
    QTest::addColumn<QString>("location");
    QTest::addColumn<QStringList>("expected");

    const QString documents = Platform::documentsFolder();
    QTest::newRow("no value") << QString() << QStringList {documents};
    QTest::newRow("one folder") << "/data/books" << QStringList {"/data/books"};
    QTest::newRow("two folders, the last one last")
        << "/data/a;/data/b" << QStringList {"/data/a", "/data/b"};
    QTest::newRow("empty parts dropped") << ";;/data/a;;" << QStringList {"/data/a"};
    QTest::newRow("only separators") << ";;" << QStringList {documents};
    QTest::newRow("environment expanded")
        << "%VEXA_TEST_BOOKS%/mine;%VEXA_UNSET_VARIABLE%/x"
        << QStringList {"/srv/books/mine", "%VEXA_UNSET_VARIABLE%/x"};
    QTest::newRow("longer than the value buffer") << QString(600, u'a') << QStringList {documents};
    QTest::newRow("longer than the expansion buffer once expanded")
        << QStringLiteral("%VEXA_TEST_LONG%").repeated(20) << QStringList {documents};
}

void TestColorBookLocation::folders()
{
    QFETCH(QString, location);
    QFETCH(QStringList, expected);
    if (!location.isNull())
        writeProductValue(QStringLiteral("Profiles\\<<Unnamed Profile>>\\General"),
                          QStringLiteral("ColorBookLocation"), location);
    QCOMPARE(Host::colorBookFolders(), expected);
}

// The current profile is the one the "Profiles" key names; other profiles are not read.
void TestColorBookLocation::profileFromProfilesKey()
{
    writeProductValue(QStringLiteral("Profiles"), QString(), QStringLiteral("Drafting"));
    writeProductValue(QStringLiteral("Profiles\\<<Unnamed Profile>>\\General"),
                      QStringLiteral("ColorBookLocation"), QStringLiteral("/unnamed"));
    writeProductValue(QStringLiteral("Profiles\\Drafting\\General"),
                      QStringLiteral("ColorBookLocation"), QStringLiteral("/drafting"));
    QCOMPARE(Host::colorBookFolders(), QStringList {"/drafting"});
}

void TestColorBookLocation::exportOnlyIntoAQuiescentDrawing()
{
    const VexaColorBookHost host;
    AcApDocManager *documents = acDocManagerPtr();
    QVERIFY(host.acceptsExport());
    standInSetQuiescent(documents->curDocument(), false);
    QVERIFY(!host.acceptsExport());
    standInSetQuiescent(documents->curDocument(), true);
    QCOMPARE(documents->closeDocument(documents->curDocument()), Acad::eOk);
    QVERIFY(!host.acceptsExport());
    documents->appContextNewDocument(nullptr);
}

QTEST_GUILESS_MAIN(TestColorBookLocation)
#include "tst_colorbooklocation.moc"
