#include "core/usersettings.h"
#include "host/colorbookhost.h"
#include "palette/colorbookexport.h"
#include "palette/mypalettewidget.h"
#include "support/messageboxanswer.h"
#include "support/palettefixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Sorven;

namespace {

struct DialogCall
{
    QString caption;
    QString folder;
    QString filter;
};

struct FakeHost : ColorBookHost
{
    bool acceptsExport() const override { return accepts; }
    QStringList colorBookFolders() const override { return folders; }

    bool accepts = true;
    QStringList folders {QStringLiteral("/first/books"), QStringLiteral("/second/books")};
};

} // namespace

class TestColorBookExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void runsOnlyWhenTheHostAndThePaletteAllowIt();
    void asksInTheProfilesLastFolderAndWrites();
    void failedWriteSaysSo();

private:
    void fillPalette();
    bool exportTo(const QString &path);

    std::unique_ptr<PaletteFixture> m_fixture;
    std::unique_ptr<MyPaletteWidget> m_palette;
    QTemporaryDir m_folder;
    QList<DialogCall> m_dialogs;
    FakeHost m_host;
};

void TestColorBookExport::initTestCase()
{
    m_fixture = std::make_unique<PaletteFixture>();
    UserSettings::setLastUsedCollection(PaletteFixture::Harbour);
    fillPalette();
}

void TestColorBookExport::fillPalette()
{
    UserSettings::setMyPaletteEntry({0, 0}, m_fixture->harbourBlue.index());
    UserSettings::setMyPaletteEntry({1, 0}, m_fixture->quayGreen.index());
    m_palette = std::make_unique<MyPaletteWidget>();
}

bool TestColorBookExport::exportTo(const QString &path)
{
    return exportColorBook(*m_palette, m_palette.get(), m_host,
                           [this, path](QWidget *, const QString &caption, const QString &folder,
                                        const QString &filter) {
                               m_dialogs.append({caption, folder, filter});
                               return path;
                           });
}

void TestColorBookExport::runsOnlyWhenTheHostAndThePaletteAllowIt()
{
    const QString path = m_folder.filePath(QStringLiteral("not.acb"));
    m_host.accepts = false;
    QVERIFY(!exportTo(path));
    m_host.accepts = true;

    UserSettings::setMyPaletteEntry({0, 0}, {});
    UserSettings::setMyPaletteEntry({1, 0}, {});
    m_palette = std::make_unique<MyPaletteWidget>();
    QVERIFY(!exportTo(path));
    QVERIFY(m_dialogs.isEmpty());
    QVERIFY(!QFile::exists(path));
    fillPalette();
}

void TestColorBookExport::asksInTheProfilesLastFolderAndWrites()
{
    const QString path = m_folder.filePath(QStringLiteral("Mine.acb"));
    QVERIFY(exportTo(path));
    QCOMPARE(m_dialogs.size(), 1);
    QCOMPARE(m_dialogs[0].folder, QStringLiteral("/second/books"));
    QCOMPARE(m_dialogs[0].caption, QStringLiteral("autocad.createcolorbook.dialog.caption"));
    QCOMPARE(m_dialogs[0].filter, QStringLiteral("autocad.createcolorbook.dialog.filter (*.acb)"));
    QFile book(path);
    QVERIFY(book.open(QIODevice::ReadOnly));
    const QByteArray xml = book.readAll();
    QVERIFY(xml.contains("<bookName>Mine.acb</bookName>"));
    QVERIFY(xml.contains("<colorName>H-102</colorName>"));
    QVERIFY(xml.contains("<colorName>Q-7 - QX</colorName>"));

    m_dialogs.clear();
    QVERIFY(!exportTo(QString()));
    QCOMPARE(m_dialogs.size(), 1);
}

void TestColorBookExport::failedWriteSaysSo()
{
    const QString path = m_folder.filePath(QStringLiteral("gone/Mine.acb"));
    QString said;
    acceptNextMessageBox(said);
    QVERIFY(!exportTo(path));
    QVERIFY2(said.contains(path), qPrintable(said));
    // The fixture lacks the text; the built-in one stands in for the key.
    QVERIFY(said.contains(QStringLiteral("The colour book could not be written.")));
}

QTEST_MAIN(TestColorBookExport)
#include "tst_colorbookexport.moc"
