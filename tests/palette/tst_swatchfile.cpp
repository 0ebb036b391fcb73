#include "db/connections.h"
#include "palette/colorbook.h"
#include "palette/palettefile.h"
#include "palette/swatchfile.h"
#include "support/fixturedatabase.h"
#include "support/palettefixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <QtEndian>

#include <bit>
#include <optional>

using namespace Sorven;

namespace {

// What another colour tool sees in a swatch file.
struct ReadSwatches
{
    QString name;
    QList<ExportColor> colors;
};

// GIMP's palette rules: the magic line, "Name:" and "Columns:" (0 to 256) on the next lines,
// then "#" comments, blank lines and "R G B name" lines, all in UTF-8.
std::optional<ReadSwatches> readGimpPalette(const QByteArray &bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QStringList lines = text.split(u'\n');
    if (text.toUtf8() != bytes || lines.takeLast() != QString() || lines.size() < 3
        || lines.takeFirst() != QLatin1String("GIMP Palette")
        || !lines.first().startsWith(QLatin1String("Name: ")))
        return std::nullopt;
    ReadSwatches read {lines.takeFirst().mid(6).trimmed(), {}};
    bool ok = false;
    const int columns = lines.takeFirst().section(QLatin1String("Columns: "), 1).toInt(&ok);
    if (!ok || columns < 0 || columns > 256)
        return std::nullopt;
    static const QRegularExpression entry(
        QStringLiteral("^\\s*(\\d+)\\s+(\\d+)\\s+(\\d+)\\s*(.*)$"));
    for (const QString &line : lines) {
        if (line.startsWith(u'#') || line.trimmed().isEmpty())
            continue;
        const QRegularExpressionMatch match = entry.match(line);
        const int r = match.captured(1).toInt(), g = match.captured(2).toInt(),
                  b = match.captured(3).toInt();
        if (!match.hasMatch() || r > 255 || g > 255 || b > 255)
            return std::nullopt;
        read.colors.append({match.captured(4).trimmed(), qRgb(r, g, b)});
    }
    return read;
}

// Adobe Swatch Exchange: "ASEF", version 1.0, a block count, then blocks of a 16-bit type and a
// 32-bit length, all big-endian. Names are a 16-bit count of UTF-16 units, the last one zero.
class AseReader
{
public:
    explicit AseReader(const QByteArray &bytes) : m_bytes(bytes) { }

    std::optional<ReadSwatches> read()
    {
        ReadSwatches swatches;
        if (raw(4) != "ASEF" || u16() != 1 || u16() != 0)
            return std::nullopt;
        int depth = 0;
        for (quint32 blocks = u32(); blocks > 0 && m_ok; --blocks) {
            const quint16 type = u16();
            AseReader block(raw(u32()));
            if (type == 0xC001 && depth++ == 0)
                swatches.name = block.name();
            else if (type == 0x0001)
                swatches.colors.append(block.color());
            else if (type == 0xC002)
                --depth;
            else
                return std::nullopt;
            m_ok = m_ok && block.m_ok && block.m_pos == block.m_bytes.size();
        }
        if (!m_ok || depth != 0 || m_pos != m_bytes.size())
            return std::nullopt;
        return swatches;
    }

private:
    QByteArray raw(qsizetype size)
    {
        m_ok = m_ok && size <= m_bytes.size() - m_pos;
        const QByteArray part = m_ok ? m_bytes.mid(m_pos, size) : QByteArray(size, 0);
        m_pos += m_ok ? size : 0;
        return part;
    }
    quint16 u16() { return qFromBigEndian<quint16>(raw(2).constData()); }
    quint32 u32() { return qFromBigEndian<quint32>(raw(4).constData()); }
    int channel() { return qRound(std::bit_cast<float>(u32()) * 255); }

    QString name()
    {
        QList<char16_t> units(u16());
        for (char16_t &unit : units)
            unit = u16();
        m_ok = m_ok && !units.isEmpty() && units.takeLast() == 0;
        return QString::fromUtf16(units.constData(), units.size());
    }

    ExportColor color()
    {
        ExportColor color {name(), 0};
        m_ok = m_ok && raw(4) == "RGB ";
        const int r = channel(), g = channel(), b = channel();
        color.rgb = qRgb(r, g, b);
        m_ok = m_ok && u16() <= 2;
        return color;
    }

    QByteArray m_bytes;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSwatchFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_fixture = std::make_unique<PaletteFixture>(); }
    void otherToolsReadTheExports_data();
    void otherToolsReadTheExports();
    void failuresAreReported();
    void namesStayOnOneLineAndApart();

private:
    std::unique_ptr<PaletteFixture> m_fixture;
    QTemporaryDir m_folder;
};

void TestSwatchFile::otherToolsReadTheExports_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QUuid>("selected");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("codes");

    const QStringList withProducts {"Q-7 - QX", "H-101 - S1, M2", "Q-8", "H-102", "Q-7 - QX"};
    const QStringList plain {"Q-7", "H-101", "Q-8", "H-102", "Q-7"};
    for (const int format : {int(GimpPaletteFile), int(AdobeSwatchExchangeFile)}) {
        const QString suffix = format == GimpPaletteFile ? QStringLiteral(".gpl") : ".ase";
        const auto row = [&](const char *name) -> QTestData & {
            return QTest::newRow(qPrintable(name + suffix)) << format;
        };
        row("description on one line, product codes")
            << PaletteFixture::Harbour << " Hafen &\tKai\n–  Abend "
            << "a" + suffix << "Hafen & Kai – Abend" << withProducts;
        row("file name without extension, plain codes")
            << PaletteFixture::Quay << ""
            << "harbour walk" + suffix << "harbour walk" << plain;
        row("name beyond the basic plane") << PaletteFixture::Quay << "Clef 𝄞 ünd Ω"
                                           << "b" + suffix << "Clef 𝄞 ünd Ω" << plain;
    }
}

// Palette order, one entry per cell with a chip (repeats and Quay's copy of Harbour's red kept),
// a chip that no longer loads left out.
void TestSwatchFile::otherToolsReadTheExports()
{
    QFETCH(int, format);
    QFETCH(QUuid, selected);
    QFETCH(QString, description);
    QFETCH(QString, fileName);
    QFETCH(QString, name);
    QFETCH(QStringList, codes);
    PaletteModel palette;
    palette.setDescription(description);
    palette.setEntry({0, 0}, m_fixture->quayGreen.index());
    palette.setEntry({4, 0}, m_fixture->harbourRed.index());
    palette.setEntry({1, 1}, m_fixture->quayRed.index());
    palette.setEntry({2, 1}, {PaletteFixture::Harbour, 1, 999});
    palette.setEntry({0, 2}, m_fixture->harbourBlue.index());
    palette.setEntry({5, 3}, m_fixture->quayGreen.index());
    const QString path = m_folder.filePath(fileName);
    QVERIFY(saveSwatchFile(palette, SwatchFileFormat(format), selected, path));

    const QByteArray bytes = contents(path);
    const std::optional<ReadSwatches> read
        = format == GimpPaletteFile ? readGimpPalette(bytes) : AseReader(bytes).read();
    QVERIFY(read);
    QCOMPARE(read->name, name);
    const QList<QRgb> rgbs {m_fixture->quayGreen.color.rgb(), m_fixture->harbourRed.color.rgb(),
                            m_fixture->quayRed.color.rgb(), m_fixture->harbourBlue.color.rgb(),
                            m_fixture->quayGreen.color.rgb()};
    QList<ExportColor> expected;
    for (int i = 0; i < codes.size(); ++i)
        expected.append({codes.at(i), rgbs.at(i)});
    QCOMPARE(read->colors, expected);
}

void TestSwatchFile::failuresAreReported()
{
    PaletteModel palette;
    palette.setEntry({0, 0}, m_fixture->quayGreen.index());
    QString reason;
    QVERIFY(!saveSwatchFile(palette, AdobeSwatchExchangeFile, PaletteFixture::Quay,
                            m_folder.filePath(QStringLiteral("gone/x.ase")), &reason));
    QVERIFY(!reason.isEmpty());
}

// Codes as a maker's database may hold them: with tabs and line breaks, two colours under one
// code, and codes longer than a GIMP palette line may be.
void TestSwatchFile::namesStayOnOneLineAndApart()
{
    const QUuid odd = QUuid::createUuid();
    const QString longCode
        = QString(492, QChar(0x00DC)) + QStringLiteral("𝄞") + QString(100, QChar(0x00DC));
    PaletteModel palette;
    {
        FixtureDatabase file(QStringLiteral("odd.db"));
        const qint64 id = file.addCollection(odd, "ODD", "Odd\tnames", 3);
        const qint64 page = file.addPage(id, 1, 1, QStringLiteral("P"));
        const QList<std::pair<QString, QColor>> chips {
            {" A\tB\r\n C ", QColor(1, 2, 3)},
            {"A B C", QColor(4, 5, 6)},
            {"a b c", QColor(7, 8, 9)},
            {longCode, QColor(10, 11, 12)},
        };
        for (int i = 0; i < chips.size(); ++i)
            palette.setEntry(
                {i, 0}, {odd, page, file.addRow(id, page, i + 1, chips[i].first, chips[i].second)});
    }
    resetDatabaseLayer();
    DB::ensureCollectionsEnumerated();

    const QByteArray gimp = gimpPaletteBytes(longCode, exportColors(palette, false));
    for (const QByteArray &line : gimp.split('\n'))
        QVERIFY(line.size() < 1000);
    const std::optional<ReadSwatches> read = readGimpPalette(gimp);
    QVERIFY(read);
    QCOMPARE(read->colors.size(), 4);
    QCOMPARE(read->colors[0].name, QStringLiteral("A B C"));
    // Cut between characters: a four-byte one that does not fit whole is left out whole.
    QCOMPARE(read->colors[3].name, longCode.left(492));
    QCOMPARE(read->name, longCode.left(496));

    const QStringList text
        = QString::fromUtf8(paletteFileBytes(palette, PaletteTextFile)).split(u'\n');
    QCOMPARE(text.size(), 5);
    QCOMPARE(text[0], QStringLiteral("Odd names : A B C"));

    QXmlStreamReader book(colorBookBytes(QStringLiteral("Odd"), colorBookColors(palette, false)));
    QStringList names;
    while (!book.atEnd()) {
        if (book.readNext() == QXmlStreamReader::StartElement
            && book.name() == QLatin1String("colorName"))
            names << book.readElementText();
    }
    QCOMPARE(names, (QStringList {"A B C", "A B C (2)", "a b c (3)", longCode}));
    QFile::remove(fixtureDatabaseFolder() + QStringLiteral("/odd.db"));
    resetDatabaseLayer();
}

QTEST_GUILESS_MAIN(TestSwatchFile)
#include "tst_swatchfile.moc"
