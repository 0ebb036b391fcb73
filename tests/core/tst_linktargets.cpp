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
    void onlyWebLinksAndHelpDocumentsOpen_data();
    void onlyWebLinksAndHelpDocumentsOpen();

private:
    QTemporaryDir m_root;
    QString m_module;
};

void TestLinkTargets::initTestCase()
{
    m_module = QDir(m_root.path()).filePath(QStringLiteral("module"));
    QVERIFY(QDir().mkpath(m_module + QStringLiteral("/help")));
    for (const char *name : {"help/main.html", "help/guide.PDF", "help/run.sh", "help/notes.txt"})
        QVERIFY(QFile(QDir(m_module).filePath(QLatin1String(name))).open(QIODevice::WriteOnly));
    QFile outside(QDir(m_root.path()).filePath(QStringLiteral("outside.html")));
    QVERIFY(outside.open(QIODevice::WriteOnly));
    QVERIFY(QFile::link(outside.fileName(), m_module + QStringLiteral("/help/escape.html")));
}

// The header link opens only as a web link; the help link also as a document in the module's
// folder. "opened" is the URL handed to the opener, relative to the module's folder.
void TestLinkTargets::onlyWebLinksAndHelpDocumentsOpen_data()
{
    QTest::addColumn<bool>("help");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("opened");
    const auto row = [](const char *name, bool help, const char *link, const char *opened) {
        QTest::newRow(name) << help << QString(link) << QString(opened);
    };
    row("https", false, "https://www.example.com/deck", "https://www.example.com/deck");
    row("http in capitals", false, "HTTP://example.com", "http://example.com");
    row("local file", false, "file:///etc/shadow", "");
    row("no host", false, "https:///path", "");
    row("other scheme", false, "smb://server/share/setup.exe", "");
    row("script", false, "javascript:alert(1)", "");
    row("help document", true, "file:///%APP%/help/main.html", "help/main.html");
    row("help pdf", true, "file:///%APP%/help/guide.PDF", "help/guide.PDF");
    row("help on the web", true, "https://example.com/help", "https://example.com/help");
    row("climbing out", true, "%APP%/../../../../../../bin/sh", "");
    row("out and back", true, "file:///%APP%/help/../../module/help/main.html", "");
    row("executable", true, "file:///%APP%/help/run.sh", "");
    row("not a document", true, "file:///%APP%/help/notes.txt", "");
    row("missing", true, "file:///%APP%/help/none.html", "");
    row("symbolic link leading out", true, "file:///%APP%/help/escape.html", "");
    row("another folder", true, "file:///etc/passwd", "");
}

void TestLinkTargets::onlyWebLinksAndHelpDocumentsOpen()
{
    QFETCH(bool, help);
    QFETCH(QString, link);
    QFETCH(QString, opened);
    const QUrl url = help ? LinkTargets::helpLink(link, m_module) : LinkTargets::webLink(link);
    const QUrl expected = opened.isEmpty() || opened.contains(u':')
        ? QUrl(opened)
        : QUrl::fromLocalFile(QDir(m_module).canonicalPath() + u'/' + opened);
    QCOMPARE(url, expected);
}

QTEST_GUILESS_MAIN(TestLinkTargets)
#include "tst_linktargets.moc"
