#pragma once

#include "palette/xmlsupport.h"

#include <QByteArray>
#include <QString>

namespace Sorven {

// Builds an XML document in memory with libxml2's text writer, the whitespace between elements
// written as text, and serializes it without formatting. A step that fails makes finish()
// answer nothing.
class XmlDocumentWriter
{
public:
    XmlDocumentWriter();

    void startElement(const char *name);
    void attribute(const char *name, const QString &value);
    void text(const QString &text);
    void endElement();
    void textElement(const char *name, const QString &text);

    // The UTF-8 document; empty when any step failed.
    QByteArray finish();

private:
    void check(int result);

    Xml::Document m_document;
    std::unique_ptr<xmlTextWriter, Xml::Deleter> m_writer;
    bool m_ok = true;
};

} // namespace Sorven
