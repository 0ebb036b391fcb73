#include "core/linktargets.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Sorven;

class TestLinkTargets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void onlyWebLinksOpen_data();
    void onlyWebLinksOpen();
    void helpStaysInTheModulesFolder_data();
    void helpStaysInTheModulesFolder();

private:
    QTemporaryDir m_root;
    QString m_module;
};

void TestLinkTargets::initTestCase()
{
    m_module = QDir(m_root.path()).filePath(QStringLiteral("module"));
    QVERIFY(QDir().mkpath(m_module + QStringLiteral("/help")));
    for (const char *name : {"help/main.html", "help/guide.PDF", "help/run.sh", "help/notes.txt"}) {
        QFile file(QDir(m_module).filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QFile outside(QDir(m_root.path()).filePath(QStringLiteral("outside.html")));
    QVERIFY(outside.open(QIODevice::WriteOnly));
    QVERIFY(QFile::link(outside.fileName(), m_module + QStringLiteral("/help/escape.html")));
}

void TestLinkTargets::onlyWebLinksOpen_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("opened");
    QTest::newRow("https") << "https://www.example.com/deck" << true;
    QTest::newRow("http in capitals") << "HTTP://example.com" << true;
    QTest::newRow("local file") << "file:///etc/shadow" << false;
    QTest::newRow("no host") << "https:///path" << false;
    QTest::newRow("other scheme") << "smb://server/share/setup.exe" << false;
    QTest::newRow("script") << "javascript:alert(1)" << false;
    QTest::newRow("bare path") << "/bin/sh" << false;
    QTest::newRow("empty") << "" << false;
}

void TestLinkTargets::onlyWebLinksOpen()
{
    QFETCH(QString, link);
    QFETCH(bool, opened);
    QCOMPARE(!LinkTargets::webLink(link).isEmpty(), opened);
}

void TestLinkTargets::helpStaysInTheModulesFolder_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("opened");
    QTest::newRow("document in the folder") << "file:///%APP%/help/main.html"
                                            << "help/main.html";
    QTest::newRow("pdf") << "file:///%APP%/help/guide.PDF"
                         << "help/guide.PDF";
    QTest::newRow("web") << "https://example.com/help"
                         << "https://example.com/help";
    QTest::newRow("climbing out") << "%APP%/../../../../../../bin/sh"
                                  << "";
    QTest::newRow("climbing out and back") << "file:///%APP%/help/../../module/help/main.html"
                                           << "";
    QTest::newRow("executable") << "file:///%APP%/help/run.sh"
                                << "";
    QTest::newRow("not a document") << "file:///%APP%/help/notes.txt"
                                    << "";
    QTest::newRow("missing") << "file:///%APP%/help/none.html"
                             << "";
    QTest::newRow("link leading out") << "file:///%APP%/help/escape.html"
                                      << "";
    QTest::newRow("another folder") << "file:///etc/passwd"
                                    << "";
}

void TestLinkTargets::helpStaysInTheModulesFolder()
{
    QFETCH(QString, link);
    QFETCH(QString, opened);
    const QUrl url = LinkTargets::helpLink(link, m_module);
    const QUrl expected = opened.startsWith(QLatin1String("https:")) ? QUrl(opened)
        : opened.isEmpty()                                           ? QUrl()
                           : QUrl::fromLocalFile(QDir(m_module).canonicalPath() + u'/' + opened);
    QCOMPARE(url, expected);
}

QTEST_GUILESS_MAIN(TestLinkTargets)
#include "tst_linktargets.moc"
