// The colour schedule as its readers get it: the PDF read back with pdftotext and rendered with
// pdftoppm, as the programs people open it with see it.
#include "core/usersettings.h"
#include "db/connections.h"
#include "palette/colorschedule.h"
#include "palette/colorscheduleexport.h"
#include "palette/palettefile.h"
#include "support/fixturedatabase.h"
#include "support/messageboxanswer.h"

#include <QImage>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <lcms2.h>

#include <cmath>

using namespace Sorven;

namespace {

const QUuid Harbour(QStringLiteral("{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}"));
const QString LongName = QStringLiteral("Evening light over the old harbour wall ").repeated(8);

// CIE Y of L* by Little CMS, with the white at 100.
long lcmsReflectance(double l)
{
    const cmsCIELab lab {l, 0, 0};
    cmsCIEXYZ xyz;
    cmsLab2XYZ(cmsD50_XYZ(), &xyz, &lab);
    return std::lround(xyz.Y / cmsD50_XYZ()->Y * 100.0);
}

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitCode() == 0
        ? process.readAllStandardOutput()
        : QByteArray();
}

} // namespace

class TestColorSchedule : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fullPaletteReadsBackInOrderOnOnePage();
    void longTextsStayInTheirColumns();
    void unresolvedCellsAreListed();
    void fileGapsAreListed();
    void paperFollowsTheLocale();
    void buttonAsksAndReportsFailure();

private:
    QString writePdf(const ColorSchedule &schedule, const QString &name);

    PaletteModel m_full;
    // A chip whose L* lies beyond white.
    DB::ItemIndex m_outOfRange;
    QList<QColor> m_colors;
    QTemporaryDir m_folder;
};

// 24 chips on four pages, each with its own colour and L*; chip 5 has a long name and products.
void TestColorSchedule::initTestCase()
{
    resetDatabaseLayer();
    FixtureDatabase file(QStringLiteral("harbour.db"));
    const qint64 id
        = file.addCollection(Harbour, QStringLiteral("HB"), QStringLiteral("Harbour"), 1);
    m_full.setDescription(QStringLiteral("Hall & stairs"));
    qint64 page = -1;
    for (int i = 0; i < 24; ++i) {
        if (i % 6 == 0)
            page = file.addPage(id, i / 6 + 1, 1, QStringLiteral("P%1").arg(i));
        m_colors << QColor::fromHsv(i * 15, 40 + i * 8, 250 - i * 7);
        const QString name = i == 5 ? LongName : QStringLiteral("Tide%1 Mist").arg(i);
        const qint64 row = file.addRow(id, page, i % 6 + 1, QStringLiteral("HB-%1").arg(i + 100),
                                       m_colors.last(), name);
        file.exec(QStringLiteral("UPDATE \"ROW\" SET L = ? WHERE ID = ?"), {i * 4.0 + 4, row});
        m_full.setEntry({i % 6, i / 6}, {Harbour, page, row});
    }
    for (const QString &product : {QStringLiteral("Matt emulsion for walls and ceilings"),
                                   QStringLiteral("Eggshell"), QStringLiteral("Gloss")}) {
        const qint64 productId = file.insert(
            QStringLiteral("INSERT INTO PRODUCT(NAME, PRODUCT_CODE) VALUES(?, 'X')"), {product});
        file.exec(QStringLiteral("INSERT INTO ROW_PRODUCT_MAP(COLLECTION_ID, ROW_ID, PRODUCT_ID) "
                                 "VALUES(?, ?, ?)"),
                  {id, m_full.entry({5, 0}).rowId, productId});
    }
    m_outOfRange = {Harbour, page, file.addRow(id, page, 7, QStringLiteral("HB-1"), Qt::white)};
    // Only a damaged or hand-made file holds such a value.
    file.exec(QStringLiteral("PRAGMA ignore_check_constraints = 1"));
    file.exec(QStringLiteral("UPDATE \"ROW\" SET L = 100.5 WHERE ID = ?"), {m_outOfRange.rowId});
    file.close();
    DB::ensureCollectionsEnumerated();
}

QString TestColorSchedule::writePdf(const ColorSchedule &schedule, const QString &name)
{
    const QString path = m_folder.filePath(name);
    return schedule.save(path) ? path : QString();
}

void TestColorSchedule::fullPaletteReadsBackInOrderOnOnePage()
{
    const QString pdf = writePdf(ColorSchedule(m_full, Harbour), QStringLiteral("full.pdf"));
    const QString text = QString::fromUtf8(run(QStringLiteral("pdftotext"), {"-raw", pdf, "-"}));
    QCOMPARE(text.count(u'\f'), 1);
    const QString flat = text.simplified() + u' ';
    QVERIFY(flat.startsWith(QStringLiteral("Hall & stairs ")));
    qsizetype at = 0;
    for (int i = 0; i < 24; ++i) {
        const QString name
            = i == 5 ? QStringLiteral("Evening light") : QStringLiteral("Tide%1 Mist").arg(i);
        for (const QString &word :
             {QStringLiteral("HB-%1").arg(i + 100), name, QStringLiteral("Harbour"),
              QStringLiteral("%1 %2 ").arg(m_colors[i].name()).arg(lcmsReflectance(i * 4.0 + 4))}) {
            const qsizetype found = flat.indexOf(word, at);
            QVERIFY2(found >= 0, qPrintable(QStringLiteral("%1 after %2").arg(word).arg(at)));
            at = found + word.size();
        }
    }
    const QString png = m_folder.filePath(QStringLiteral("full"));
    run(QStringLiteral("pdftoppm"), {"-r", "72", "-png", "-singlefile", pdf, png});
    const QImage page(png + QStringLiteral(".png"));
    for (int i = 0; i < 24; ++i) {
        const QColor printed = page.pixelColor(ColorSchedule::swatchRect(i).center().toPoint());
        QVERIFY2(std::abs(printed.red() - m_colors[i].red()) <= 2
                     && std::abs(printed.green() - m_colors[i].green()) <= 2
                     && std::abs(printed.blue() - m_colors[i].blue()) <= 2,
                 qPrintable(printed.name() + u' ' + m_colors[i].name()));
    }
}

// No two words of the page overlap: every text keeps to its column and its row.
void TestColorSchedule::longTextsStayInTheirColumns()
{
    PaletteModel palette = m_full;
    palette.setDescription(LongName);
    const QString pdf = writePdf(ColorSchedule(palette, Harbour), QStringLiteral("long.pdf"));
    const QString html = QString::fromUtf8(run(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"}));
    static const QRegularExpression word(QStringLiteral(
        "xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\""));
    const QSizeF paper = ColorSchedule::pageSizeFor(QLocale()).sizePoints();
    QList<QRectF> boxes;
    for (auto match = word.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch box = match.next();
        boxes << QRectF(QPointF(box.captured(1).toDouble(), box.captured(2).toDouble()),
                        QPointF(box.captured(3).toDouble(), box.captured(4).toDouble()));
    }
    QVERIFY(boxes.size() > 24 * 8);
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        QVERIFY(boxes[i].right() < paper.width() - 30);
        for (qsizetype j = i + 1; j < boxes.size(); ++j)
            QVERIFY2(!boxes[i].adjusted(0.3, 0.3, -0.3, -0.3).intersects(boxes[j]),
                     qPrintable(QStringLiteral("words %1 and %2").arg(i).arg(j)));
    }
    QVERIFY(html.contains(QStringLiteral("…")));
}

void TestColorSchedule::unresolvedCellsAreListed()
{
    PaletteModel palette;
    palette.setEntry({2, 0}, m_full.entry({0, 1}));
    palette.setEntry({4, 0}, {Harbour, 1, 99999});
    palette.setEntry({5, 0}, m_outOfRange);
    const ColorSchedule schedule(palette, Harbour, {{0, 3}, {2, 0}});
    QCOMPARE(schedule.entries().size(), 4);
    QVERIFY(schedule.entries()[2].resolved && !schedule.entries()[2].lab);
    QCOMPARE(schedule.title(), QStringLiteral("Colour schedule"));
    const QString pdf = writePdf(schedule, QStringLiteral("gaps.pdf"));
    const QString text
        = QString::fromUtf8(run(QStringLiteral("pdftotext"), {"-raw", pdf, "-"})).simplified();
    const qsizetype chip = text.indexOf(QStringLiteral("HB-106"));
    const qsizetype gone = text.indexOf(QStringLiteral("Row 1, column 5: this colour is not"));
    const qsizetype missing = text.indexOf(QStringLiteral("Row 4, column 1: this colour is not"));
    const qsizetype unmeasured = text.indexOf(QStringLiteral("HB-1 Harbour 4 – #ffffff –"));
    QVERIFY(chip > 0 && gone > chip && unmeasured > gone && missing > unmeasured);
}

// A palette file's chips of a collection not installed here, or whose code no longer matches.
void TestColorSchedule::fileGapsAreListed()
{
    const QString chip = QStringLiteral(
        "<chip row=\"%1\" col=\"%2\"><entry uuid-of-collection=\"%3\" page-index=\"1\" "
        "row-index=\"1\" color-code=\"%4\"/></chip>");
    const QString other = QUuid::createUuid().toString();
    const QString file = QStringLiteral("<orvo-palette version=\"3.0\" system=\"multi-collection\">"
                                        "<chips>%1%2%3</chips></orvo-palette>")
                             .arg(chip.arg(0).arg(1).arg(Harbour.toString(), "HB-100"),
                                  chip.arg(2).arg(3).arg(other, "X"),
                                  chip.arg(1).arg(0).arg(Harbour.toString(), "HB-999"));
    PaletteFileGaps gaps;
    const std::optional<PaletteModel> palette = parsePaletteFile(file.toUtf8(), nullptr, &gaps);
    QVERIFY(palette);
    QCOMPARE(gaps.cells, (QList<QPoint> {{0, 1}, {3, 2}}));
    QCOMPARE(gaps.emptyCells, 2);
    const ColorSchedule schedule(*palette, Harbour, gaps.cells);
    QCOMPARE(schedule.entries().size(), 3);
    QVERIFY(schedule.entries()[0].resolved && !schedule.entries()[1].resolved);
    QCOMPARE(schedule.entries()[2].cell, QPoint(3, 2));
}

void TestColorSchedule::paperFollowsTheLocale()
{
    QCOMPARE(ColorSchedule::pageSizeFor(QLocale(QStringLiteral("en_US"))).id(), QPageSize::Letter);
    QCOMPARE(ColorSchedule::pageSizeFor(QLocale(QStringLiteral("en_GB"))).id(), QPageSize::A4);
    QCOMPARE(ColorSchedule::pageSizeFor(QLocale(QStringLiteral("de_DE"))).id(), QPageSize::A4);
}

void TestColorSchedule::buttonAsksAndReportsFailure()
{
    UserSettings::setLastUsedCollection(Harbour);
    QStringList asked;
    QString answer = m_folder.filePath(QStringLiteral("asked.pdf"));
    const auto dialog
        = [&](QWidget *, const QString &caption, const QString &path, const QString &filter) {
              asked = {caption, path, filter};
              return answer;
          };
    QVERIFY(exportColorSchedule(m_full, nullptr, dialog));
    QCOMPARE(asked,
             (QStringList {
                 "Save a colour schedule",
                 QDir(qEnvironmentVariable("VEXA_DOCUMENTS_DIR")).filePath("Colour schedule.pdf"),
                 "PDF documents (*.pdf)"}));
    QFile written(answer);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.read(5) == "%PDF-");

    answer = m_folder.filePath(QStringLiteral("gone/asked.pdf"));
    QString said;
    acceptNextMessageBox(said);
    QVERIFY(!exportColorSchedule(m_full, nullptr, dialog));
    QVERIFY2(said.contains(QStringLiteral("The colour schedule could not be written.\n") + answer),
             qPrintable(said));
}

QTEST_MAIN(TestColorSchedule)
#include "tst_colorschedule.moc"
