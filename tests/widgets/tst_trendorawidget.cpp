#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "palette/colorchipdnd.h"
#include "support/fixturedatabase.h"
#include "widgets/trendoraviewport.h"
#include "widgets/trendorawidget.h"

#include <QAccessible>
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QTest>

using namespace Sorven;

namespace {

const QUuid Harbour {QStringLiteral("{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}")};
const QUuid Bare {QStringLiteral("{0f1e2d3c-4b5a-4697-8887-a9b8c7d6e5f4}")};
constexpr int Entries = 5;

QColor entryColor(int order)
{
    return QColor::fromHsv(order * 60, 200, 220).rgb();
}

QPoint centreOf(const QRect &rect)
{
    return {(rect.left() + rect.right()) / 2, (rect.top() + rect.bottom()) / 2};
}

} // namespace

class TestTrendoraWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        FixtureDatabase fixture(QStringLiteral("trends.db"));
        fixture.addTheme(0, QStringLiteral("list.of.preferred.font.faces"), "DejaVu Sans,10");
        const qint64 harbour = fixture.addCollection(Harbour, "HAR", "Harbour", 1);
        fixture.addCollection(Bare, "BAR", "Bare", 2);
        const QString group = QStringLiteral(
            R"(INSERT INTO FUTURES_GROUP(COLLECTION_ID, NAME, DEFAULT_OPEN, "ORDER")
               VALUES(?, ?, ?, ?))");
        m_spring = fixture.insert(group, {harbour, "Spring", 1, 1});
        m_autumn = fixture.insert(group, {harbour, "Autumn", 0, 2});
        m_autumnAgain = fixture.insert(group, {harbour, "Autumn again", 0, 2});
        const QString entry = QStringLiteral(
            R"(INSERT INTO FUTURES_ENTRY(COLLECTION_ID, FUTURES_GROUP_ID, NAME_1, NAME_2, RED,
               GREEN, BLUE, "ORDER") VALUES(?, ?, ?, ?, ?, ?, ?, ?))");
        for (const qint64 id : {m_spring, m_autumn, m_autumnAgain}) {
            for (int order = 1; order <= Entries; ++order) {
                const QColor color = entryColor(order);
                m_entries[id] << fixture.insert(
                    entry,
                    {harbour, id, "N", "M", color.red(), color.green(), color.blue(), order});
            }
        }
        resetDatabaseLayer();
        clearInterfaceFonts();
        UserSettings::setLastUsedCollection(Harbour);
    }

    void groupsSharingAnOrderAreListedOnce()
    {
        TrendoraViewport viewport;
        viewport.loadGroups();
        QCOMPARE(viewport.groupOrder(), QList<qint64>({m_spring, qMin(m_autumn, m_autumnAgain)}));
        QVERIFY(viewport.isOpen(m_spring));
    }

    void chipsFlowIntoLines()
    {
        TrendoraViewport viewport;
        viewport.loadGroups();
        viewport.resize(300, 10);
        viewport.layoutGroups();
        const QList<qint64> &entries = m_entries[m_spring];
        // The header is as high as the name or the 16-pixel placeholder toggle image.
        const int header
            = qMax(QFontMetrics(regularFont(2)).size(Qt::TextSingleLine, "Spring").height(), 16);
        // A chip of 48 with its two names below it, the first 4 pixels below the chip.
        const int lineHeight
            = 48 + 4 + 2 * QFontMetrics(italicFont(2)).size(Qt::TextSingleLine, "N").height();
        // Cells of 64 pixels, 4 apart: four fit in 300, the fifth starts the next line.
        for (int i = 0; i < 4; ++i)
            QCOMPARE(viewport.chipRect(m_spring, entries[i]), QRect(i * 68, header + 9, 64, 48));
        QCOMPARE(viewport.chipRect(m_spring, entries[4]),
                 QRect(0, header + 9 + lineHeight + 10, 64, 48));
        QCOMPARE(viewport.groupRect(m_spring).bottom(), header + 19 + 2 * lineHeight);
        QCOMPARE(viewport.chipRect(m_autumn, m_entries[m_autumn].first()), QRect());
        QCOMPARE(viewport.height(), viewport.groupRect(m_autumn).bottom() + 1);
    }

    void chipsOfOpenGroupsAreAccessible()
    {
        TrendoraViewport viewport;
        viewport.loadGroups();
        viewport.resize(300, 10);
        viewport.layoutGroups();
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&viewport);
        QVERIFY(accessible);
        // Only the spring group is open.
        QCOMPARE(accessible->childCount(), Entries);
        QAccessibleInterface *chip = accessible->child(4);
        QCOMPARE(chip->text(QAccessible::Name), QStringLiteral("N, M"));
        QCOMPARE(chip->text(QAccessible::Description), QStringLiteral("Spring"));
        const QRect rect = viewport.chipRect(m_spring, m_entries[m_spring][4]);
        QCOMPARE(chip->rect(), QRect(viewport.mapToGlobal(rect.topLeft()), rect.size()));
    }

    void aToggleOpensTheGroupAndStoresIt()
    {
        TrendoraWidget pane;
        pane.resize(400, 220);
        pane.show();
        TrendoraViewport *viewport = pane.trendoraViewport();
        const QPoint toggle = centreOf(viewport->toggleRect(m_autumn));
        QTest::mousePress(viewport, Qt::LeftButton, {}, toggle);
        QVERIFY(viewport->isOpen(m_autumn));
        QVERIFY(UserSettings::trendoraGroupOpenState(Harbour, m_autumn, false));
        QVERIFY(viewport->chipRect(m_autumn, m_entries[m_autumn].first()).isValid());
        QTest::mousePress(viewport, Qt::LeftButton, {}, toggle);
        QVERIFY(!UserSettings::trendoraGroupOpenState(Harbour, m_autumn, true));
        // Clicking the group name beside the toggle changes nothing.
        QTest::mousePress(viewport, Qt::LeftButton, {}, toggle + QPoint(40, 0));
        QVERIFY(!viewport->isOpen(m_autumn));
    }

    void paintsChipsWithTheirOutline()
    {
        TrendoraWidget pane;
        pane.resize(400, 220);
        pane.show();
        TrendoraViewport *viewport = pane.trendoraViewport();
        const QImage image = viewport->grab().toImage();
        const QRect chip = viewport->chipRect(m_spring, m_entries[m_spring][1]);
        QCOMPARE(image.pixelColor(centreOf(chip)), entryColor(2));
        QCOMPARE(image.pixelColor(chip.topLeft()), QColor(64, 64, 64));
        QCOMPARE(image.pixelColor(chip.bottomRight()), QColor(64, 64, 64));
    }

    // The groups are read when the pane shows; a change while it is hidden must not leave the
    // groups of the collection before.
    void aPaneHiddenDuringACollectionChangeShowsItWhenShown()
    {
        TrendoraWidget pane;
        pane.resize(400, 220);
        pane.show();
        const TrendoraViewport *viewport = pane.trendoraViewport();
        const QList<qint64> harbourGroups = viewport->groupOrder();
        for (const QUuid &collection : {Bare, Harbour}) {
            pane.hide();
            UserSettings::setLastUsedCollection(collection);
            pane.selectedCollectionChanged(collection);
            pane.show();
            QCOMPARE(viewport->groupOrder(), collection == Bare ? QList<qint64>() : harbourGroups);
        }
        QVERIFY(viewport->chipRect(m_spring, m_entries[m_spring].first()).isValid());
    }

    // Offscreen QDrag::exec returns at once and leaves the drag with the colour it carried.
    void aChipDragsItsColourAndNames()
    {
        TrendoraWidget pane;
        pane.resize(400, 220);
        pane.show();
        TrendoraViewport *viewport = pane.trendoraViewport();
        const QPoint start = centreOf(viewport->chipRect(m_spring, m_entries[m_spring][2]));
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        const QPoint end = start + QPoint(QApplication::startDragDistance() + 1, 0);
        QMouseEvent move(QEvent::MouseMove, end, viewport->mapToGlobal(end), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        const QDrag *drag = viewport->findChild<QDrag *>();
        QVERIFY(drag);
        QCOMPARE(drag->mimeData()->data(ColorChipDndMimeType),
                 colorDndRecord(TrendoraDndSource, entryColor(3).rgb(), "N", "M"));
    }

    // The chips flow in the visible width, which the contents follow as the pane narrows or widens.
    void chipsFlowInThePanesWidth_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("narrower") << 200;
        QTest::newRow("wider") << 600;
    }

    void chipsFlowInThePanesWidth()
    {
        QFETCH(int, width);
        TrendoraWidget pane;
        pane.resize(400, 220);
        pane.show();
        pane.resize(width, 220);
        const TrendoraViewport *viewport = pane.trendoraViewport();
        QCOMPARE(viewport->width(), pane.maximumViewportSize().width());
        int right = 0;
        for (const qint64 entry : std::as_const(m_entries[m_spring]))
            right = qMax(right, viewport->chipRect(m_spring, entry).right());
        QVERIFY2(right < viewport->width(), qPrintable(QString::number(right)));
    }

private:
    qint64 m_spring = -1;
    qint64 m_autumn = -1;
    qint64 m_autumnAgain = -1;
    QHash<qint64, QList<qint64>> m_entries;
};

QTEST_MAIN(TestTrendoraWidget)
#include "tst_trendorawidget.moc"
