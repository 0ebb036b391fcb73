#pragma once

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlwriter.h>
#include <libxml/xpath.h>

#include <QByteArray>
#include <QString>

#include <memory>

// Owned libxml2 handles and the few steps the palette's XML formats share.
namespace Sorven::Xml {

struct Deleter
{
    void operator()(xmlDoc *document) const { xmlFreeDoc(document); }
    void operator()(xmlParserCtxt *context) const { xmlFreeParserCtxt(context); }
    void operator()(xmlTextWriter *writer) const { xmlFreeTextWriter(writer); }
    void operator()(xmlXPathContext *context) const { xmlXPathFreeContext(context); }
    void operator()(xmlXPathObject *object) const { xmlXPathFreeObject(object); }
    void operator()(xmlChar *text) const { xmlFree(text); }
};

using Document = std::unique_ptr<xmlDoc, Deleter>;
using ParserContext = std::unique_ptr<xmlParserCtxt, Deleter>;
using XPathContext = std::unique_ptr<xmlXPathContext, Deleter>;
using XPathObject = std::unique_ptr<xmlXPathObject, Deleter>;
using Text = std::unique_ptr<xmlChar, Deleter>;

// Removes the characters an XML document cannot carry (most control characters, unpaired
// surrogates, U+FFFE and U+FFFF), which would otherwise make the whole document unwritable.
QString xmlSafeText(const QString &text);

// Parses bytes from an untrusted file without writing to standard error: libxml2 reports some
// faults, such as a broken encoding, through its process-wide handler whatever the options say.
Document readMemory(xmlParserCtxt *parser, const QByteArray &bytes, const char *encoding,
                    int options);

// The document as UTF-8 bytes, without formatting: the whitespace is the text the document
// holds. Empty on failure.
QByteArray serialize(xmlDoc *document);

// The value of an attribute, or a null string when the element has none.
QString attribute(xmlNode *element, const char *name);

} // namespace Sorven::Xml
