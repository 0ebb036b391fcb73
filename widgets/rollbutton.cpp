#include "widgets/rollbutton.h"

#include "db/connections.h"
#include "db/lookups.h"

#include <QPainter>

namespace Sorven {

RollButton::RollButton(Direction direction, QWidget *parent)
    : QPushButton(parent), m_direction(direction)
{
    setAutoRepeat(true);
    const bool backward = direction == Backward;
    const auto image = [this](const char *key) {
        return DB::themeImage(DB::SystemWideCollectionUuid, QString::fromLatin1(key), size());
    };
    m_pressedImage
        = image(backward ? "image.widget.roll.backward.down" : "image.widget.roll.forward.down");
    m_normalImage = image(backward ? "image.widget.roll.backward.normal"
                                   : "image.widget.roll.forward.normal");
    setFixedSize(m_normalImage.size());
}

void RollButton::selectedCollectionChanged(const QUuid &) { }

void RollButton::paintEvent(QPaintEvent *)
{
    const QImage &image = isDown() ? m_pressedImage : m_normalImage;
    if (image.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint((width() - image.width()) / 2, (height() - image.height()) / 2),
                      image);
}

} // namespace Sorven
