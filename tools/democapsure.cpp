#include "tools/democapsure.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace Sorven::Demo {

namespace {

const QString CoreNamespace = QStringLiteral("http://colorexchangeformat.com/CxF3-core");

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
    xml.writeStartElement(CoreNamespace, QStringLiteral("ColorValues"));
    xml.writeStartElement(CoreNamespace, QStringLiteral("ColorCIELab"));
    xml.writeAttribute(QStringLiteral("ColorSpecification"), QStringLiteral("D65-10"));
    xml.writeTextElement(CoreNamespace, QStringLiteral("L"), number(chip.l));
    xml.writeTextElement(CoreNamespace, QStringLiteral("A"), number(chip.a));
    xml.writeTextElement(CoreNamespace, QStringLiteral("B"), number(chip.b));
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
    xml.writeTextElement(CoreNamespace, QStringLiteral("Description"),
                         QStringLiteral("Colours measured with the capture device"));
    xml.writeEndElement();
    xml.writeStartElement(CoreNamespace, QStringLiteral("Resources"));
    xml.writeStartElement(CoreNamespace, QStringLiteral("ObjectCollection"));
    for (int i = 0; i < measured.size(); ++i)
        writeObject(xml, measured[i], i + 1);
    xml.writeEndDocument();
    if (xml.hasError() || !file.commit()) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace Sorven::Demo
