#include "db/displaytext.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

namespace Sorven::DB {

namespace {

// Parsing rich text may ask for style sheets; this document answers every request with
// nothing, so parsing reads no file.
class InertTextDocument : public QTextDocument
{
protected:
    QVariant loadResource(int, const QUrl &) override { return {}; }
};

QString wrapped(const QString &text, const char *tag)
{
    return QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), text);
}

QString formatted(QString text, const QTextCharFormat &format)
{
    if (format.fontWeight() >= QFont::Bold)
        text = wrapped(text, "b");
    if (format.fontItalic())
        text = wrapped(text, "i");
    if (format.fontUnderline())
        text = wrapped(text, "u");
    if (format.fontStrikeOut())
        text = wrapped(text, "s");
    if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        text = wrapped(text, "sub");
    else if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        text = wrapped(text, "sup");
    if (format.hasProperty(QTextFormat::ForegroundBrush))
        text = QStringLiteral("<span style=\"color:%1;\">%2</span>")
                   .arg(format.foreground().color().name(), text);
    return text;
}

// A link's text stays, without the link and the look the parser gives links.
QString fragmentHtml(const QTextFragment &fragment)
{
    QString text = fragment.text().toHtmlEscaped();
    text.replace(QChar::LineSeparator, QStringLiteral("<br/>"));
    const QTextCharFormat format = fragment.charFormat();
    return format.isAnchor() ? text : formatted(text, format);
}

} // namespace

QString boundedDisplayText(const QString &text, qsizetype limit)
{
    if (text.size() <= limit)
        return text;
    return text.left(text.at(limit - 1).isHighSurrogate() ? limit - 1 : limit);
}

QString inertRichText(const QString &html)
{
    InertTextDocument document;
    document.setHtml(html);
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString line;
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (!fragment.fragment().charFormat().isImageFormat())
                line += fragmentHtml(fragment.fragment());
        }
        // Tables and frames bring empty blocks of their own.
        if (!line.isEmpty())
            lines << line;
    }
    return lines.join(QStringLiteral("<br/>"));
}

QString inertDisplayText(const QString &text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<qt>%1</qt>").arg(inertRichText(text));
}

} // namespace Sorven::DB
