#include "harmonizer/colorschemerpolvaronewidget.h"

#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/lookups.h"
#include "widgets/painting.h"

#include <QPainter>

namespace Sorven {

ColorSchemerPolvaroneWidget::ColorSchemerPolvaroneWidget(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFont(regularFont(2));
}

void ColorSchemerPolvaroneWidget::selectedCollectionChanged(QUuid)
{
    update();
}

// The hint on the last text line inside a 12-pixel margin.
void ColorSchemerPolvaroneWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(italicFont(2));
    painter.setPen(Painting::SecondaryGrey);
    const QRect inner = rect().adjusted(12, 12, -12, -12);
    const int lineHeight = fontMetrics().height();
    const QRect message(inner.left(), inner.bottom() + 1 - lineHeight, inner.width(), lineHeight);
    Painting::drawTextTwice(painter, message, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                            DB::localeString(UserSettings::lastUsedCollection(),
                                             QStringLiteral("harmonizer.drag.drop.message")));
}

} // namespace Sorven
