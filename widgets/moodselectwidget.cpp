#include "widgets/moodselectwidget.h"

#include "core/collectionsettings.h"
#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "widgets/painting.h"

#include <QPainter>

#include <algorithm>

namespace Sorven {

namespace {

QSize commonImageSize(const QString &key, const QSize &placeholder)
{
    return DB::themeImage(DB::SystemWideCollectionUuid, key, placeholder).size();
}

QSize moodButtonSize(const char *mood)
{
    return commonImageSize(QStringLiteral("image.mood.%1.normal").arg(QLatin1String(mood)),
                           QSize(23, 21));
}

QSize tickSize()
{
    return commonImageSize(QStringLiteral("image.tick.normal"), QSize(12, 11));
}

} // namespace

MoodSelectWidget::MoodSelectWidget(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFont(regularFont(2));
    selectedCollectionChanged(UserSettings::lastUsedCollection());
}

QSize MoodSelectWidget::sizeHint() const
{
    return m_layoutSize;
}

QSize MoodSelectWidget::minimumSizeHint() const
{
    return m_layoutSize;
}

void MoodSelectWidget::selectedCollectionChanged(QUuid collectionId)
{
    m_layoutSize = layoutSize(collectionId);
    setFixedSize(m_layoutSize);
    update();
}

void MoodSelectWidget::paintEvent(QPaintEvent *)
{
    if (CollectionSettings::cardType(UserSettings::lastUsedCollection())
        != CollectionSettings::NormalCard)
        return;
    QPainter painter(this);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Painting::FrameGrey.lighter(140));
    painter.drawRoundedRect(rect().adjusted(0, 0, -1, -1), 7, 7);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Painting::FrameGrey);
    painter.drawRoundedRect(rect(), 7, 7);
}

QSize MoodSelectWidget::layoutSize(const QUuid &collectionId) const
{
    switch (CollectionSettings::cardType(collectionId)) {
    case CollectionSettings::NormalCard:
        return moodFilterSize(collectionId);
    case CollectionSettings::PolvaronCard:
        return textItemSize(collectionId, "do.not.show.mto") + QSize(6, 6);
    default:
        return {0, 0};
    }
}

// The four moods in a row over the all-moods item, offwhite and neutral in a second column and,
// when offered, the exterior item across the bottom.
QSize MoodSelectWidget::moodFilterSize(const QUuid &collectionId) const
{
    int rowWidth = 9;
    int rowHeight = 0;
    for (const char *mood : {"fresh", "calm", "warm", "rich"}) {
        const QSize button = moodButtonSize(mood);
        rowWidth += button.width();
        rowHeight = std::max(rowHeight, button.height());
    }
    const QSize allMoods = textItemSize(collectionId, "mood.filter.all.moods");
    const QSize offwhite = moodButtonSize("offwhite");
    const QSize neutral = moodButtonSize("neutral");
    const int firstColumn = std::max(rowWidth, allMoods.width());
    const int secondColumn = std::max(offwhite.width(), neutral.width());
    const int itemsBottom
        = std::max(rowHeight + allMoods.height() + 6, offwhite.height() + neutral.height() - 1);
    const int width = secondColumn + firstColumn + 13;
    if (!CollectionSettings::hasExteriorFilter(collectionId))
        return {width, itemsBottom + 8};
    const QSize exterior = textItemSize(collectionId, "mood.filter.exterior.colors");
    return {width, itemsBottom + 10 + exterior.height() + 4};
}

// A tick followed by a localized text.
QSize MoodSelectWidget::textItemSize(const QUuid &collectionId, const char *key) const
{
    const QSize tick = tickSize();
    const QSize text = fontMetrics().size(Qt::TextSingleLine,
                                          DB::localeString(collectionId, QString::fromLatin1(key)));
    return {tick.width() + 3 + text.width() + 2, std::max(tick.height(), text.height())};
}

} // namespace Sorven
