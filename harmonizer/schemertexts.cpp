#include "harmonizer/schemertexts.h"

#include "db/displaytext.h"
#include "db/lookups.h"
#include "widgets/painting.h"

#include <QPainter>

namespace Sorven {

QString schemeToolTip(const QUuid &uuid, const QString &key)
{
    QString text = DB::localeString(uuid, key);
    text.replace(u'\n', QStringLiteral("<br/>"));
    return QStringLiteral("<span style=\"font-size: 12px;\">%1</span>")
        .arg(DB::inertRichText(text));
}

void drawDragDropMessage(QPainter &painter, const QRect &rect, const QUuid &uuid)
{
    painter.save();
    QFont font = painter.font();
    font.setItalic(true);
    painter.setFont(font);
    painter.setPen(Painting::SecondaryGrey);
    Painting::drawTextTwice(painter, rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                            DB::localeString(uuid, QStringLiteral("harmonizer.drag.drop.message")));
    painter.restore();
}

} // namespace Sorven
