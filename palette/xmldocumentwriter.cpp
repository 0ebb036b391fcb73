#include "palette/xmldocumentwriter.h"

namespace Sorven {

namespace {

const xmlChar *xmlName(const char *name)
{
    return reinterpret_cast<const xmlChar *>(name);
}

} // namespace

XmlDocumentWriter::XmlDocumentWriter()
{
    xmlDoc *document = nullptr;
    m_writer.reset(xmlNewTextWriterDoc(&document, 0));
    m_document.reset(document);
    m_ok = m_writer && m_document;
    if (m_ok)
        check(xmlTextWriterStartDocument(m_writer.get(), nullptr, "UTF-8", nullptr));
}

void XmlDocumentWriter::check(int result)
{
    m_ok = m_ok && result >= 0;
}

void XmlDocumentWriter::startElement(const char *name)
{
    if (m_ok)
        check(xmlTextWriterStartElement(m_writer.get(), xmlName(name)));
}

void XmlDocumentWriter::attribute(const char *name, const QString &value)
{
    if (m_ok)
        check(xmlTextWriterWriteAttribute(m_writer.get(), xmlName(name),
                                          xmlName(Xml::xmlSafeText(value).toUtf8().constData())));
}

void XmlDocumentWriter::text(const QString &text)
{
    if (m_ok)
        check(xmlTextWriterWriteString(m_writer.get(),
                                       xmlName(Xml::xmlSafeText(text).toUtf8().constData())));
}

void XmlDocumentWriter::endElement()
{
    if (m_ok)
        check(xmlTextWriterEndElement(m_writer.get()));
}

void XmlDocumentWriter::textElement(const char *name, const QString &text)
{
    startElement(name);
    this->text(text);
    endElement();
}

// The writer has to be finished and gone before the document it fed is complete.
QByteArray XmlDocumentWriter::finish()
{
    if (m_ok)
        check(xmlTextWriterEndDocument(m_writer.get()));
    m_writer.reset();
    return m_ok ? Xml::serialize(m_document.get()) : QByteArray();
}

} // namespace Sorven
