#include "tools/democapsure.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace Sorven::Demo {

namespace {

const QString CoreNamespace = QStringLiteral("http://colorexchangeformat.com/CxF3-core");
const QString Specification = QStringLiteral("D65-10");
// A fixed time, so that every build writes the same file.
const QString MeasuredAt = QStringLiteral("2026-03-02T10:30:00+01:00");

QString number(double value)
{
    return QString::number(value, 'f', 2);
}

void writeObject(QXmlStreamWriter &xml, const DemoChip &chip, int index)
{
    xml.writeStartElement(CoreNamespace, QStringLiteral("Object"));
    xml.writeAttribute(QStringLiteral("ObjectType"), QStringLiteral("Standard"));
    xml.writeAttribute(QStringLiteral("Name"), chip.code);
    xml.writeAttribute(QStringLiteral("Id"), QStringLiteral("m%1").arg(index));
    xml.writeTextElement(CoreNamespace, QStringLiteral("CreationDate"), MeasuredAt);
    xml.writeStartElement(CoreNamespace, QStringLiteral("ColorValues"));
    xml.writeStartElement(CoreNamespace, QStringLiteral("ColorCIELab"));
    xml.writeAttribute(QStringLiteral("ColorSpecification"), Specification);
    xml.writeTextElement(CoreNamespace, QStringLiteral("L"), number(chip.l));
    xml.writeTextElement(CoreNamespace, QStringLiteral("A"), number(chip.a));
    xml.writeTextElement(CoreNamespace, QStringLiteral("B"), number(chip.b));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

// How the device measures: CIE L*a*b* for D65 and the 10 degree observer, 45/0 geometry.
void writeSpecification(QXmlStreamWriter &xml)
{
    xml.writeStartElement(CoreNamespace, QStringLiteral("ColorSpecificationCollection"));
    xml.writeStartElement(CoreNamespace, QStringLiteral("ColorSpecification"));
    xml.writeAttribute(QStringLiteral("Id"), Specification);
    xml.writeStartElement(CoreNamespace, QStringLiteral("TristimulusSpec"));
    xml.writeTextElement(CoreNamespace, QStringLiteral("Illuminant"), QStringLiteral("D65"));
    xml.writeTextElement(CoreNamespace, QStringLiteral("Observer"), QStringLiteral("10_Degree"));
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
    for (int i = 0; i < measured.size(); ++i)
        writeObject(xml, measured[i], i + 1);
    xml.writeEndElement();
    writeSpecification(xml);
    xml.writeEndDocument();
    if (xml.hasError() || !file.commit()) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace Sorven::Demo
