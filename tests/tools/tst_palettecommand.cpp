#include "palette/palettefile.h"
#include "support/palettefixture.h"
#include "tools/authorcommands.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace Sorven;
using namespace Sorven::Tools;

namespace {

Tools::InspectResult runPalette(const QStringList &arguments)
{
    for (const InspectCommand &command : inspectCommands()) {
        if (qstrcmp(command.name, "palette") == 0)
            return command.run(arguments);
    }
    return InspectResult::failure(QStringLiteral("no palette command"));
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPaletteCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void listsTheCells();
    void convertsAsSavingAndExportWould();
    void refusesWhatLoadingRefuses_data();
    void refusesWhatLoadingRefuses();

private:
    QString path(const QString &name) const { return m_folder.filePath(name); }

    std::unique_ptr<PaletteFixture> m_fixture;
    QTemporaryDir m_folder;
};

void TestPaletteCommand::initTestCase()
{
    m_fixture = std::make_unique<PaletteFixture>();
    PaletteModel palette;
    palette.setDescription(QStringLiteral("Hall & stairs"));
    palette.setEntry({2, 1}, m_fixture->quayGreen.index());
    palette.setEntry({0, 3}, m_fixture->harbourRed.index());
    QVERIFY(savePaletteFile(palette, PaletteXmlFile, path(QStringLiteral("hall.palette"))));
}

void TestPaletteCommand::listsTheCells()
{
    const InspectResult result = runPalette({path(QStringLiteral("hall.palette"))});
    QCOMPARE(result.status, 0);
    const QJsonObject json = result.json.toObject();
    QCOMPARE(json["description"].toString(), QStringLiteral("Hall & stairs"));
    const QJsonArray cells = json["cells"].toArray();
    QCOMPARE(cells.size(), 2);
    QCOMPARE(cells[0].toObject(),
             (QJsonObject {{"row", 1},
                           {"col", 2},
                           {"collection", PaletteFixture::Quay.toString()},
                           {"collectionName", "Quay"},
                           {"pageIndex", 1},
                           {"rowIndex", 1},
                           {"code", "Q-7"},
                           {"color", "#28a03c"}}));
    QCOMPARE(cells[1].toObject()["code"].toString(), QStringLiteral("H-101"));
    QVERIFY(result.text.contains(QStringLiteral("#c81e28  H-101  Harbour")));
}

void TestPaletteCommand::convertsAsSavingAndExportWould()
{
    const InspectResult result = runPalette(
        {path(QStringLiteral("hall.palette")), "--save", path(QStringLiteral("copy.palette")),
         "--text", path(QStringLiteral("hall.txt")), "--colorbook",
         path(QStringLiteral("hall.acb")), "--gpl", path(QStringLiteral("hall.gpl")), "--ase",
         path(QStringLiteral("hall.ase")), "--collection", "quay"});
    QCOMPARE(result.status, 0);
    QCOMPARE(contents(path(QStringLiteral("copy.palette"))),
             contents(path(QStringLiteral("hall.palette"))));
    QCOMPARE(contents(path(QStringLiteral("hall.txt"))),
             QByteArray("\xEF\xBB\xBFQuay : Q-7\nHarbour : H-101\n"));
    // Quay does not append product codes; the book takes the description as its name.
    const QByteArray book = contents(path(QStringLiteral("hall.acb")));
    QVERIFY(book.contains("<bookName>Hall &amp; stairs</bookName>"));
    QVERIFY(book.contains("<colorName>Q-7</colorName>"));
    QVERIFY(book.indexOf("Q-7") < book.indexOf("H-101"));
    QVERIFY(contents(path(QStringLiteral("hall.gpl")))
                .endsWith(
                    "Name: Hall & stairs\nColumns: 6\n#\n 40 160  60\tQ-7\n200  30  40\tH-101\n"));
    QVERIFY(contents(path(QStringLiteral("hall.ase"))).startsWith("ASEF"));

    QVERIFY(runPalette({path(QStringLiteral("hall.palette")), "--colorbook",
                        path(QStringLiteral("harbour.acb"))})
                .error.isEmpty());
    QVERIFY(contents(path(QStringLiteral("harbour.acb"))).contains("H-101 - S1, M2"));
}

void TestPaletteCommand::refusesWhatLoadingRefuses_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("options");

    const QByteArray good = contents(path(QStringLiteral("hall.palette")));
    QTest::newRow("not XML") << QByteArray("plain text") << QStringList();
    QTest::newRow("version 3.1") << QByteArray(good).replace("\"3.0\"", "\"3.1\"") << QStringList();
    QTest::newRow("wrong system") << QByteArray(good).replace("multi-collection", "HARBOUR")
                                  << QStringList();
    QTest::newRow("output folder gone")
        << good << QStringList {"--text", path(QStringLiteral("gone/hall.txt"))};
    QTest::newRow("unknown collection")
        << good << QStringList {"--gpl", path("x.gpl"), "--collection", "LAKE"};
    QTest::newRow("unknown option") << good << QStringList {"--pdf", path("x.pdf")};
}

void TestPaletteCommand::refusesWhatLoadingRefuses()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, options);
    QFile file(path(QStringLiteral("input.palette")));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    const InspectResult result = runPalette(QStringList {file.fileName()} + options);
    QCOMPARE(result.status, 1);
    QVERIFY(!result.error.isEmpty());
    QVERIFY(!result.error.contains(u'\n'));
}

QTEST_GUILESS_MAIN(TestPaletteCommand)
#include "tst_palettecommand.moc"
