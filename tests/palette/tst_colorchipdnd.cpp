#include "db/connections.h"
#include "palette/colorchipdnd.h"
#include "palette/colorchipdrag.h"
#include "palette/dndjson.h"
#include "support/fixturedatabase.h"

#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QTest>

#include <memory>

using namespace Sorven;

namespace {

const QUuid Harbour {QStringLiteral("{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}")};
// Beyond 2^53: an ID that passed through a double would come back changed.
constexpr qint64 LargeColorId = 9007199254740993LL;

const QString FreeName1 = QStringLiteral("Say \"hi\" \\ back/slash\b\f\n\r\t");
const QString FreeName2 = QStringLiteral("Crème brûlée \x01 🎨");
const QRgb FreeRgb = 0xffff6600;

QByteArray golden(const QString &name)
{
    QFile file(QFINDTESTDATA(QStringLiteral("../data/dnd/") + name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

std::unique_ptr<QMimeData> mimeData(const QByteArray &payload,
                                    const QString &type = ColorChipDndMimeType)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(type, payload);
    return data;
}

QVariantMap map(std::initializer_list<std::pair<QString, QVariant>> members)
{
    QVariantMap result;
    for (const auto &[key, value] : members)
        result.insert(key, value);
    return result;
}

} // namespace

class TestColorChipDnd : public QObject
{
    Q_OBJECT

private slots:
    void recordsMatchTheirGoldenFiles()
    {
        QCOMPARE(colorChipDndRecord(MyPaletteDndSource, Harbour, LargeColorId),
                 golden(QStringLiteral("chip-record.json")));
        QCOMPARE(colorDndRecord(TrendoraDndSource, FreeRgb, FreeName1, FreeName2),
                 golden(QStringLiteral("free-colour-record.json")));
    }

    void freeColourGoldenFileReadsBack()
    {
        const auto data = mimeData(golden(QStringLiteral("free-colour-record.json")));
        QCOMPARE(colorChipDndSource(data.get()), int(TrendoraDndSource));
        QVERIFY(hasColorChipDndRgb(data.get()));
        QColor color;
        QCOMPARE(readColorChipDndRgb(data.get(), color), 0);
        QCOMPARE(color.rgba(), FreeRgb);
        QCOMPARE(color.alpha(), 255);
        QString name1;
        QString name2;
        QCOMPARE(readColorChipDndNames(data.get(), name1, name2), 0);
        QCOMPARE(name1, FreeName1);
        QCOMPARE(name2, FreeName2);
    }

    void writerForms_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("whole double keeps a fraction") << QVariant(2.0) << QByteArray("2.0");
        QTest::newRow("double with exponent") << QVariant(1e21) << QByteArray("1e+21");
        QTest::newRow("double to 20 digits")
            << QVariant(0.1) << QByteArray("0.10000000000000000555");
        QTest::newRow("not a number is null") << QVariant(qQNaN()) << QByteArray("null");
        QTest::newRow("negative integer") << QVariant(qint64(-42)) << QByteArray("-42");
        QTest::newRow("booleans and null in an array")
            << QVariant(QVariantList {true, false, QVariant()})
            << QByteArray("[ true, false, null ]");
        QTest::newRow("empty object") << QVariant(QVariantMap()) << QByteArray("{  }");
        QTest::newRow("keys in ascending order, nested")
            << QVariant(map({{"b", QVariantList {1}}, {"B", map({{"z", "y"}})}, {"a", "x"}}))
            << QByteArray(R"({ "B" : { "z" : "y" }, "a" : "x", "b" : [ 1 ] })");
        QTest::newRow("lone surrogates escaped, pairs kept")
            << QVariant(QString::fromUtf16(u"\xd83c\xfffd\xdfa8\xd83c\xdfa8"))
            << QByteArray("\"\\ud83c\xef\xbf\xbd\\udfa8\xf0\x9f\x8e\xa8\"");
    }

    void writerForms()
    {
        QFETCH(QVariant, value);
        QFETCH(QByteArray, text);
        QCOMPARE(DndJson::write(value), text);
    }

    void loneSurrogatesReadBackUnchanged()
    {
        const QVariant value(QString::fromUtf16(u"a\xdfa8"
                                                u"b\xd83c"));
        QCOMPARE(DndJson::read(DndJson::write(value)), std::optional(value));
    }

    void readerAccepts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("white space between tokens")
            << QByteArray(" \t\n\r{\r\n\"a\"\t:\n[ 1 ,2 ] } \n")
            << QVariant(map({{"a", QVariantList {quint64(1), quint64(2)}}}));
        QTest::newRow("minus makes a signed integer")
            << QByteArray("-9223372036854775808") << QVariant(std::numeric_limits<qint64>::min());
        QTest::newRow("unsigned beyond signed range")
            << QByteArray("18446744073709551615") << QVariant(std::numeric_limits<quint64>::max());
        QTest::newRow("fraction makes a double") << QByteArray("-0.5") << QVariant(-0.5);
        QTest::newRow("exponent makes a double") << QByteArray("1e+21") << QVariant(1e21);
        QTest::newRow("escapes") << QByteArray("\"\\\"\\\\\\/\\b\\f\\n\\r\\t\\u00e9\\u00C9\"")
                                 << QVariant(QStringLiteral("\"\\/\b\f\n\r\téÉ"));
        QTest::newRow("surrogate pair from two escapes")
            << QByteArray("\"\\ud83c\\udfa8\"") << QVariant(QStringLiteral("🎨"));
        QTest::newRow("raw control character as written")
            << QByteArray("\"a\x01\"") << QVariant(QStringLiteral("a\x01"));
        QTest::newRow("literals") << QByteArray("[true,false,null]")
                                  << QVariant(QVariantList {true, false, QVariant()});
        QTest::newRow("later duplicate key wins")
            << QByteArray(R"({"a":1,"a":2})") << QVariant(map({{"a", quint64(2)}}));
    }

    void readerAccepts()
    {
        QFETCH(QByteArray, text);
        QFETCH(QVariant, value);
        const std::optional<QVariant> read = DndJson::read(text);
        QVERIFY(read);
        QCOMPARE(read->typeId(), value.typeId());
        QCOMPARE(*read, value);
    }

    void readerRejects_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("trailing text") << QByteArray("{} x");
        QTest::newRow("two values") << QByteArray("1 2");
        QTest::newRow("unterminated string") << QByteArray("{\"a\" : \"b");
        QTest::newRow("unknown escape") << QByteArray("\"\\x41\"");
        QTest::newRow("short unicode escape") << QByteArray("\"\\u12\"");
        QTest::newRow("signed unicode escape") << QByteArray("\"\\u+123\"");
        QTest::newRow("missing colon") << QByteArray(R"({"a" 1})");
        QTest::newRow("key not a string") << QByteArray("{1 : 2}");
        QTest::newRow("trailing comma") << QByteArray("[1,]");
        QTest::newRow("unclosed object") << QByteArray(R"({"a" : 1)");
        QTest::newRow("misspelt literal") << QByteArray("tru");
        QTest::newRow("number that is no number") << QByteArray("--1");
        QTest::newRow("integer out of range") << QByteArray("18446744073709551616");
        QTest::newRow("nested beyond reason") << QByteArray(100000, '[');
    }

    void readerRejects()
    {
        QFETCH(QByteArray, text);
        QVERIFY(!DndJson::read(text));
    }

    void sourceKinds_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("source");
        QTest::newRow("card roller") << colorChipDndRecord(1, Harbour, 7) << 1;
        QTest::newRow("trend groups") << colorDndRecord(4, FreeRgb, {}, {}) << 4;
        QTest::newRow("zero") << colorChipDndRecord(0, Harbour, 7) << 0;
        QTest::newRow("five") << colorChipDndRecord(5, Harbour, 7) << 0;
        QTest::newRow("from as text") << QByteArray(R"({ "from" : "2" })") << 0;
        QTest::newRow("from as double") << QByteArray(R"({ "from" : 2.0 })") << 0;
        QTest::newRow("from beyond int") << QByteArray(R"({ "from" : 4294967298 })") << 0;
        QTest::newRow("no from") << QByteArray("{ }") << 0;
        QTest::newRow("array, not object") << QByteArray("[ 1 ]") << 0;
        QTest::newRow("malformed") << QByteArray(R"({ "from" : 2 )") << 0;
        QTest::newRow("not UTF-8 JSON") << QByteArray("\xff\xfe{") << 0;
    }

    void sourceKinds()
    {
        QFETCH(QByteArray, payload);
        QFETCH(int, source);
        const auto data = mimeData(payload);
        QVERIFY(hasColorChipDndInfo(data.get()));
        QCOMPARE(colorChipDndSource(data.get()), source);
    }

    void otherMimeTypesCarryNoRecord()
    {
        const auto data = mimeData(colorChipDndRecord(2, Harbour, 7), QStringLiteral("text/plain"));
        QVERIFY(!hasColorChipDndInfo(data.get()));
        QVERIFY(!hasColorChipDndInfo(nullptr));
        QCOMPARE(colorChipDndSource(data.get()), 0);
        QCOMPARE(colorChipDndSource(nullptr), 0);
    }

    void malformedPayloadsReadAsMinusOneAndResetOutputs_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("type");
        QTest::newRow("unparsable") << QByteArray("{ \"from\" : 4, ") << ColorChipDndMimeType;
        QTest::newRow("not an object") << QByteArray("\"text\"") << ColorChipDndMimeType;
        QTest::newRow("other type") << colorDndRecord(4, FreeRgb, FreeName1, FreeName2)
                                    << QStringLiteral("application/json");
    }

    void malformedPayloadsReadAsMinusOneAndResetOutputs()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QString, type);
        const auto data = mimeData(payload, type);
        QUuid collection = Harbour;
        DB::ColorEntry entry;
        entry.id = 12;
        QCOMPARE(readColorChipDndEntry(data.get(), collection, entry), -1);
        QVERIFY(collection.isNull());
        QCOMPARE(entry.id, qint64(-1));
        QColor color(Qt::red);
        QCOMPARE(readColorChipDndRgb(data.get(), color), -1);
        QVERIFY(!color.isValid());
        QString name1 = QStringLiteral("left over");
        QString name2 = name1;
        QCOMPARE(readColorChipDndNames(data.get(), name1, name2), -1);
        QVERIFY(name1.isEmpty() && name2.isEmpty());
        QVERIFY(!hasColorChipDndRgb(data.get()));
    }

    void chipRecordLoadsTheChip_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("result");
        QTest::newRow("braced identifier") << QByteArray() << int(DB::Success);
        QTest::newRow("identifier without braces")
            << QByteArray(R"({ "collectuionUuid" : "5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716", )"
                          R"("colorId" : %1, "from" : 2 })")
            << int(DB::Success);
        QTest::newRow("chip no longer there")
            << QByteArray(R"({ "collectuionUuid" : "{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}", )"
                          R"("colorId" : 999, "from" : 2 })")
            << int(DB::QueryFailed);
        QTest::newRow("collection not installed")
            << QByteArray(R"({ "collectuionUuid" : "{00000000-1111-4222-8333-444444444444}", )"
                          R"("colorId" : %1, "from" : 2 })")
            << int(DB::UnknownCollection);
        QTest::newRow("no collection")
            << QByteArray(R"({ "colorId" : %1, "from" : 2 })") << int(DB::NullCollection);
    }

    void chipRecordLoadsTheChip()
    {
        QFETCH(QByteArray, payload);
        QFETCH(int, result);
        resetDatabaseLayer();
        FixtureDatabase fixture(QStringLiteral("dnd.db"));
        const qint64 collectionId = fixture.addCollection(Harbour, "HARBOUR", "Harbour", 1);
        const qint64 page = fixture.addPage(collectionId, 1, 1, QStringLiteral("Coral"));
        const qint64 chip = fixture.addRow(collectionId, page, 1, "C-1", QColor(10, 20, 30));
        fixture.close();

        payload = payload.isEmpty() ? colorChipDndRecord(2, Harbour, chip)
                                    : payload.replace("%1", QByteArray::number(chip));
        const auto data = mimeData(payload);
        QUuid collection;
        DB::ColorEntry entry;
        QCOMPARE(readColorChipDndEntry(data.get(), collection, entry), result);
        if (result == DB::Success) {
            QCOMPARE(collection, Harbour);
            QCOMPARE(entry.id, chip);
            QCOMPARE(entry.code, QStringLiteral("C-1"));
        }
    }

    // Other applications take the colour data or the text; the record stays byte for byte.
    void dragsSpeakToOtherApplications()
    {
        DB::ColorEntry chip;
        chip.id = LargeColorId;
        chip.code = QStringLiteral("H-101");
        chip.names = {QStringLiteral("Coral  Red")};
        chip.red = 200;
        chip.green = 30;
        chip.blue = 40;
        const std::unique_ptr<QMimeData> chipData(
            colorChipMimeData(MyPaletteDndSource, Harbour, chip));
        QCOMPARE(chipData->data(ColorChipDndMimeType), golden(QStringLiteral("chip-record.json")));
        QCOMPARE(qvariant_cast<QColor>(chipData->colorData()), QColor(200, 30, 40));
        // Plain "#rrggbb", which other programs paste as a colour.
        QCOMPARE(chipData->text(), QStringLiteral("#c81e28"));

        const std::unique_ptr<QMimeData> freeData(
            colorMimeData(TrendoraDndSource, QColor::fromRgba(FreeRgb), FreeName1, FreeName2));
        QCOMPARE(freeData->data(ColorChipDndMimeType),
                 golden(QStringLiteral("free-colour-record.json")));
        QCOMPARE(freeData->text(), QStringLiteral("#ff6600"));
        // A record speaks for itself, whatever its text says.
        QVERIFY(!foreignColor(freeData.get()));
        QCOMPARE(colorDropSource(freeData.get()), int(TrendoraDndSource));
    }

    void foreignColours_data()
    {
        QTest::addColumn<QVariant>("offered");
        QTest::addColumn<QColor>("color");
        QTest::newRow("hex") << QVariant("#C81E28") << QColor(200, 30, 40);
        QTest::newRow("hex with a second line")
            << QVariant(" #c81e28 \nH-101") << QColor(200, 30, 40);
        QTest::newRow("rgb()") << QVariant("RGB( 0,128 ,255 )") << QColor(0, 128, 255);
        QTest::newRow("colour data") << QVariant(QColor(1, 2, 3)) << QColor(1, 2, 3);
        QTest::newRow("short hex") << QVariant("#c81") << QColor();
        QTest::newRow("channel beyond 255") << QVariant("rgb(256, 0, 0)") << QColor();
        QTest::newRow("colour name") << QVariant("red") << QColor();
        QTest::newRow("colour on the second line") << QVariant("Coral\n#c81e28") << QColor();
        QTest::newRow("nothing") << QVariant() << QColor();
    }

    void foreignColours()
    {
        QFETCH(QVariant, offered);
        QFETCH(QColor, color);
        QMimeData data;
        if (offered.typeId() == QMetaType::QColor)
            data.setColorData(offered);
        else if (offered.isValid())
            data.setText(offered.toString());
        const std::optional<QColor> read = foreignColor(&data);
        QCOMPARE(read.value_or(QColor()), color);
        QCOMPARE(colorDropSource(&data), color.isValid() ? int(ForeignColorDndSource) : 0);
        // "from" 5 in a record is still no source.
        data.setData(ColorChipDndMimeType, colorChipDndRecord(5, Harbour, 7));
        QCOMPARE(colorDropSource(&data), 0);
    }

    void dragPixmapFadesTheColourAndNamesIt()
    {
        const QImage image
            = colorChipDragPixmap(QColor(0, 128, 255), QStringLiteral("WWW")).toImage();
        QCOMPARE(image.size(), QSize(128, 64));
        // Pixels are sampled at their centres, a little way into the gradient.
        const QColor corner = image.pixelColor(0, 0);
        QVERIFY2(qAbs(corner.green() - 128) <= 2 && corner.blue() == 255 && corner.alpha() >= 250,
                 qPrintable(corner.name(QColor::HexArgb)));
        // The gradient runs to (16, 63); beyond its end the last stop holds.
        QCOMPARE(image.pixelColor(40, 63).alpha(), 160);
        QCOMPARE(image.pixelColor(127, 63).alpha(), 160);
        const int lowerLeft = image.pixelColor(0, 63).alpha();
        QVERIFY2(lowerLeft > 160 && lowerLeft < 208, qPrintable(QString::number(lowerLeft)));
        const auto dark = [&image](QRect area) {
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    if (qGray(image.pixel(x, y)) < 40)
                        return true;
                }
            }
            return false;
        };
        QVERIFY(dark(QRect(64, 2, 62, 20)));
        QVERIFY(!dark(QRect(0, 0, 60, 64)));
        QVERIFY(!dark(QRect(0, 40, 128, 24)));
    }
};

QTEST_MAIN(TestColorChipDnd)
#include "tst_colorchipdnd.moc"
