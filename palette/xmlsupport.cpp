#include "palette/xmlsupport.h"

#include <libxml/xmlsave.h>

#include <QList>

namespace Sorven::Xml {

namespace {

bool isXmlCharacter(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
        || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

void ignoreMessage(void *, const char *, ...) { }

} // namespace

Document readMemory(xmlParserCtxt *parser, const QByteArray &bytes, const char *encoding,
                    int options)
{
    void *const context = xmlGenericErrorContext;
    const xmlGenericErrorFunc handler = xmlGenericError;
    xmlSetGenericErrorFunc(nullptr, ignoreMessage);
    Document document(
        xmlCtxtReadMemory(parser, bytes.constData(), int(bytes.size()), "", encoding, options));
    xmlSetGenericErrorFunc(context, handler);
    return document;
}

QString xmlSafeText(const QString &text)
{
    QString safe;
    safe.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (isXmlCharacter(c))
            safe.append(QString::fromUcs4(&c, 1));
    }
    return safe;
}

QByteArray serialize(xmlDoc *document)
{
    const std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(),
                                                                      xmlBufferFree);
    if (!buffer)
        return {};
    xmlSaveCtxt *save = xmlSaveToBuffer(buffer.get(), "UTF-8", 0);
    if (!save)
        return {};
    const long written = xmlSaveDoc(save, document);
    if (xmlSaveClose(save) < 0 || written < 0)
        return {};
    return QByteArray(reinterpret_cast<const char *>(xmlBufferContent(buffer.get())),
                      xmlBufferLength(buffer.get()));
}

QString attribute(xmlNode *element, const char *name)
{
    const Text value(xmlGetProp(element, reinterpret_cast<const xmlChar *>(name)));
    return value ? QString::fromUtf8(reinterpret_cast<const char *>(value.get())) : QString();
}

} // namespace Sorven::Xml
