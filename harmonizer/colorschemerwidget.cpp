#include "harmonizer/colorschemerwidget.h"

#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/lookups.h"
#include "widgets/painting.h"

#include <QPainter>

namespace Sorven {

ColorSchemerWidget::ColorSchemerWidget(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFont(regularFont(2));
}

void ColorSchemerWidget::selectedCollectionChanged(QUuid)
{
    update();
}

// The hint below the chip area, which ends 32 pixels above the bottom.
void ColorSchemerWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(italicFont(2));
    painter.setPen(Painting::SecondaryGrey);
    const QRect message(QPoint(24, height() - 32), QPoint(width() - 25, height() - 1));
    Painting::drawTextTwice(painter, message, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                            DB::localeString(UserSettings::lastUsedCollection(),
                                             QStringLiteral("harmonizer.drag.drop.message")));
}

} // namespace Sorven
