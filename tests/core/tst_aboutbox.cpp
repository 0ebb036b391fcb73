#include "core/aboutbox.h"
#include "core/usersettings.h"
#include "db/databaselayer.h"
#include "support/fixturedatabase.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

using namespace Sorven;

namespace {

const QUuid Deck(QStringLiteral("{5a0c3d1e-7b2f-4c8d-9e6a-1b2c3d4e5f60}"));

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void versionLine_data();
    void versionLine();
    void showsTheCollectionsTexts();
    void cannotBeResizedAndBlocksTheApplication();
    void iconHasEverySize();
};

void TestAboutBox::initTestCase()
{
    FixtureDatabase fixture(QStringLiteral("about.db"));
    const qint64 id
        = fixture.addCollection(Deck, QStringLiteral("DECK"), QStringLiteral("Deck"), 1);
    fixture.addLocale(id, QStringLiteral("aboutbox.version"), QStringLiteral("Version"));
    fixture.addLocale(id, QStringLiteral("aboutbox.main"), QStringLiteral("Deck Palette"));
    fixture.addLocale(id, QStringLiteral("aboutbox.close.button"), QStringLiteral("Close"));
    fixture.addLocale(id, QStringLiteral("license.copyright"), QStringLiteral("<p>Licences</p>"));
    fixture.close();
    QCOMPARE(DB::initializeDatabaseLayer(QString(), QString()), 0);
    QCOMPARE(UserSettings::lastUsedCollection(), Deck);
}

void TestAboutBox::versionLine_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no product") << QString() << QStringLiteral("Version 4.0.0 (64bit)");
    QTest::newRow("product") << QStringLiteral("Deck")
                             << QStringLiteral("Deck (engine 4.0.0) (64bit)");
}

void TestAboutBox::versionLine()
{
    QFETCH(QString, product);
    QFETCH(QString, expected);
    AboutBox box(nullptr, product);
    QStringList texts;
    for (const QLabel *label : box.findChildren<QLabel *>())
        texts << label->text();
    QVERIFY2(texts.contains(expected), qPrintable(texts.join(u'|')));
}

// Without a logo image the placeholder fills the logo label and the texts still start at 160.
void TestAboutBox::showsTheCollectionsTexts()
{
    AboutBox box(nullptr, QString());
    box.show();
    QLabel *logo = nullptr;
    QLabel *title = nullptr;
    for (QLabel *label : box.findChildren<QLabel *>()) {
        if (!label->pixmap().isNull())
            logo = label;
        if (label->text() == QLatin1String("Deck Palette"))
            title = label;
    }
    QVERIFY(logo && title);
    QCOMPARE(logo->geometry(), QRect(16, 16, 128, 48));
    QCOMPARE(logo->pixmap().size(), QSize(128, 64));
    QCOMPARE(title->pos(), QPoint(160, 16));
    QVERIFY(title->font().bold());
    const auto *licence = box.findChild<QTextEdit *>();
    QVERIFY(licence->isReadOnly());
    QCOMPARE(licence->toPlainText(), QStringLiteral("Licences"));
    QCOMPARE(licence->x(), 160);
    const QList<QPushButton *> buttons = box.findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 2);
    QCOMPARE(buttons.at(0)->width(), buttons.at(1)->width());
    for (const QPushButton *button : buttons)
        QCOMPARE(button->geometry().bottom() + 1, box.height() - 16);
    QCOMPARE(licence->geometry().bottom() + 1, buttons.at(0)->y() - 17);
}

void TestAboutBox::cannotBeResizedAndBlocksTheApplication()
{
    AboutBox box(nullptr, QString());
    QCOMPARE(box.size(), QSize(680, 480));
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QCOMPARE(box.windowModality(), Qt::ApplicationModal);
    QVERIFY(!(box.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(box.windowFlags() & Qt::WindowContextHelpButtonHint));
}

void TestAboutBox::iconHasEverySize()
{
    const QList<QSize> sizes = AboutBox::applicationIcon().availableSizes();
    for (const int size : {16, 32, 48, 64})
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
