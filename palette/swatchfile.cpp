#include "palette/swatchfile.h"

#include "core/collectionsettings.h"
#include "palette/filesaving.h"

#include <QDataStream>
#include <QFileInfo>

namespace Sorven {

namespace {

// GIMP shows the palette in rows as long as My Palette's.
constexpr int GimpColumns = PaletteModel::Columns;

constexpr quint16 AseGroupStart = 0xC001;
constexpr quint16 AseGroupEnd = 0xC002;
constexpr quint16 AseColorEntry = 0x0001;
// A plain process colour: neither global (linked) nor spot (a separate printing plate).
constexpr quint16 AseNormalColor = 2;
// A name's length, terminating zero included, is a 16-bit count of UTF-16 code units.
constexpr int AseMaximumNameUnits = 0xFFFE;

// Readers drop a whole GIMP palette over a line of about a thousand bytes.
constexpr qsizetype GimpMaximumLineBytes = 999;

template<typename Fill>
QByteArray bigEndian(Fill fill)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::BigEndian);
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
    fill(out);
    return bytes;
}

void writeAseName(QDataStream &out, const QString &name)
{
    QString units = oneLineName(name).left(AseMaximumNameUnits);
    if (!units.isEmpty() && units.back().isHighSurrogate())
        units.chop(1);
    out << quint16(units.size() + 1);
    for (const QChar unit : units)
        out << quint16(unit.unicode());
    out << quint16(0);
}

void writeAseBlock(QDataStream &out, quint16 type, const QByteArray &body)
{
    out << type << quint32(body.size());
    out.writeRawData(body.constData(), int(body.size()));
}

QByteArray aseColorBody(const ExportColor &color)
{
    return bigEndian([&color](QDataStream &out) {
        writeAseName(out, color.name);
        out.writeRawData("RGB ", 4);
        for (const int channel : {qRed(color.rgb), qGreen(color.rgb), qBlue(color.rgb)})
            out << float(channel) / 255.0f;
        out << AseNormalColor;
    });
}

} // namespace

QString swatchPaletteName(const QString &description, const QString &path)
{
    const QString trimmed = description.trimmed();
    if (!trimmed.isEmpty())
        return trimmed;
    const QFileInfo file(path);
    return file.completeBaseName().isEmpty() ? file.fileName() : file.completeBaseName();
}

QByteArray gimpPaletteBytes(const QString &paletteName, const QList<ExportColor> &colors)
{
    // Each line with its line feed stays within GimpMaximumLineBytes.
    const auto line = [](const QString &start, const QString &name) {
        const qsizetype room = GimpMaximumLineBytes - start.toUtf8().size() - 1;
        return start + utf8Prefix(oneLineName(name), room) + u'\n';
    };
    QString text = QStringLiteral("GIMP Palette\n") + line(QStringLiteral("Name: "), paletteName)
        + QStringLiteral("Columns: %1\n#\n").arg(GimpColumns);
    for (const ExportColor &color : colors)
        text += line(QStringLiteral("%1 %2 %3\t")
                         .arg(qRed(color.rgb), 3)
                         .arg(qGreen(color.rgb), 3)
                         .arg(qBlue(color.rgb), 3),
                     color.name);
    return text.toUtf8();
}

QByteArray adobeSwatchExchangeBytes(const QString &paletteName, const QList<ExportColor> &colors)
{
    return bigEndian([&](QDataStream &out) {
        out.writeRawData("ASEF", 4);
        out << quint16(1) << quint16(0) << quint32(colors.size() + 2);
        writeAseBlock(out, AseGroupStart,
                      bigEndian([&](QDataStream &name) { writeAseName(name, paletteName); }));
        for (const ExportColor &color : colors)
            writeAseBlock(out, AseColorEntry, aseColorBody(color));
        writeAseBlock(out, AseGroupEnd, {});
    });
}

bool saveSwatchFile(const PaletteModel &palette, SwatchFileFormat format,
                    const QUuid &selectedCollection, const QString &path, QString *reason)
{
    const QString name = swatchPaletteName(palette.description(), path);
    const QList<ExportColor> colors = exportColors(
        palette, CollectionSettings::exportColorNameAppendProductCode(selectedCollection));
    return saveWholeFile(path,
                         format == GimpPaletteFile ? gimpPaletteBytes(name, colors)
                                                   : adobeSwatchExchangeBytes(name, colors),
                         reason);
}

} // namespace Sorven
