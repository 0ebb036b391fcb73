// A maker's database carries the texts every palette reads, not the ones this palette added:
// those must show their built-in English text, never their key.
#include "core/mainwidget.h"
#include "core/usersettings.h"
#include "db/builtintexts.h"
#include "db/lookups.h"
#include "palette/mypalettewidget.h"
#include "support/fixturedatabase.h"
#include "widgets/taskbutton.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Sorven;

namespace {

const QUuid Maker(QStringLiteral("{3f2e1d0c-9b8a-4766-8554-4433221100ff}"));

// The texts of every visible message box, which are then closed.
QStringList closeMessageBoxes()
{
    QStringList texts;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box || !box->isVisible())
            continue;
        texts << box->windowTitle() << box->text() << box->informativeText();
        box->done(QMessageBox::Ok);
    }
    return texts;
}

} // namespace

class TestBuiltInTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        FixtureDatabase fixture(QStringLiteral("maker.db"));
        const qint64 id = fixture.addCollection(Maker, "MKR", "Maker", 1);
        fixture.addEveryKey(id);
        for (const QString &key : DB::builtInLocaleTexts().keys())
            QVERIFY(fixture.exec(QStringLiteral(R"(DELETE FROM LOCALE WHERE "KEY" = ?)"), {key}));
        fixture.addSetting(id, "save.palette.text.format", "1");
        const qint64 page = fixture.addPage(id, 1, 1, QStringLiteral("Page 1"));
        m_chip = {Maker, page, fixture.addRow(id, page, 1, "M1", QColor(10, 20, 30))};
        fixture.close();
        resetDatabaseLayer();
        UserSettings::setLastUsedCollection(Maker);
    }

    void ownKeysAnswerTheirTextOthersTheirKey()
    {
        for (auto own = DB::builtInLocaleTexts().cbegin(); own != DB::builtInLocaleTexts().cend();
             ++own)
            QCOMPARE(DB::localeString(Maker, own.key()), own.value());
        QCOMPARE(DB::localeString(Maker, QStringLiteral("no.such.key")),
                 QStringLiteral("no.such.key"));
    }

    void noDialogFilterOrAccessibleNameShowsAKey()
    {
        UserSettings::setMyPaletteEntry({0, 0}, m_chip);
        MainWidget main;
        main.show();
        QStringList shown;
        main.setSaveFileDialog([&shown](QWidget *, const QString &caption, const QString &,
                                        const QString &filter, QString *) {
            shown << caption << filter;
            return QString();
        });
        main.taskButton(MainWidget::SaveTaskButton)->click();

        MyPaletteWidget *palette = main.myPalette();
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(palette);
        for (int i = 0; i < accessible->childCount(); ++i)
            shown << accessible->child(i)->text(QAccessible::Name)
                  << accessible->child(i)->text(QAccessible::Description);

        QTimer::singleShot(0, [&shown] { shown << closeMessageBoxes(); });
        palette->savePaletteTo(PaletteXmlFile, m_folder.filePath(QStringLiteral("gone/x.palette")));
        const QString refused = m_folder.filePath(QStringLiteral("refused.palette"));
        QFile file(refused);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "<orvo-palette version=\"3.0\" system=\"multi-collection\"><chips><chip row=\"0\" "
            "col=\"0\"><entry uuid-of-collection=\"{00000000-0000-4000-8000-000000000001}\" "
            "page-index=\"1\" row-index=\"1\" color-code=\"X\"/></chip></chips>"
            "</orvo-palette>");
        file.close();
        palette->loadPaletteFrom(PaletteXmlFile, refused);
        shown << closeMessageBoxes();
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Append));
        file.write("<");
        file.close();
        palette->loadPaletteFrom(PaletteXmlFile, refused);
        shown << closeMessageBoxes();
        QCOMPARE(shown.size(), 2 + 2 * accessible->childCount() + 3 * 3);

        for (const QString &text : std::as_const(shown)) {
            for (const QString &key : DB::builtInLocaleTexts().keys())
                QVERIFY2(!text.contains(key), qPrintable(text));
        }
    }

private:
    DB::ItemIndex m_chip;
    QTemporaryDir m_folder;
};

QTEST_MAIN(TestBuiltInTexts)
#include "tst_builtintexts.moc"
