#include "tools/democapsure.h"

#include "palette/chromaticadaptation.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace Sorven::Demo {

namespace {

const QString CoreNamespace = QStringLiteral("http://colorexchangeformat.com/CxF3-core");
const QString Specification = QStringLiteral("D65-10");
// An older instrument in the same file measures for D50 and the 2 degree observer.
const QString OlderSpecification = QStringLiteral("D50-2");
// A fixed time, so that every build writes the same file.
const QString MeasuredAt = QStringLiteral("2026-03-02T10:30:00+01:00");

QString number(double value)
{
    return QString::number(value, 'f', 2);
}

void writeObject(QXmlStreamWriter &xml, const QString &name, const LabColor &lab,
                 const QString &conditions, int index)
{
    xml.writeStartElement(CoreNamespace, QStringLiteral("Object"));
    xml.writeAttribute(QStringLiteral("ObjectType"), QStringLiteral("Standard"));
    xml.writeAttribute(QStringLiteral("Name"), name);
    xml.writeAttribute(QStringLiteral("Id"), QStringLiteral("m%1").arg(index));
    xml.writeTextElement(CoreNamespace, QStringLiteral("CreationDate"), MeasuredAt);
    xml.writeStartElement(CoreNamespace, QStringLiteral("ColorValues"));
    xml.writeStartElement(CoreNamespace, QStringLiteral("ColorCIELab"));
    xml.writeAttribute(QStringLiteral("ColorSpecification"), conditions);
    xml.writeTextElement(CoreNamespace, QStringLiteral("L"), number(lab.l));
    xml.writeTextElement(CoreNamespace, QStringLiteral("A"), number(lab.a));
    xml.writeTextElement(CoreNamespace, QStringLiteral("B"), number(lab.b));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

// A surface no chip is named after, a little off the first measured chip: the palette offers
// the chips nearest to its colour.
LabColor unnamedSurface(const DemoChip &near)
{
    const XyzColor d50 = *standardWhitePoint(QStringLiteral("D50"), QStringLiteral("2_Degree"));
    return adaptedLab({near.l + 0.8, near.a - 0.6, near.b + 0.9}, D65White, d50);
}

// How the devices measure: CIE L*a*b* for an illuminant and observer, 45/0 geometry.
void writeSpecification(QXmlStreamWriter &xml, const QString &id, const QString &illuminant,
                        const QString &observer)
{
    xml.writeStartElement(CoreNamespace, QStringLiteral("ColorSpecification"));
    xml.writeAttribute(QStringLiteral("Id"), id);
    xml.writeStartElement(CoreNamespace, QStringLiteral("TristimulusSpec"));
    xml.writeTextElement(CoreNamespace, QStringLiteral("Illuminant"), illuminant);
    xml.writeTextElement(CoreNamespace, QStringLiteral("Observer"), observer);
    xml.writeTextElement(CoreNamespace, QStringLiteral("Method"), QStringLiteral("E308_Table5"));
    xml.writeEndElement();
    xml.writeStartElement(CoreNamespace, QStringLiteral("MeasurementSpec"));
    xml.writeTextElement(CoreNamespace, QStringLiteral("MeasurementType"),
                         QStringLiteral("Colorimetric_Reflectance"));
    xml.writeStartElement(CoreNamespace, QStringLiteral("GeometryChoice"));
    xml.writeStartElement(CoreNamespace, QStringLiteral("SingleAngle"));
    xml.writeTextElement(CoreNamespace, QStringLiteral("SingleAngleConfiguration"),
                         QStringLiteral("Annular"));
    xml.writeTextElement(CoreNamespace, QStringLiteral("IlluminationAngle"),
                         QStringLiteral("45.0"));
    xml.writeTextElement(CoreNamespace, QStringLiteral("MeasurementAngle"), QStringLiteral("0.0"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

} // namespace

bool writeCapsureSample(const QString &path, const QList<DemoChip> &measured, QString &error)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        error = QStringLiteral("cannot create the folder of %1").arg(path);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeNamespace(CoreNamespace, QStringLiteral("cc"));
    xml.writeStartDocument();
    xml.writeStartElement(CoreNamespace, QStringLiteral("CxF"));
    xml.writeStartElement(CoreNamespace, QStringLiteral("FileInformation"));
    xml.writeTextElement(CoreNamespace, QStringLiteral("Creator"), QStringLiteral("Capsure"));
    xml.writeTextElement(CoreNamespace, QStringLiteral("CreationDate"), MeasuredAt);
    xml.writeTextElement(CoreNamespace, QStringLiteral("Description"),
                         QStringLiteral("Colours measured with the capture device"));
    xml.writeEndElement();
    xml.writeStartElement(CoreNamespace, QStringLiteral("Resources"));
    xml.writeStartElement(CoreNamespace, QStringLiteral("ObjectCollection"));
    for (int i = 0; i < measured.size(); ++i) {
        const DemoChip &chip = measured[i];
        writeObject(xml, chip.code, {chip.l, chip.a, chip.b}, Specification, i + 1);
    }
    if (!measured.isEmpty())
        writeObject(xml, QStringLiteral("Garden wall"), unnamedSurface(measured.first()),
                    OlderSpecification, int(measured.size()) + 1);
    xml.writeEndElement();
    xml.writeStartElement(CoreNamespace, QStringLiteral("ColorSpecificationCollection"));
    writeSpecification(xml, Specification, QStringLiteral("D65"), QStringLiteral("10_Degree"));
    writeSpecification(xml, OlderSpecification, QStringLiteral("D50"), QStringLiteral("2_Degree"));
    xml.writeEndElement();
    xml.writeEndDocument();
    if (xml.hasError() || !file.commit()) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace Sorven::Demo
