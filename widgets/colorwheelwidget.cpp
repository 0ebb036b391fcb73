#include "widgets/colorwheelwidget.h"

#include "core/usersettings.h"
#include "db/connections.h"
#include "db/lookups.h"

#include <QPainter>

namespace Sorven {

namespace {

const QSize WheelSize(122, 122);

} // namespace

ColorWheelWidget::ColorWheelWidget(QWidget *parent) : QWidget(parent)
{
    setFixedSize(WheelSize);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    selectedCollectionChanged(UserSettings::lastUsedCollection());
}

QSize ColorWheelWidget::sizeHint() const
{
    return WheelSize;
}

QSize ColorWheelWidget::minimumSizeHint() const
{
    return WheelSize;
}

// The background is the same for every collection.
void ColorWheelWidget::selectedCollectionChanged(QUuid)
{
    m_background = DB::themeImage(DB::SystemWideCollectionUuid,
                                  QStringLiteral("image.widget.color.wheel.background"), WheelSize);
    update();
}

void ColorWheelWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_background);
}

} // namespace Sorven
