#include "core/usersettings.h"
#include "db/connections.h"
#include "support/fixturedatabase.h"
#include "widgets/chippointer.h"
#include "widgets/equivalentsmenu.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using namespace Sorven;

namespace {

const QUuid Harbour {QStringLiteral("{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}")};
const QUuid Quay {QStringLiteral("{a1b2c3d4-e5f6-4a7b-8c9d-0e1f2a3b4c5d}")};
const QUuid Dune {QStringLiteral("{0c9b8a79-6857-4463-9251-403f2e1d0c0b}")};

QMenu *popUpAt(QWidget *widget, const QPoint &pos)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &event);
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

} // namespace

class TestEquivalentsMenu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        resetDatabaseLayer();
        FixtureDatabase file(QStringLiteral("menu.db"));
        const QString setLab
            = QStringLiteral(R"(UPDATE "ROW" SET L = ?, A = ?, B = ? WHERE ID = ?)");
        const qint64 harbour = file.addCollection(Harbour, "HARBOUR", "Harbour", 1);
        const qint64 quay = file.addCollection(Quay, "QUAY", "Quay", 2);
        const qint64 dune = file.addCollection(Dune, "DUNE", "Dune", 3);
        file.addSetting(quay, QStringLiteral("cie2000.delta.intervals"), "2");
        m_chip = {Harbour, file.addPage(harbour, 1, 1, "H"), 0};
        m_chip.rowId = file.addRow(harbour, m_chip.pageId, 1, "H1", QColor(90, 80, 120));
        file.exec(setLab, {40, 10, -20, m_chip.rowId});
        const qint64 quayPage = file.addPage(quay, 1, 1, "Q");
        file.exec(setLab, {42, 10, -20, file.addRow(quay, quayPage, 1, "Q1", QColor(90, 80, 121))});
        m_quayChip = {Quay, quayPage, file.addRow(quay, quayPage, 2, "Q2", Qt::white)};
        file.exec(setLab, {41, 10, -20, m_quayChip.rowId});
        const qint64 dunePage = file.addPage(dune, 1, 1, "D");
        file.exec(setLab, {70, 0, 0, file.addRow(dune, dunePage, 1, "D1", Qt::gray)});
        file.close();
        UserSettings::setLastUsedCollection(Harbour);
    }

    void listsEachOtherCollectionAndGoesToTheChosenChip()
    {
        QWidget widget;
        widget.resize(100, 40);
        const ChipPointer pointer(
            &widget, [](const QPoint &) { return false; }, {},
            [this](const QPoint &pos) { return pos.x() < 50 ? m_chip : DB::ItemIndex(); });
        EquivalentsMenu *equivalents = EquivalentsMenu::install(&widget, &pointer);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QSignalSpy chosen(equivalents, &EquivalentsMenu::chipChosen);

        QVERIFY(!popUpAt(&widget, {80, 10}));
        QMenu *menu = popUpAt(&widget, {10, 10});
        QVERIFY(menu);
        QMenu *nearest = menu->actions().first()->menu();
        QCOMPARE(nearest->title(), QStringLiteral("Nearest in other collections"));
        QStringList texts;
        for (const QAction *action : nearest->actions())
            texts << action->text();
        QCOMPARE(texts,
                 QStringList({"Quay: Q2, ΔE00 0.89, within tolerance", "Dune: D1, ΔE00 32.57"}));

        nearest->actions().first()->trigger();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.first().at(0).toUuid(), Quay);
        QCOMPARE(chosen.first().at(1).value<DB::ColorEntry>().id, m_quayChip.rowId);
        menu->close();
    }

private:
    DB::ItemIndex m_chip;
    DB::ItemIndex m_quayChip;
};

QTEST_MAIN(TestEquivalentsMenu)
#include "tst_equivalentsmenu.moc"
