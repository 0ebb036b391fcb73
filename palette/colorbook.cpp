#include "palette/colorbook.h"

#include "core/collectionsettings.h"
#include "palette/exportcolors.h"
#include "palette/filesaving.h"
#include "palette/xmldocumentwriter.h"

#include <QFileInfo>
#include <QSet>

namespace Sorven {

namespace {

void writeRgb(XmlDocumentWriter &xml, QRgb rgb)
{
    xml.startElement("RGB8");
    xml.textElement("red", QString::number(qRed(rgb)));
    xml.textElement("green", QString::number(qGreen(rgb)));
    xml.textElement("blue", QString::number(qBlue(rgb)));
    xml.endElement();
}

} // namespace

// The drawing program finds a book colour by its name, so two colours sharing a code must not
// share a name: a later entry of a name already used gets " (2)", " (3)" and so on.
QMap<QRgb, QString> colorBookColors(const PaletteModel &palette, bool appendProductCodes)
{
    QMap<QRgb, QString> colors;
    for (const ExportColor &color : exportColors(palette, appendProductCodes)) {
        if (!colors.contains(color.rgb))
            colors.insert(color.rgb, color.name);
    }
    QSet<QString> used;
    for (QString &name : colors) {
        QString unique = name;
        for (int n = 2; used.contains(unique.toCaseFolded()); ++n)
            unique = QStringLiteral("%1 (%2)").arg(name).arg(n);
        used.insert(unique.toCaseFolded());
        name = unique;
    }
    return colors;
}

QList<int> colorBookPageSizes(int colorCount)
{
    const int perPage = colorCount <= 8 ? 8
        : colorCount <= 16              ? (colorCount + 1) / 2
                                        : (colorCount + 2) / 3;
    QList<int> sizes;
    for (int left = colorCount; left > 0; left -= perPage)
        sizes.append(qMin(left, perPage));
    return sizes;
}

QString colorBookName(const QString &description, const QString &path)
{
    const QString trimmed = oneLineName(description);
    if (!trimmed.isEmpty())
        return trimmed;
    const QString fileName = QFileInfo(path).fileName();
    return fileName.isEmpty() ? QStringLiteral("AutoCAD Color Book by Orvo Kalin") : fileName;
}

QByteArray colorBookBytes(const QString &bookName, const QMap<QRgb, QString> &colors)
{
    XmlDocumentWriter xml;
    xml.startElement("colorBook");
    xml.text(QStringLiteral("\n\t"));
    xml.textElement("bookName", bookName);
    auto color = colors.cbegin();
    for (const int pageSize : colorBookPageSizes(int(colors.size()))) {
        xml.text(QStringLiteral("\n\t"));
        xml.startElement("colorPage");
        xml.text(QStringLiteral("\n\t\t"));
        xml.startElement("pageColor");
        writeRgb(xml, color.key());
        xml.endElement();
        for (int i = 0; i < pageSize; ++i, ++color) {
            xml.text(QStringLiteral("\n\t\t"));
            xml.startElement("colorEntry");
            xml.textElement("colorName", color.value());
            writeRgb(xml, color.key());
            xml.endElement();
        }
        xml.text(QStringLiteral("\n\t"));
        xml.endElement();
    }
    xml.text(QStringLiteral("\n"));
    xml.endElement();
    return xml.finish();
}

bool saveColorBook(const PaletteModel &palette, const QUuid &selectedCollection,
                   const QString &path, QString *reason)
{
    const QByteArray bytes = colorBookBytes(
        colorBookName(palette.description(), path),
        colorBookColors(palette,
                        CollectionSettings::exportColorNameAppendProductCode(selectedCollection)));
    if (bytes.isEmpty()) {
        if (reason)
            *reason = QStringLiteral("The colour book could not be built.");
        return false;
    }
    return saveWholeFile(path, bytes, reason);
}

} // namespace Sorven
