#include "widgets/moodselectwidget.h"

#include "core/collectionsettings.h"
#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/connections.h"
#include "db/displaytext.h"
#include "db/lookups.h"
#include "widgets/painting.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace Sorven {

namespace {

constexpr int MoodButtonCount = 6;
const char *const MoodNames[MoodButtonCount]
    = {"fresh", "calm", "warm", "rich", "offwhite", "neutral"};
const Mood ButtonMoods[MoodButtonCount]
    = {MoodFresh, MoodCalm, MoodWarm, MoodRich, MoodOffwhite, MoodNeutral};
const QSize MoodButtonPlaceholder(23, 21);
const QColor SeparatorGrey(159, 159, 159);
// Between a tick and its text.
constexpr int TickGap = 3;

QImage commonImage(const QString &key, const QSize &placeholder)
{
    return DB::themeImage(DB::SystemWideCollectionUuid, key, placeholder);
}

QString localeText(const QUuid &uuid, const char *key)
{
    return DB::localeString(uuid, QString::fromLatin1(key));
}

bool isMoodButton(MoodSelectWidget::Item item)
{
    return item < MoodButtonCount;
}

// With the exterior filter on, a mood without exterior pages would show nothing.
bool moodUnavailable(const QUuid &uuid, Mood mood)
{
    return UserSettings::exteriorColors(uuid)
        && !CollectionSettings::hasPageWithExteriorMood(uuid, mood);
}

} // namespace

MoodSelectWidget::MoodSelectWidget(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFont(regularFont(2));
    loadImages();
    layoutItems();
}

QSize MoodSelectWidget::sizeHint() const
{
    return m_layoutSize;
}

QSize MoodSelectWidget::minimumSizeHint() const
{
    return m_layoutSize;
}

QRect MoodSelectWidget::itemRect(Item item) const
{
    return item >= 0 && item < ItemCount ? m_items[item] : QRect();
}

std::optional<MoodSelectWidget::Item> MoodSelectWidget::itemAt(const QPoint &pos) const
{
    for (int item = 0; item < ItemCount; ++item) {
        if (m_items[item].contains(pos))
            return Item(item);
    }
    return std::nullopt;
}

Mood MoodSelectWidget::moodOf(Item button)
{
    return isMoodButton(button) ? ButtonMoods[button] : MoodAll;
}

void MoodSelectWidget::selectedCollectionChanged(QUuid)
{
    m_laidOutGeometry = QRect();
    loadImages();
    layoutItems();
}

bool MoodSelectWidget::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto *help = static_cast<QHelpEvent *>(event);
    if (!showToolTip(help->pos()))
        event->ignore();
    return true;
}

void MoodSelectWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    const QUuid uuid = UserSettings::lastUsedCollection();
    switch (CollectionSettings::cardType(uuid)) {
    case CollectionSettings::NormalCard:
        pressMoodFilter(pos, uuid);
        break;
    case CollectionSettings::PolvaronCard:
        if (m_items[MtoItem].contains(pos))
            emit showMtoChangedInteractively(!UserSettings::showMto(uuid));
        break;
    default:
        break;
    }
}

void MoodSelectWidget::mouseMoveEvent(QMouseEvent *event)
{
    setCursor(itemAt(event->position().toPoint()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void MoodSelectWidget::paintEvent(QPaintEvent *)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    switch (CollectionSettings::cardType(uuid)) {
    case CollectionSettings::NormalCard:
        paintMoodFilter(painter, uuid);
        break;
    case CollectionSettings::PolvaronCard:
        // The text says the colours are not shown.
        paintTextItem(painter, MtoItem, "do.not.show.mto", !UserSettings::showMto(uuid));
        break;
    default:
        break;
    }
}

void MoodSelectWidget::resizeEvent(QResizeEvent *)
{
    if (geometry() != m_laidOutGeometry)
        layoutItems();
}

void MoodSelectWidget::showEvent(QShowEvent *)
{
    if (geometry() != m_laidOutGeometry)
        layoutItems();
}

void MoodSelectWidget::loadImages()
{
    for (int mood = 0; mood < MoodButtonCount; ++mood) {
        const QString name = QString::fromLatin1(MoodNames[mood]);
        m_images.normal[mood]
            = commonImage(QStringLiteral("image.mood.%1.normal").arg(name), MoodButtonPlaceholder);
        m_images.selected[mood] = commonImage(QStringLiteral("image.mood.%1.selected").arg(name),
                                              MoodButtonPlaceholder);
    }
    m_images.tick = commonImage(QStringLiteral("image.tick.normal"), QSize(12, 11));
    m_images.disabled = commonImage(QStringLiteral("image.mood.disabled"), QSize(11, 11));
}

void MoodSelectWidget::layoutItems()
{
    m_items.fill(QRect());
    m_separators.clear();
    m_layoutSize = QSize(0, 0);
    const QUuid uuid = UserSettings::lastUsedCollection();
    switch (CollectionSettings::cardType(uuid)) {
    case CollectionSettings::NormalCard:
        layoutMoodFilter(uuid);
        break;
    case CollectionSettings::PolvaronCard:
        layoutMtoItem(uuid);
        break;
    default:
        break;
    }
    setFixedSize(m_layoutSize);
    m_laidOutGeometry = geometry();
    update();
}

// The four moods in a row over the all-moods item, offwhite and neutral in a second column and,
// when offered, the exterior item across the bottom.
void MoodSelectWidget::layoutMoodFilter(const QUuid &uuid)
{
    int rowWidth = 9;
    int rowHeight = 0;
    for (int mood = FreshButton; mood <= RichButton; ++mood) {
        rowWidth += m_images.normal[mood].width();
        rowHeight = std::max(rowHeight, m_images.normal[mood].height());
    }
    const QSize allMoods = textItemSize(uuid, "mood.filter.all.moods");
    const int firstColumn = std::max(rowWidth, allMoods.width());
    int x = (firstColumn - rowWidth) / 2 + 4;
    for (int mood = FreshButton; mood <= RichButton; ++mood) {
        m_items[mood] = QRect(QPoint(x, 4), m_images.normal[mood].size());
        x = m_items[mood].right() + 1 + 3;
    }

    const QSize offwhite = m_images.normal[OffwhiteButton].size();
    const QSize neutral = m_images.normal[NeutralButton].size();
    const int secondColumnLeft = firstColumn + 10;
    m_items[OffwhiteButton] = QRect(QPoint(secondColumnLeft, 4), offwhite);
    m_items[NeutralButton]
        = QRect(QPoint(secondColumnLeft, m_items[OffwhiteButton].bottom() + 1), neutral);
    const int secondColumn = std::max(offwhite.width(), neutral.width());

    const int itemsBottom
        = std::max(rowHeight + allMoods.height() + 6, offwhite.height() + neutral.height() - 1);
    // Centred under the first column, its bottom at itemsBottom + 3.
    m_items[AllMoodsItem] = QRect(
        QPoint((firstColumn - allMoods.width()) / 2 + 4, itemsBottom + 3 - allMoods.height() + 1),
        allMoods);

    const int width = secondColumn + firstColumn + 13;
    const int rowSeparator = 4 + rowHeight - 1 + 4;
    m_separators.append(QLine(m_items[FreshButton].left(), rowSeparator,
                              m_items[RichButton].right(), rowSeparator));
    m_separators.append(QLine(secondColumnLeft - 1, m_items[OffwhiteButton].top(),
                              secondColumnLeft - 1, m_items[NeutralButton].bottom() - 3));
    if (!CollectionSettings::hasExteriorFilter(uuid)) {
        m_layoutSize = QSize(width, itemsBottom + 8);
        return;
    }
    const QSize exterior = textItemSize(uuid, "mood.filter.exterior.colors");
    m_items[ExteriorItem] = QRect(
        QPoint((secondColumn + firstColumn + 6 - exterior.width()) / 2 + 4, itemsBottom + 10),
        exterior);
    const int exteriorSeparator = m_items[ExteriorItem].top() - 4;
    m_separators.append(QLine(m_items[FreshButton].left(), exteriorSeparator,
                              m_items[NeutralButton].right(), exteriorSeparator));
    m_layoutSize = QSize(width, itemsBottom + 10 + exterior.height() + 4);
}

void MoodSelectWidget::layoutMtoItem(const QUuid &uuid)
{
    m_items[MtoItem] = QRect(QPoint(3, 3), textItemSize(uuid, "do.not.show.mto"));
    m_layoutSize = m_items[MtoItem].size() + QSize(6, 6);
}

// A tick followed by a localized text.
QSize MoodSelectWidget::textItemSize(const QUuid &uuid, const char *key) const
{
    const QSize text = fontMetrics().size(Qt::TextSingleLine, localeText(uuid, key));
    return {m_images.tick.width() + TickGap + text.width() + 2,
            std::max(m_images.tick.height(), text.height())};
}

void MoodSelectWidget::paintMoodFilter(QPainter &painter, const QUuid &uuid)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Painting::FrameGrey.lighter(140));
    painter.drawRoundedRect(rect().adjusted(0, 0, -1, -1), 7, 7);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Painting::FrameGrey);
    painter.drawRoundedRect(rect(), 7, 7);
    painter.restore();

    const Mood current = UserSettings::moodFilter(uuid);
    for (int button = FreshButton; button <= NeutralButton; ++button) {
        const QRect &rect = m_items[button];
        const Mood mood = ButtonMoods[button];
        const bool unavailable = moodUnavailable(uuid, mood);
        const bool selected = mood == current && !unavailable;
        painter.drawImage(rect.topLeft(),
                          selected ? m_images.selected[button] : m_images.normal[button]);
        if (unavailable)
            painter.drawImage(
                rect.bottomRight()
                    - QPoint(m_images.disabled.width() - 1, m_images.disabled.height() - 1),
                m_images.disabled);
    }
    paintTextItem(painter, AllMoodsItem, "mood.filter.all.moods", current == MoodAll);
    if (!m_items[ExteriorItem].isNull())
        paintTextItem(painter, ExteriorItem, "mood.filter.exterior.colors",
                      UserSettings::exteriorColors(uuid));

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(SeparatorGrey, 0));
    painter.drawLines(m_separators);
    painter.restore();
}

void MoodSelectWidget::paintTextItem(QPainter &painter, Item item, const char *key, bool ticked)
{
    const QRect &rect = m_items[item];
    const QRect text = rect.adjusted(m_images.tick.width() + TickGap, 0, 0, 0);
    painter.save();
    painter.setPen(Painting::SecondaryGrey);
    Painting::drawTextTwice(painter, text, Qt::AlignCenter | Qt::TextSingleLine,
                            localeText(UserSettings::lastUsedCollection(), key));
    painter.restore();
    if (ticked)
        painter.drawImage(
            QPoint(rect.left(), rect.top() + (rect.height() - m_images.tick.height()) / 2),
            m_images.tick);
}

void MoodSelectWidget::pressMoodFilter(const QPoint &pos, const QUuid &uuid)
{
    const Mood mood = UserSettings::moodFilter(uuid);
    const bool exterior = UserSettings::exteriorColors(uuid);
    Mood candidate = mood;
    bool candidateExterior = exterior;
    const std::optional<Item> item = itemAt(pos);
    if (item && isMoodButton(*item) && !moodUnavailable(uuid, moodOf(*item)))
        candidate = moodOf(*item);
    if (item == AllMoodsItem) {
        candidate = MoodAll;
    } else if (item == ExteriorItem) {
        candidateExterior = !exterior;
        if (candidateExterior && !CollectionSettings::hasPageWithExteriorMood(uuid, candidate))
            candidate = MoodAll;
    }
    if (candidate != mood)
        emit moodFilterChangedInteractively(candidate);
    if (candidateExterior != exterior)
        emit exteriorFilterChangedInteractively(candidateExterior);
}

bool MoodSelectWidget::showToolTip(const QPoint &pos)
{
    const std::optional<Item> item = itemAt(pos);
    if (!item || !isMoodButton(*item))
        return false;
    const QString text = DB::localeString(
        UserSettings::lastUsedCollection(),
        QStringLiteral("tiptext.mood.%1.button").arg(QLatin1String(MoodNames[*item])));
    if (text.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    QToolTip::showText(
        mapToGlobal(m_items[*item].topRight()),
        QStringLiteral("<span style=\"font-size: 12px;\">%1</span>").arg(DB::inertRichText(text)),
        this);
    return true;
}

} // namespace Sorven
