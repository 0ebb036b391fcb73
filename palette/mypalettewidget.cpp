#include "palette/mypalettewidget.h"

#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/connections.h"
#include "db/lookups.h"

#include <QLineEdit>
#include <QPainter>

namespace Sorven {

namespace {

const QSize BarPlaceholderSize(30, 30);

} // namespace

MyPaletteWidget::MyPaletteWidget(QWidget *parent)
    : QWidget(parent), m_descriptionEdit(new QLineEdit(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAcceptDrops(true);
    setFont(regularFont(3));
    m_descriptionEdit->setFrame(false);
    m_descriptionEdit->setTextMargins(0, 0, 0, 0);
    selectedCollectionChanged(UserSettings::lastUsedCollection());
}

void MyPaletteWidget::selectedCollectionChanged(QUuid collectionId)
{
    m_bar = DB::themeImage(collectionId, QStringLiteral("image.widget.bar.background"),
                           BarPlaceholderSize);
    m_descriptionEdit->setPlaceholderText(
        DB::localeString(collectionId, QStringLiteral("mypalette.note.instructions")));
    layoutContents();
}

void MyPaletteWidget::savePaletteTo(PaletteFileFormat, QString) { }

void MyPaletteWidget::loadPaletteFrom(PaletteFileFormat, QString) { }

void MyPaletteWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawTiledPixmap(QRect(0, 0, width(), m_bar.height()), QPixmap::fromImage(m_bar));
}

void MyPaletteWidget::resizeEvent(QResizeEvent *)
{
    layoutContents();
}

// The description runs along the bottom on the palette's own background, so it looks
// transparent.
void MyPaletteWidget::layoutContents()
{
    const int lineHeight = fontMetrics().height();
    m_descriptionEdit->setGeometry(12, height() - lineHeight, width() - 24, lineHeight);
    QPalette palette = m_descriptionEdit->palette();
    const QRect underEditor = parentWidget() ? m_descriptionEdit->geometry().translated(pos())
                                             : m_descriptionEdit->geometry();
    const QImage background = DB::themeImage(
        DB::SystemWideCollectionUuid, QStringLiteral("image.widget.main.background"), QSize());
    if (!background.isNull())
        palette.setBrush(QPalette::Base, QBrush(background.copy(underEditor)));
    palette.setColor(QPalette::Text, Qt::white);
    m_descriptionEdit->setPalette(palette);
    update();
}

} // namespace Sorven
