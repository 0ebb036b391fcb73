#include "widgets/collectionselectwidget.h"

#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "widgets/painting.h"

#include <QPainter>

namespace Sorven {

namespace {

const QSize BarSize(234, 30);

} // namespace

CollectionSelectWidget::CollectionSelectWidget(QWidget *parent) : QWidget(parent)
{
    setFixedSize(BarSize);
    setFocusPolicy(Qt::StrongFocus);
    setFont(regularFont(3));
    load(UserSettings::lastUsedCollection());
}

QSize CollectionSelectWidget::sizeHint() const
{
    return BarSize;
}

void CollectionSelectWidget::selectedCollectionChanged(QUuid collectionId)
{
    load(collectionId);
    update();
}

void CollectionSelectWidget::capsureFileChanged(QString) { }

void CollectionSelectWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(rect(), m_background);
    painter.setPen(m_textColor);
    Painting::drawTextTwice(painter, rect(), Qt::AlignCenter | Qt::TextSingleLine,
                            m_collectionName);
}

void CollectionSelectWidget::load(const QUuid &collectionId)
{
    m_background = DB::themeImage(DB::SystemWideCollectionUuid,
                                  QStringLiteral("image.widget.bar.background"), size());
    m_textColor = DB::themeColor(DB::SystemWideCollectionUuid,
                                 QStringLiteral("color.widget.collectionselector.text"), Qt::black);
    // A collection that does not load keeps the name shown before.
    QSharedPointer<DB::Collection> collection;
    if (DB::loadCollection(collectionId, collection) == DB::Success && collection)
        m_collectionName = collection->name;
}

} // namespace Sorven
