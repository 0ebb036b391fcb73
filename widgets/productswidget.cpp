#include "widgets/productswidget.h"

#include "core/collectionsettings.h"
#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/displaytext.h"
#include "widgets/orvocustomstyle.h"
#include "widgets/painting.h"

#include <QLabel>
#include <QListWidget>
#include <QScrollBar>

namespace Sorven {

namespace {

constexpr int Inset = 8;
const QColor LabelColor(228, 228, 228);
const QColor ListTextColor(189, 189, 189);

QStringList productTexts(const QUuid &uuid, qint64 rowId)
{
    QStringList names;
    if (CollectionSettings::productsMode(uuid))
        DB::loadProductNames(uuid, rowId, names);
    else
        DB::loadProductGroupNames(uuid, rowId, names);
    return names;
}

} // namespace

ProductsWidget::ProductsWidget(QWidget *parent)
    : QWidget(parent),
      m_scrollBarStyle(new OrvoCustomStyle),
      m_label(new QLabel(this)),
      m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("ProductsWidget"));
    m_scrollBarStyle->setParent(this);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFont(regularFont(4));
    QPalette labelPalette = palette();
    labelPalette.setColor(QPalette::WindowText, LabelColor);
    setPalette(labelPalette);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setViewMode(QListView::ListMode);
    m_list->setFlow(QListView::TopToBottom);
    m_list->setWrapping(true);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->horizontalScrollBar()->setStyle(m_scrollBarStyle);
}

// A hidden pane refills when it is shown.
void ProductsWidget::selectedCollectionChanged(QUuid)
{
    if (isVisible())
        selectedColorChanged();
}

void ProductsWidget::selectedColorChanged()
{
    setUpdatesEnabled(false);
    m_label->setText(QStringLiteral(" "));
    m_list->clear();
    const QUuid uuid = UserSettings::lastUsedCollection();
    DB::ColorEntry chip;
    if (DB::loadEntryAt(uuid, UserSettings::pageIndex(uuid), UserSettings::rowIndex(uuid), chip)
        == DB::Success) {
        m_label->setText(DB::inertDisplayText(chip.code));
        m_list->addItems(productTexts(uuid, chip.id));
    }
    setUpdatesEnabled(true);
}

void ProductsWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QRect inner = rect().adjusted(Inset, Inset, -Inset, -Inset);
    const int lineHeight = fontMetrics().height();
    m_label->setGeometry(QRect(inner.topLeft(), QSize(inner.width(), lineHeight)));
    m_list->setGeometry(
        QRect(QPoint(inner.left(), inner.top() + lineHeight + Inset), inner.bottomRight()));
    QPalette listPalette = m_list->palette();
    listPalette.setBrush(QPalette::Base,
                         QBrush(Painting::mainBackgroundUnder(m_list, m_list->rect())));
    listPalette.setColor(QPalette::Text, ListTextColor);
    m_list->setPalette(listPalette);
}

void ProductsWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    selectedColorChanged();
}

} // namespace Sorven
