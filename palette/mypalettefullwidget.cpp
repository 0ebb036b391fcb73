#include "palette/mypalettefullwidget.h"

#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/lookups.h"

#include <QPainter>

namespace Sorven {

namespace {

const int DefaultGrey = 176;

} // namespace

MyPaletteFullWidget::MyPaletteFullWidget(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFont(regularFont(3));
    selectedCollectionChanged(UserSettings::lastUsedCollection());
}

void MyPaletteFullWidget::selectedCollectionChanged(QUuid collectionId)
{
    m_bar = DB::themeImage(collectionId, QStringLiteral("image.widget.bar.background"),
                           QSize(30, 30));
    update();
}

void MyPaletteFullWidget::paintEvent(QPaintEvent *)
{
    int grey = UserSettings::myPaletteFullBackgroundColor();
    if (grey < 0 || grey > 255)
        grey = DefaultGrey;
    QPainter painter(this);
    painter.fillRect(rect(), QColor(grey, grey, grey));
    painter.drawTiledPixmap(QRect(0, 0, width(), m_bar.height()), QPixmap::fromImage(m_bar));
}

} // namespace Sorven
