#include "widgets/dropdownbutton.h"

#include "db/connections.h"
#include "db/lookups.h"

#include <QPainter>

namespace Sorven {

namespace {

const QSize ButtonSize(20, 20);

QImage arrowImage(const char *key)
{
    return DB::themeImage(DB::SystemWideCollectionUuid, QString::fromLatin1(key), ButtonSize);
}

} // namespace

DropDownButton::DropDownButton(QWidget *parent)
    : QPushButton(parent),
      m_arrowDown(arrowImage("image.widget.dropdown.arrow.down")),
      m_arrowUp(arrowImage("image.widget.dropdown.arrow.up"))
{
    setFixedSize(ButtonSize);
    setAutoRepeat(false);
}

void DropDownButton::setClosed(bool closed)
{
    m_closed = closed;
    update();
}

void DropDownButton::setBackground(const QImage &background)
{
    m_background = background;
}

void DropDownButton::selectedCollectionChanged(QUuid) { }

void DropDownButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, m_background);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QImage &arrow = m_closed ? m_arrowDown : m_arrowUp;
    painter.drawImage((width() - arrow.width()) / 2, (height() - arrow.height()) / 2, arrow);
}

} // namespace Sorven
