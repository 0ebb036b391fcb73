#include "schemefixture.h"

#include "palette/colorscience.h"
#include "support/fixturedatabase.h"

#include <QSqlQuery>

namespace SchemeFixture {

namespace {

const QList<QUuid> Collections {Mosaic, Ledger, Deck, Plain, Kiln};

struct Written
{
    qint64 id = -1;
    QList<qint64> pages;
    // Row IDs by page and position, both from 1.
    QList<QList<qint64>> rows;
};

// pageSizes[i] chips on page i + 1, in segment segments[i].
Written addDeck(FixtureDatabase &file, const QUuid &uuid, const QString &code,
                const QList<int> &pageSizes, const QList<int> &segments)
{
    Written deck;
    deck.id = file.addCollection(uuid, code, code, int(Collections.indexOf(uuid)) + 1);
    deck.pages << -1;
    deck.rows << QList<qint64>();
    for (int page = 1; page <= pageSizes.size(); ++page) {
        deck.pages << file.addPage(deck.id, page, segments[page - 1],
                                   QStringLiteral("P%1").arg(page));
        QList<qint64> rows {-1};
        for (int row = 1; row <= pageSizes[page - 1]; ++row)
            rows << file.addRow(deck.id, deck.pages.last(), row,
                                QStringLiteral("%1-%2-%3").arg(code).arg(page).arg(row),
                                chipColor(uuid, page, row));
        deck.rows << rows;
    }
    return deck;
}

void addRowScheme(FixtureDatabase &file, const Written &deck, qint64 source, int scheme,
                  int pageOrder, const QList<qint64> &chips)
{
    for (int order = 0; order < chips.size(); ++order)
        file.exec(QStringLiteral("INSERT INTO ROW_SCHEME_MAP (COLLECTION_ID, ROW_ID, SCHEME_ID, "
                                 "SCHEME_ROW_ID, PAGE_ORDER, ROW_ORDER) VALUES (?,?,?,?,?,?)"),
                  {deck.id, source, scheme, chips[order], pageOrder, order + 1});
}

void addPageScheme(FixtureDatabase &file, const Written &deck, int page, int scheme,
                   const QList<int> &schemePages)
{
    for (int order = 0; order < schemePages.size(); ++order)
        file.exec(QStringLiteral("INSERT INTO PAGE_SCHEME (COLLECTION_ID, PAGE_ID, SCHEME_PAGE_ID, "
                                 "SCHEME_ID, \"ORDER\") VALUES (?,?,?,?,?)"),
                  {deck.id, deck.pages[page], deck.pages[schemePages[order]], scheme, order});
}

void addRowToPageScheme(FixtureDatabase &file, const Written &deck, qint64 source, int scheme,
                        const QList<int> &schemePages)
{
    for (int order = 0; order < schemePages.size(); ++order)
        file.exec(
            QStringLiteral("INSERT INTO ROW_TO_PAGE_SCHEME (COLLECTION_ID, ROW_ID, SCHEME_ID, "
                           "SCHEME_PAGE_ID, \"ORDER\") VALUES (?,?,?,?,?)"),
            {deck.id, source, scheme, deck.pages[schemePages[order]], order});
}

void addSchemeSettings(FixtureDatabase &file, const Written &deck, const QString &mode,
                       const QStringList &schemes, int maxChips)
{
    file.addSetting(deck.id, QStringLiteral("has.color.schemes.page"), 1);
    file.addSetting(deck.id, QStringLiteral("mode.card"), mode);
    file.addSetting(deck.id, QStringLiteral("max.chips.on.a.page"), maxChips);
    for (int index = 0; index < schemes.size(); ++index)
        file.addSetting(deck.id, QStringLiteral("schemes"), schemes[index], index);
}

void writeLabValues(FixtureDatabase &file)
{
    QSqlQuery rows(file.database());
    rows.exec(QStringLiteral(R"(SELECT ID, RED, GREEN, BLUE FROM "ROW")"));
    while (rows.next()) {
        const Sorven::LabColor lab = Sorven::labFromColor(
            QColor(rows.value(1).toInt(), rows.value(2).toInt(), rows.value(3).toInt()));
        file.exec(QStringLiteral(R"(UPDATE "ROW" SET L = ?, A = ?, B = ? WHERE ID = ?)"),
                  {lab.l, lab.a, lab.b, rows.value(0)});
    }
}

} // namespace

QColor chipColor(const QUuid &collection, int page, int row)
{
    const int hue = (int(Collections.indexOf(collection)) * 71 + page * 53 + row * 23) % 360;
    return QColor(QColor::fromHsv(hue, 150 + 20 * row % 100, 140 + 25 * page % 110).rgb());
}

void write()
{
    FixtureDatabase file(QStringLiteral("schemes.db"));
    file.addTheme(0, QStringLiteral("list.of.preferred.font.faces"), "DejaVu Sans,10");

    // Harmonic: two rows of four from two segments; contrast: five chips, not whole rows;
    // tonal neutral: one row.
    const Written mosaic = addDeck(file, Mosaic, QStringLiteral("M"), {4, 4, 4, 4}, {1, 2, 3, 4});
    addSchemeSettings(
        file, mosaic, QStringLiteral("ModeColorToColor"),
        {QStringLiteral("harmonic"), QStringLiteral("contrast"), QStringLiteral("neutral")}, 4);
    const qint64 source = mosaic.rows[1][1];
    addRowScheme(file, mosaic, source, 1, 0, mosaic.rows[2].mid(1));
    addRowScheme(file, mosaic, source, 1, 1, mosaic.rows[3].mid(1));
    addRowScheme(file, mosaic, source, 2, 0, mosaic.rows[2].mid(1) + mosaic.rows[3].mid(1, 1));
    addRowScheme(file, mosaic, source, 7, 0, mosaic.rows[4].mid(1));
    file.addSetting(mosaic.id, QStringLiteral("color.tooltip.show.row.code"), 1);
    for (const char *name : {"harmonic", "contrast", "tonal.neutral", "complementary.neutral"})
        file.addLocale(mosaic.id,
                       QStringLiteral("harmonizer.palette.scheme.") + QLatin1String(name),
                       QString::fromLatin1(name).section(u'.', 0, 0));
    file.addLocale(mosaic.id, QStringLiteral("tiptext.harmonizer.palette.scheme.harmonic"),
                   QStringLiteral("Close hues\nside by side"));

    // Two scheme pages of the same segment still make two rows.
    const Written ledger = addDeck(file, Ledger, QStringLiteral("L"), {3, 3, 3}, {1, 2, 2});
    addSchemeSettings(file, ledger, QStringLiteral("ModeColorToCard"),
                      {QStringLiteral("harmonic"), QStringLiteral("neutral")}, 3);
    addRowToPageScheme(file, ledger, ledger.rows[1][1], 1, {2, 3});
    addRowToPageScheme(file, ledger, ledger.rows[1][1], 6, {3});

    // Page 2 offers a complementary neutral scheme, page 1 does not.
    const Written deck = addDeck(file, Deck, QStringLiteral("D"), {2, 3, 4, 2}, {1, 2, 3, 4});
    addSchemeSettings(file, deck, QStringLiteral("ModeCardToCard"),
                      {QStringLiteral("harmonic"), QStringLiteral("neutral")}, 0);
    addPageScheme(file, deck, 1, 1, {2, 3, 4});
    addPageScheme(file, deck, 1, 7, {3});
    addPageScheme(file, deck, 2, 7, {4});
    addPageScheme(file, deck, 2, 8, {3});
    addPageScheme(file, deck, 3, 1, {1});

    // Plain's only chip is Deck's page 3, row 2 in colour.
    const Written plain = addDeck(file, Plain, QStringLiteral("P"), {1}, {1});
    file.exec(QStringLiteral(R"(UPDATE "ROW" SET RED = ?, GREEN = ?, BLUE = ? WHERE ID = ?)"),
              {chipColor(Deck, 3, 2).red(), chipColor(Deck, 3, 2).green(),
               chipColor(Deck, 3, 2).blue(), plain.rows[1][1]});

    // Row 1 has its trio, stored out of order; row 2 only a contrast partner.
    const Written kiln = addDeck(file, Kiln, QStringLiteral("K"), {3, 3}, {1, 7});
    file.addSetting(kiln.id, QStringLiteral("card.type"), QStringLiteral("polvaron"));
    addRowScheme(file, kiln, kiln.rows[1][1], 3, 1, {kiln.rows[2][3]});
    addRowScheme(file, kiln, kiln.rows[1][1], 2, 0, {kiln.rows[2][2]});
    addRowScheme(file, kiln, kiln.rows[1][1], 3, 0, {kiln.rows[2][1]});
    addRowScheme(file, kiln, kiln.rows[1][2], 2, 0, {kiln.rows[2][2]});

    writeLabValues(file);
}

} // namespace SchemeFixture
