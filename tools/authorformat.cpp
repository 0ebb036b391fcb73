#include "tools/authorformat.h"

#include <QJsonArray>

namespace Sorven::Tools {

namespace {

QJsonArray nonEmpty(const QStringList &texts)
{
    QJsonArray array;
    for (const QString &text : texts) {
        if (!text.isEmpty())
            array.append(text);
    }
    return array;
}

QString joined(const QStringList &texts)
{
    QStringList present = texts;
    present.removeAll(QString());
    return terminalSafe(present.join(QStringLiteral(" / ")));
}

bool reordersText(QChar character)
{
    switch (character.direction()) {
    case QChar::DirLRE:
    case QChar::DirLRO:
    case QChar::DirRLE:
    case QChar::DirRLO:
    case QChar::DirPDF:
    case QChar::DirLRI:
    case QChar::DirRLI:
    case QChar::DirFSI:
    case QChar::DirPDI:
        return true;
    default:
        return false;
    }
}

} // namespace

QString terminalSafe(const QString &text, bool keepLineFeeds)
{
    QString safe;
    safe.reserve(text.size());
    for (const QChar character : text) {
        if (keepLineFeeds && character == u'\n')
            safe += character;
        else if (character.category() == QChar::Other_Control)
            safe += QStringLiteral("\\x%1").arg(character.unicode(), 2, 16, QLatin1Char('0'));
        else if (reordersText(character))
            safe += QStringLiteral("\\u%1").arg(character.unicode(), 4, 16, QLatin1Char('0'));
        else
            safe += character;
    }
    return safe;
}

QJsonObject chipJson(const DB::ColorEntry &chip)
{
    return {{"id", chip.id},
            {"pageId", chip.pageId},
            {"rowIndex", chip.rowIndex},
            {"code", chip.code},
            {"names", nonEmpty(chip.names)},
            {"extras", nonEmpty(chip.extras)},
            {"rgb", chip.color().name()},
            {"lab", QJsonArray {chip.l, chip.a, chip.b}},
            {"mood", chip.mood},
            {"mto", chip.isMto},
            {"neutral", chip.neutral},
            {"white", chip.white}};
}

QString chipLine(const DB::ColorEntry &chip)
{
    return QStringLiteral("%1  %2  %3  %4%5\n")
        .arg(chip.rowIndex, 3)
        .arg(chip.color().name(), terminalSafe(chip.code).leftJustified(12))
        .arg(joined(chip.names))
        .arg(chip.isMto ? QStringLiteral("  (made to order)") : QString());
}

QJsonObject pageJson(const DB::ColorPage &page)
{
    QJsonArray chips;
    for (const DB::ColorEntry &chip : page.entries)
        chips.append(chipJson(chip));
    return {{"id", page.id},     {"pageIndex", page.pageIndex}, {"segment", page.segment},
            {"mood", page.mood}, {"exterior", page.exterior},   {"names", nonEmpty(page.names)},
            {"chips", chips}};
}

QString pageText(const DB::ColorPage &page)
{
    QString text = QStringLiteral("Page %1 \"%2\": segment %3, mood %4%5\n")
                       .arg(page.pageIndex)
                       .arg(joined(page.names))
                       .arg(page.segment)
                       .arg(page.mood)
                       .arg(page.exterior ? QStringLiteral(", exterior") : QString());
    for (const DB::ColorEntry &chip : page.entries)
        text += chipLine(chip);
    return text;
}

} // namespace Sorven::Tools
