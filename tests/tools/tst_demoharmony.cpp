#include "core/collectionsettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "support/fixturedatabase.h"
#include "tools/authorcommands.h"
#include "tools/democollections.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

using namespace Sorven;

namespace {

QJsonObject harmony(const QUuid &uuid, int page, int row, int kind)
{
    for (const Tools::InspectCommand &command : Tools::inspectCommands()) {
        if (qstrcmp(command.name, "harmony") == 0)
            return command
                .run({uuid.toString(), QString::number(page), QString::number(row),
                      QStringLiteral("--kind"), QString::number(kind)})
                .json.toObject();
    }
    return {};
}

// Dramatic schemes are for neutral and white chips only.
bool gateOpen(SchemeKind kind, const DB::ColorEntry &chip)
{
    return kind != DramaticScheme || chip.neutral || chip.white;
}

// The scheme statements are echoed to the debug output; thousands of them only slow the test.
void dropDebugMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtDebugMsg)
        qt_message_output(type, context, message);
}

QString where(const QUuid &uuid, int page, int row, int kind)
{
    return QStringLiteral("%1 page %2 row %3 kind %4")
        .arg(uuid.toString())
        .arg(page)
        .arg(row)
        .arg(kind);
}

} // namespace

class TestDemoHarmony : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qInstallMessageHandler(dropDebugMessages);
        const Demo::DemoBuildResult demo = Demo::buildDemoCollections(
            QString::fromLocal8Bit(qgetenv("VEXA_COMMON_APPDATA")), {});
        QVERIFY2(demo.error.isEmpty(), qPrintable(demo.error));
        resetDatabaseLayer();
        DB::ensureCollectionsEnumerated();
    }

    // A chip of a normal collection has whole rows in every scheme its collection lists; a
    // powder-coating chip has its trio. The demo builder gives every chip of a page the same
    // scheme pages, so one chip of each page, at another position on every page, stands for
    // the page: the answers take too long to ask for all of them in every run.
    void everyDemoChipHasItsSchemes()
    {
        int checked = 0;
        for (const QUuid &uuid : DB::availableCollections()) {
            const bool powder
                = CollectionSettings::cardType(uuid) == CollectionSettings::PolvaronCard;
            const QList<SchemeKind> kinds
                = powder ? QList<SchemeKind> {NoScheme} : CollectionSettings::schemes(uuid);
            DB::ColorPage page;
            for (int index = 1; DB::loadPage(uuid, index, page) == DB::Success; ++index) {
                const int row = index % int(page.entries.size()) + 1;
                for (const SchemeKind kind : kinds) {
                    if (!gateOpen(kind, page.entries[row - 1]))
                        continue;
                    const QJsonObject answer = harmony(uuid, index, row, kind);
                    const QJsonArray rows = answer["rows"].toArray();
                    QVERIFY2(!rows.isEmpty(), qPrintable(where(uuid, index, row, kind)));
                    QCOMPARE(answer["collection"].toString(), uuid.toString());
                    if (powder)
                        QCOMPARE(rows.first().toArray().size(), 3);
                    for (const QJsonValue &chips : rows)
                        QVERIFY2(!chips.toArray().isEmpty(),
                                 qPrintable(where(uuid, index, row, kind)));
                    ++checked;
                }
            }
        }
        QVERIFY(checked > 1500);
    }
};

QTEST_MAIN(TestDemoHarmony)
#include "tst_demoharmony.moc"
