#include "widgets/trendoraviewport.h"

#include "core/collectionsettings.h"
#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "palette/colorchipdnd.h"
#include "palette/colorchipdrag.h"
#include "widgets/chippointer.h"
#include "widgets/itemsaccessible.h"
#include "widgets/painting.h"

#include <QMap>
#include <QMouseEvent>
#include <QPainter>

namespace Sorven {

namespace {

const QSize ToggleImageSize(16, 16);
constexpr int FontSizeStep = 2;

// A colour with its two names below it; the union of the three is what the flow places.
struct Cell
{
    QRect chip;
    QRect name1;
    QRect name2;
    QRect bounds() const { return chip.united(name1).united(name2); }
};

Cell cellAt(const QPoint &topLeft, const QSize &chipSize, const QFontMetrics &names,
            const DB::TrendoraEntry &entry)
{
    Cell cell;
    cell.chip = QRect(topLeft, chipSize);
    cell.name1 = QRect(QPoint(topLeft.x(), cell.chip.bottom() + 5),
                       names.size(Qt::TextSingleLine, entry.name1));
    cell.name2 = QRect(QPoint(topLeft.x(), cell.name1.bottom() + 1),
                       names.size(Qt::TextSingleLine, entry.name2));
    return cell;
}

QString dragText(const QString &groupName, const DB::TrendoraEntry &entry)
{
    QString text = groupName;
    for (const QString &name : {entry.name1, entry.name2}) {
        if (!name.isEmpty())
            text += u'\n' + name;
    }
    return text;
}

} // namespace

TrendoraViewport::TrendoraViewport(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TrendoraViewport"));
    ItemsAccessible::install();
    // The cursor shows what takes a click.
    setMouseTracking(true);
    new ChipPointer(this, &TrendoraViewport::startDrag);
}

void TrendoraViewport::loadGroups()
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    m_groups.clear();
    m_groupOrder.clear();
    m_openStates.clear();
    m_groupRegions.clear();
    m_chipRects.clear();
    DB::loadTrendGroups(uuid, m_groups);
    // Keyed by their order value: of groups that share one, a single group is listed, the one
    // with the lowest identifier, so the choice does not change from one run to the next.
    QMap<int, qint64> byOrder;
    for (const DB::TrendoraGroup &group : std::as_const(m_groups)) {
        const auto listed = byOrder.constFind(group.order);
        if (listed == byOrder.cend() || group.id < *listed)
            byOrder.insert(group.order, group.id);
    }
    m_groupOrder = byOrder.values();
    for (const qint64 id : std::as_const(m_groupOrder)) {
        m_openStates.insert(
            id, UserSettings::trendoraGroupOpenState(uuid, id, groupById(id).defaultOpen));
    }
    const QString open = QStringLiteral("image.trendora.group.open");
    const QString closed = QStringLiteral("image.trendora.group.closed");
    m_openImage = DB::themeImage(DB::SystemWideCollectionUuid, open, ToggleImageSize);
    m_closedImage = DB::themeImage(DB::SystemWideCollectionUuid, closed, ToggleImageSize);
}

int TrendoraViewport::accessibleItemCount() const
{
    int count = 0;
    for (const QHash<qint64, QRect> &chips : m_chipRects)
        count += int(chips.size());
    return count;
}

AccessibleItems::Item TrendoraViewport::accessibleItem(int index) const
{
    for (const qint64 id : m_groupOrder) {
        const DB::TrendoraGroup &group = groupById(id);
        for (const DB::TrendoraEntry &entry : group.entries) {
            const QRect chip = chipRect(id, entry.id);
            if (chip.isNull() || index-- > 0)
                continue;
            QStringList names {entry.name1, entry.name2};
            names.removeAll(QString());
            return {QAccessible::ListItem, chip, names.join(QStringLiteral(", ")), group.name,
                    false};
        }
    }
    return {};
}

void TrendoraViewport::layoutGroups()
{
    m_groupRegions.clear();
    m_chipRects.clear();
    const int w = width();
    const QSize chipSize = CollectionSettings::trendoraChipSize(UserSettings::lastUsedCollection());
    const QFontMetrics header(font());
    const QFontMetrics names(italicFont(FontSizeStep));
    int y = 0;
    for (const qint64 id : std::as_const(m_groupOrder)) {
        const DB::TrendoraGroup &group = groupById(id);
        const int f
            = qMax(header.size(Qt::TextSingleLine, group.name).height(), m_openImage.height());
        QRect region(QPoint(0, y), QPoint(w - 1, y + f - 1));
        if (m_openStates.value(id)) {
            QHash<qint64, QRect> &chips = m_chipRects[id];
            QPoint at(0, y + f + 9);
            int lineHeight = 0;
            for (const DB::TrendoraEntry &entry : group.entries) {
                Cell cell = cellAt(at, chipSize, names, entry);
                if (at.x() > 0 && cell.bounds().right() >= w) {
                    at = QPoint(0, at.y() + lineHeight + 10);
                    lineHeight = 0;
                    cell = cellAt(at, chipSize, names, entry);
                }
                chips.insert(entry.id, cell.chip);
                at.setX(cell.bounds().left() + cell.bounds().width() + 4);
                lineHeight = qMax(lineHeight, cell.bounds().height());
            }
            region.setBottom(at.y() + lineHeight);
        }
        m_groupRegions.insert(id, region);
        y = region.bottom() + 10;
    }
    resize(w, y - 9);
    update();
}

const DB::TrendoraGroup &TrendoraViewport::groupById(qint64 groupId) const
{
    return *m_groups.constFind(groupId);
}

QRect TrendoraViewport::toggleRect(qint64 groupId) const
{
    const QRect region = groupRect(groupId);
    if (region.isNull())
        return {};
    return QRect(region.topLeft(), QSize(m_openImage.height(), m_openImage.height()));
}

QRect TrendoraViewport::chipRect(qint64 groupId, qint64 entryId) const
{
    return m_chipRects.value(groupId).value(entryId);
}

TrendoraViewport::Hit TrendoraViewport::hitAt(const QPoint &pos) const
{
    for (const qint64 id : m_groupOrder) {
        if (!groupRect(id).contains(pos))
            continue;
        Hit hit {id, toggleRect(id).contains(pos), nullptr};
        for (const DB::TrendoraEntry &entry : groupById(id).entries) {
            if (chipRect(id, entry.id).contains(pos))
                hit.entry = &entry;
        }
        return hit;
    }
    return {};
}

void TrendoraViewport::toggle(qint64 groupId)
{
    const bool open = !m_openStates.value(groupId);
    m_openStates.insert(groupId, open);
    UserSettings::setTrendoraGroupOpenState(UserSettings::lastUsedCollection(), groupId, open);
    layoutGroups();
}

void TrendoraViewport::pick(const DB::TrendoraGroup &group, const DB::TrendoraEntry &entry)
{
    m_pickedColor = entry.color;
    m_pickedName1 = entry.name1;
    m_pickedName2 = entry.name2;
    m_pickedText = dragText(group.name, entry);
}

void TrendoraViewport::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || event->buttons() != Qt::LeftButton)
        return;
    m_pickedColor = QColor();
    const Hit hit = hitAt(event->position().toPoint());
    if (hit.onToggle)
        toggle(hit.groupId);
    else if (hit.entry)
        pick(groupById(hit.groupId), *hit.entry);
}

void TrendoraViewport::mouseMoveEvent(QMouseEvent *event)
{
    const Hit hit = hitAt(event->position().toPoint());
    setCursor(hit.onToggle || hit.entry ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

// The colour picked by the press, wherever the pointer is now.
bool TrendoraViewport::startDrag(const QPoint &)
{
    if (!m_pickedColor.isValid())
        return false;
    const QColor color = m_pickedColor;
    m_pickedColor = QColor();
    startColorDrag(this, TrendoraDndSource, color, m_pickedText, m_pickedName1, m_pickedName2,
                   Qt::CopyAction, Qt::CopyAction);
    return true;
}

void TrendoraViewport::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const qint64 id : std::as_const(m_groupOrder))
        paintGroup(painter, groupById(id));
}

void TrendoraViewport::paintGroup(QPainter &painter, const DB::TrendoraGroup &group) const
{
    const QRect region = groupRect(group.id);
    if (region.isNull())
        return;
    const bool open = isOpen(group.id);
    const QImage &toggleImage = open ? m_openImage : m_closedImage;
    painter.drawImage(region.topLeft(), toggleImage);
    painter.setPen(Qt::white);
    painter.setFont(font());
    const QRect caption(QPoint(region.left() + toggleImage.width() + 8, region.top()),
                        QPoint(region.right(), region.top() + toggleImage.height() - 1));
    Painting::drawTextTwice(painter, caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                            group.name);
    if (!open)
        return;
    painter.setFont(italicFont(FontSizeStep));
    for (const DB::TrendoraEntry &entry : group.entries)
        paintChip(painter, chipRect(group.id, entry.id), entry);
}

void TrendoraViewport::paintChip(QPainter &painter, const QRect &chip,
                                 const DB::TrendoraEntry &entry) const
{
    painter.fillRect(chip, entry.color);
    Painting::fillOutline(painter, chip, Painting::FrameGrey);
    QColor inner = entry.color.lighter(150);
    inner.setAlpha(32);
    Painting::fillOutline(painter, chip.adjusted(1, 1, -1, -1), inner);
    const Cell cell = cellAt(chip.topLeft(), chip.size(), painter.fontMetrics(), entry);
    painter.setPen(Qt::white);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    Painting::drawTextTwice(painter, cell.name1, flags, entry.name1);
    Painting::drawTextTwice(painter, cell.name2, flags, entry.name2);
}

} // namespace Sorven
