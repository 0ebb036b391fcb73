#include "core/usersettings.h"
#include "support/fixturedatabase.h"
#include "widgets/searchwidget.h"

#include <QCompleter>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Sorven;

namespace {

const QUuid Named {QStringLiteral("{4c5d6e7f-8091-4a2b-bc3d-4e5f60718293}")};
const QUuid Unnamed {QStringLiteral("{9e8d7c6b-5a49-4382-a716-150f4e3d2c1b}")};

} // namespace

class TestSearchWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        FixtureDatabase fixture(QStringLiteral("search.db"));
        const qint64 named
            = fixture.addCollection(Named, QStringLiteral("N"), QStringLiteral("Named"), 1);
        const qint64 page = fixture.addPage(named, 1, 1, QStringLiteral("Harbour"));
        fixture.addRow(named, page, 1, QStringLiteral("H-1"), Qt::red, QStringLiteral("Rose"));
        const qint64 unnamed
            = fixture.addCollection(Unnamed, QStringLiteral("U"), QStringLiteral("Unnamed"), 2);
        fixture.addPage(unnamed, 1, 1, QStringLiteral(""));
        resetDatabaseLayer();
    }

    void init()
    {
        UserSettings::setLastUsedCollection(Named);
        m_bar = std::make_unique<SearchWidget>();
        m_bar->show();
        QVERIFY(QTest::qWaitForWindowActive(m_bar.get()));
        m_bar->phraseEdit()->setFocus();
    }

    void cleanup() { m_bar.reset(); }

    void returnSearchesForTheUpperCaseTrimmedPhrase_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("phrase");
        QTest::newRow("lower case") << "h-1"
                                    << "H-1"
                                    << "H-1";
        QTest::newRow("surrounding spaces") << "  blue sky "
                                            << "  BLUE SKY "
                                            << "BLUE SKY";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
    }

    void returnSearchesForTheUpperCaseTrimmedPhrase()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, phrase);
        QSignalSpy spy(m_bar.get(), &SearchWidget::searchForPhrase);
        QTest::keyClicks(m_bar->phraseEdit(), typed);
        QCOMPARE(m_bar->phraseEdit()->text(), shown);
        QTest::keyClick(m_bar->phraseEdit(), Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), phrase);
        QVERIFY(m_bar->phraseEdit()->text().isEmpty());
        QVERIFY(m_bar->hasFocus());
    }

    void escapeClearsWithoutSearching()
    {
        QSignalSpy spy(m_bar.get(), &SearchWidget::searchForPhrase);
        QTest::keyClicks(m_bar->phraseEdit(), QStringLiteral("rose"));
        QTest::keyClick(m_bar->phraseEdit(), Qt::Key_Escape);
        QVERIFY(m_bar->phraseEdit()->text().isEmpty());
        QVERIFY(m_bar->hasFocus());
        QCOMPARE(spy.count(), 0);
        // Without focus and text the editor shows its placeholder in italics.
        QVERIFY(m_bar->phraseEdit()->font().italic());
    }

    void completionFollowsTheCollection()
    {
        QTest::keyClicks(m_bar->phraseEdit(), QStringLiteral("h"));
        QCOMPARE(m_bar->phraseEdit()->text(), QStringLiteral("H-1"));
        QCOMPARE(m_bar->phraseEdit()->completer()->completionMode(), QCompleter::InlineCompletion);
        m_bar->selectedCollectionChanged(Unnamed);
        QCOMPARE(m_bar->phraseEdit()->completer(), nullptr);
    }

private:
    std::unique_ptr<SearchWidget> m_bar;
};

QTEST_MAIN(TestSearchWidget)
#include "tst_searchwidget.moc"
