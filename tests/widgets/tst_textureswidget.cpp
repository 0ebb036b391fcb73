#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "support/fixturedatabase.h"
#include "widgets/texturesviewport.h"
#include "widgets/textureswidget.h"

#include <QFile>
#include <QTest>

using namespace Sorven;

namespace {

const QUuid Harbour {QStringLiteral("{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}")};
const QUuid Bare {QStringLiteral("{0f1e2d3c-4b5a-4697-8887-a9b8c7d6e5f4}")};
const QColor TextureColor(200, 100, 50);

QPoint centreOf(const QRect &rect)
{
    return {(rect.left() + rect.right()) / 2, (rect.top() + rect.bottom()) / 2};
}

} // namespace

class TestTexturesWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        FixtureDatabase fixture(QStringLiteral("textures.db"));
        fixture.addTheme(0, QStringLiteral("list.of.preferred.font.faces"), "DejaVu Sans,10");
        const qint64 harbour = fixture.addCollection(Harbour, "HAR", "Harbour", 1);
        fixture.addPage(fixture.addCollection(Bare, "BAR", "Bare", 2), 1, 1, QStringLiteral("P1"));
        const qint64 page = fixture.addPage(harbour, 1, 1, QStringLiteral("P1"));
        fixture.addRow(harbour, page, 1, QStringLiteral("B1"), QColor(0, 0, 255));
        for (int i = 1; i <= 4; ++i) {
            const qint64 texture = fixture.insert(
                QStringLiteral("INSERT INTO TEXTURE(COLLECTION_ID, NAME, IMAGE) VALUES(?, ?, ?)"),
                {harbour, QStringLiteral("T%1").arg(i), pngBytes(QSize(160, 100), TextureColor)});
            fixture.insert(QStringLiteral("INSERT INTO TEXTURE_MAP(TEXTURE_ID, PAGE_ID, ALPHA, "
                                          "NAME) VALUES(?, ?, 0.5, ?)"),
                           {texture, page, QStringLiteral("Plaster %1").arg(i)});
        }
        resetDatabaseLayer();
        clearInterfaceFonts();
        UserSettings::setLastUsedCollection(Harbour);
        UserSettings::setPageIndex(Harbour, 1);
    }

    void threeTilesToARow()
    {
        TexturesWidget pane;
        pane.resize(560, 226);
        pane.show();
        const TexturesViewport *viewport = pane.texturesViewport();
        const int w = viewport->width();
        QCOMPARE(w, pane.maximumViewportSize().width());
        const int step = 148 + (w - 3 * 148) / 2;
        const int top = QFontMetrics(boldFont(4)).height() + 8;
        const int rowStep = 96 + QFontMetrics(italicFont(2)).height() + 16;
        const QList<TexturesViewport::Placement> &placements = viewport->placements();
        QCOMPARE(placements.size(), 4);
        QCOMPARE(placements[0].tile, QRect(0, top, 148, 96));
        QCOMPARE(placements[1].tile, QRect(step, top, 148, 96));
        QCOMPARE(placements[2].tile, QRect(2 * step, top, 148, 96));
        QCOMPARE(placements[3].tile, QRect(0, top + rowStep, 148, 96));
        QCOMPARE(placements[3].entry.name, QStringLiteral("Plaster 4"));
        QCOMPARE(viewport->height(), placements[3].tile.bottom() + rowStep - 96);
    }

    void tintFollowsTheSelectedRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("blue chip") << 1 << QColor(78, 19, 29);
        QTest::newRow("no such row: red") << 9 << QColor(177, 19, 4);
    }

    void tintFollowsTheSelectedRow()
    {
        QFETCH(int, row);
        QFETCH(QColor, expected);
        UserSettings::setRowIndex(Harbour, 1);
        TexturesWidget pane;
        pane.resize(560, 226);
        pane.show();
        TexturesViewport *viewport = pane.texturesViewport();
        viewport->grab();
        UserSettings::setRowIndex(Harbour, row);
        pane.selectedRowChanged();
        const QImage image = viewport->grab().toImage();
        for (const TexturesViewport::Placement &placement : viewport->placements()) {
            const QRect tile = placement.tile;
            QCOMPARE(image.pixelColor(centreOf(tile)), expected);
            QCOMPARE(image.pixelColor(tile.left() + 20, tile.top()), QColor(96, 96, 96));
            QCOMPARE(image.pixelColor(tile.right(), tile.bottom() - 20), QColor(96, 96, 96));
        }
    }

    // The textures are read when the pane shows; a change while it is hidden must not leave the
    // tiles of the collection before.
    void aPaneHiddenDuringACollectionChangeShowsItWhenShown()
    {
        UserSettings::setRowIndex(Harbour, 1);
        UserSettings::setPageIndex(Bare, 1);
        TexturesWidget pane;
        pane.resize(560, 226);
        pane.show();
        TexturesViewport *viewport = pane.texturesViewport();
        for (const QUuid &collection : {Bare, Harbour}) {
            pane.hide();
            UserSettings::setLastUsedCollection(collection);
            pane.selectedCollectionChanged(collection);
            pane.show();
            QCOMPARE(viewport->placements().size(), collection == Bare ? 0 : 4);
        }
        const QImage image = viewport->grab().toImage();
        QCOMPARE(image.pixelColor(centreOf(viewport->placements().first().tile)),
                 QColor(78, 19, 29));
    }

    // A tile as wide as the pane gets a row of its own; a size no pane can hold is no size.
    void tilesNeverOverlap_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QSize>("tile");
        QTest::newRow("wider than the pane") << "600,96" << QSize(600, 96);
        QTest::newRow("as wide as a third") << "200,60" << QSize(200, 60);
        QTest::newRow("width that overflows") << "1000000000,96" << QSize(148, 96);
        QTest::newRow("no height") << "148,0" << QSize(148, 96);
    }

    void tilesNeverOverlap()
    {
        QFETCH(QString, setting);
        QFETCH(QSize, tile);
        const QUuid wide = QUuid::createUuid();
        {
            FixtureDatabase fixture(QStringLiteral("wide.db"));
            const qint64 id = fixture.addCollection(wide, "WID", "Wide", 3);
            fixture.addSetting(id, QStringLiteral("texture.size"), setting);
            const qint64 page = fixture.addPage(id, 1, 1, QStringLiteral("P1"));
            for (int i = 1; i <= 3; ++i) {
                const qint64 texture = fixture.insert(
                    QStringLiteral(
                        "INSERT INTO TEXTURE(COLLECTION_ID, NAME, IMAGE) VALUES(?, ?, ?)"),
                    {id, QStringLiteral("W%1").arg(i), pngBytes(QSize(16, 16), TextureColor)});
                fixture.insert(QStringLiteral("INSERT INTO TEXTURE_MAP(TEXTURE_ID, PAGE_ID, ALPHA, "
                                              "NAME) VALUES(?, ?, 1, 'W')"),
                               {texture, page});
            }
        }
        resetDatabaseLayer();
        UserSettings::setLastUsedCollection(wide);
        UserSettings::setPageIndex(wide, 1);
        TexturesWidget pane;
        pane.resize(560, 226);
        pane.show();
        const QList<TexturesViewport::Placement> &placements
            = pane.texturesViewport()->placements();
        QCOMPARE(placements.size(), 3);
        for (int i = 0; i < placements.size(); ++i) {
            QCOMPARE(placements[i].tile.size(), tile);
            QVERIFY(placements[i].tile.left() >= 0);
            for (int j = 0; j < i; ++j)
                QVERIFY(!placements[i].tile.intersects(placements[j].tile));
        }
        QFile::remove(fixtureDatabaseFolder() + QStringLiteral("/wide.db"));
        resetDatabaseLayer();
        UserSettings::setLastUsedCollection(Harbour);
    }
};

QTEST_MAIN(TestTexturesWidget)
#include "tst_textureswidget.moc"
