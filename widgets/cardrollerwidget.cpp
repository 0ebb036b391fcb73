#include "widgets/cardrollerwidget.h"

#include "core/collectionsettings.h"
#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/accessibletext.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "db/opencollection.h"
#include "db/search.h"
#include "palette/colorchipdnd.h"
#include "palette/colorchipdrag.h"
#include "palette/freecolorchip.h"
#include "widgets/equivalentsmenu.h"
#include "widgets/itemsaccessible.h"
#include "widgets/painting.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace Sorven {

namespace {

const QString MtoImageKey = QStringLiteral("image.mto");
const QSize MtoPlaceholderSize {96, 50};
// One point below the interface's base size.
constexpr int WidgetFontSizeStep = 1;
// An accented capital and a descender: the tallest line a caption can hold.
const QString LineHeightSample = QStringLiteral("Åg");

// Made-to-order chips are masked, and cannot be selected, only on cards of the powder-coating
// kind while the user has not asked to see them.
bool masksMadeToOrder(const QUuid &uuid)
{
    return CollectionSettings::cardType(uuid) == CollectionSettings::PolvaronCard
        && !UserSettings::showMto(uuid);
}

// The previous, current and next page, or nothing when any of them cannot be loaded.
std::optional<std::array<DB::ColorPage, 3>> loadPages(const QUuid &uuid)
{
    std::array<DB::ColorPage, 3> pages;
    DB::OpenCollection *open = DB::OpenCollection::of(uuid);
    if (!open
        || open->deck().load(uuid, UserSettings::pageIndex(uuid), UserSettings::moodFilter(uuid),
                             UserSettings::exteriorColors(uuid), pages)
            != DB::Success)
        return std::nullopt;
    return pages;
}

// The chips of a card: one-pixel separators between them, the last chip taking the rounding
// remainder.
QVector<QRect> chipLayout(const QRect &card, int rows)
{
    QVector<QRect> chips;
    if (rows <= 0)
        return chips;
    const QRect inner = card.adjusted(1, 1, -1, -1);
    const int chipHeight = (inner.height() + 1 - rows) / rows;
    for (int row = 0; row < rows; ++row) {
        const int top = inner.top() + row * (chipHeight + 1);
        const int bottom = row == rows - 1 ? inner.bottom() : top + chipHeight - 1;
        chips.append(QRect(QPoint(inner.left(), top), QPoint(inner.right(), bottom)));
    }
    return chips;
}

QString captionText(const DB::ColorPage &page)
{
    const QVector<int> columns = DB::nameColumns(DB::pageNameDisplayOrder());
    const QString name = columns.isEmpty() ? QString() : page.name(columns.first());
    return name.isEmpty() ? QString::number(page.pageIndex) : name;
}

void paintCaption(QPainter &painter, const QRect &caption, const DB::ColorPage &page)
{
    painter.save();
    painter.setPen(Qt::white);
    const QString text
        = painter.fontMetrics().elidedText(captionText(page), Qt::ElideRight, caption.width());
    painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, text);
    painter.restore();
}

void paintChip(QPainter &painter, const QRect &chip, const QColor &color, const QPixmap *mask)
{
    painter.fillRect(chip, color);
    if (mask) {
        const qreal ratio = Painting::deviceRatio(painter);
        QPixmap scaled = mask->scaled(Painting::deviceSize(chip.size(), ratio), Qt::KeepAspectRatio,
                                      Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
        painter.drawPixmap(chip, scaled);
    }
    QColor outline = color.lighter(150);
    outline.setAlpha(32);
    Painting::fillOutline(painter, chip, outline);
}

struct DropTarget
{
    QUuid collection;
    int pageIndex = -1;
    int rowIndex = -1;
};

std::optional<DropTarget> targetOf(const DB::ItemIndex &index)
{
    DB::ColorEntry entry;
    DB::ColorPage page;
    if (DB::loadEntryById(index.collection, index.rowId, entry) != DB::Success
        || DB::loadPageById(index.collection, entry.pageId, true, page) != DB::Success)
        return std::nullopt;
    return DropTarget {index.collection, page.pageIndex, entry.rowIndex};
}

// Chips come back to the roller from the schemers, My Palette, the trend groups and other
// applications; one dragged out of the roller itself is not taken back.
bool acceptsDrop(const QMimeData *mimeData)
{
    const int source = colorDropSource(mimeData);
    return source >= ColorSchemerDndSource && source <= ForeignColorDndSource;
}

} // namespace

CardRollerWidget::CardRollerWidget(QWidget *parent)
    : QWidget(parent),
      m_drawingOrder {PreviousCard, CurrentCard, NextCard},
      m_pointer(new ChipPointer(this, &CardRollerWidget::startDrag, &CardRollerWidget::toolTipAt,
                                &CardRollerWidget::chipAt))
{
    setFocusPolicy(Qt::StrongFocus);
    ItemsAccessible::install();
    setAcceptDrops(true);
    selectedCollectionChanged(UserSettings::lastUsedCollection());
    EquivalentsMenu::install(this, m_pointer);
    setFont(boldFont(WidgetFontSizeStep));
}

QRect CardRollerWidget::cardRect(int slot) const
{
    return slot >= 0 && slot < int(m_cards.size()) ? m_cards[slot] : QRect();
}

QRect CardRollerWidget::captionRect(int slot) const
{
    return slot >= 0 && slot < int(m_captions.size()) ? m_captions[slot] : QRect();
}

QRect CardRollerWidget::indexRect(const ChipIndex &index) const
{
    if (index.slot < 0 || index.slot >= int(m_chipRects.size()))
        return {};
    return m_chipRects[index.slot].value(index.position);
}

CardRollerWidget::ChipIndex CardRollerWidget::indexAt(const QPoint &pos) const
{
    for (int slot : m_drawingOrder) {
        if (!m_cards[slot].contains(pos))
            continue;
        const QVector<QRect> &chips = m_chipRects[slot];
        for (int position = 0; position < chips.size(); ++position) {
            if (chips[position].contains(pos))
                return {slot, position};
        }
        return {};
    }
    return {};
}

int CardRollerWidget::accessibleItemCount() const
{
    int count = 0;
    for (const QVector<QRect> &chips : m_chipRects)
        count += int(chips.size());
    return count;
}

AccessibleItems::Item CardRollerWidget::accessibleItem(int index) const
{
    const ChipIndex chip = itemIndex(index);
    const DB::ColorEntry *entry = entryAt(chip);
    if (!entry)
        return {};
    const QUuid uuid = UserSettings::lastUsedCollection();
    const DB::ChipAccessibleText text = DB::chipAccessibleText(uuid, entry->id);
    return {QAccessible::ListItem, indexRect(chip), text.name, text.description,
            chip.slot == CurrentCard && entry->rowIndex == UserSettings::rowIndex(uuid)};
}

CardRollerWidget::ChipIndex CardRollerWidget::itemIndex(int item) const
{
    for (int slot = PreviousCard; slot <= NextCard && item >= 0; ++slot) {
        if (item < m_chipRects[slot].size())
            return {slot, item};
        item -= int(m_chipRects[slot].size());
    }
    return {};
}

void CardRollerWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelectedChip();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        emit roll(Backward);
        break;
    case Qt::Key_Right:
        emit roll(Forward);
        break;
    case Qt::Key_Up:
        moveSelection(-1);
        break;
    case Qt::Key_Down:
        moveSelection(1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    // The roll or the new row is painted before the screen reader hears of it.
    repaint();
    const QVector<DB::ColorEntry> &current = m_pages[CurrentCard].entries;
    const int selected = UserSettings::rowIndex(UserSettings::lastUsedCollection());
    for (qsizetype position = 0; position < current.size(); ++position) {
        if (current[position].rowIndex == selected)
            ItemsAccessible::notifyCurrentItem(this,
                                               int(m_chipRects[PreviousCard].size() + position));
    }
}

// To the next chip in the direction that can be selected; nothing beyond the card's ends.
void CardRollerWidget::moveSelection(int step)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    const std::optional<std::array<DB::ColorPage, 3>> pages = loadPages(uuid);
    if (!pages)
        return;
    const QVector<DB::ColorEntry> &entries = (*pages)[CurrentCard].entries;
    const bool masks = masksMadeToOrder(uuid);
    const int selected = UserSettings::rowIndex(uuid);
    qsizetype position = -1;
    for (qsizetype i = 0; i < entries.size() && position < 0; ++i) {
        if (entries[i].rowIndex == selected)
            position = i;
    }
    if (position < 0)
        position = step > 0 ? -1 : entries.size();
    for (position += step; position >= 0 && position < entries.size(); position += step) {
        if (!(masks && entries[position].isMto)) {
            emit rowChangedInteractively(int(position) + 1);
            return;
        }
    }
}

void CardRollerWidget::selectedCollectionChanged(const QUuid &collectionId)
{
    m_mtoMask = QPixmap::fromImage(DB::themeImage(collectionId, MtoImageKey, MtoPlaceholderSize));
}

void CardRollerWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->buttons() != Qt::LeftButton)
        return;
    const ChipIndex index = indexAt(event->position().toPoint());
    const DB::ColorEntry *entry = entryAt(index);
    if (!entry)
        return;
    // Decided before the roll: the main widget repaints the roller while handling it.
    const QUuid uuid = UserSettings::lastUsedCollection();
    const bool selectable = !(entry->isMto && masksMadeToOrder(uuid));
    const int row = index.position + 1;
    if (index.slot == PreviousCard)
        emit roll(Backward);
    else if (index.slot == NextCard)
        emit roll(Forward);
    if (selectable && row != UserSettings::rowIndex(uuid))
        emit rowChangedInteractively(row);
}

void CardRollerWidget::wheelEvent(QWheelEvent *event)
{
    emit roll(event->angleDelta().y() >= 0 ? Backward : Forward);
    event->accept();
}

// As a drag from the roller would carry it.
void CardRollerWidget::copySelectedChip()
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    const int selectedRow = UserSettings::rowIndex(uuid);
    for (const DB::ColorEntry &chip : std::as_const(m_pages[CurrentCard].entries)) {
        if (chip.rowIndex == selectedRow)
            QGuiApplication::clipboard()->setMimeData(
                colorChipMimeData(CardRollerDndSource, uuid, chip));
    }
}

std::optional<DB::ColorPage> CardRollerWidget::rollTarget(Direction dir)
{
    const std::optional<std::array<DB::ColorPage, 3>> pages
        = loadPages(UserSettings::lastUsedCollection());
    if (!pages)
        return std::nullopt;
    return (*pages)[dir == Backward ? PreviousCard : NextCard];
}

void CardRollerWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const QRect &card : m_cards)
        Painting::drawBlockFrame(painter, card);

    const QUuid uuid = UserSettings::lastUsedCollection();
    std::optional<std::array<DB::ColorPage, 3>> pages = loadPages(uuid);
    if (!pages)
        return;
    m_pages = std::move(*pages);
    const int selectedRow = UserSettings::rowIndex(uuid);
    const bool masks = masksMadeToOrder(uuid);

    QRect selection;
    for (int slot : m_drawingOrder) {
        const DB::ColorPage &page = m_pages[slot];
        paintCaption(painter, m_captions[slot], page);
        m_chipRects[slot] = chipLayout(m_cards[slot], page.entries.size());
        const QVector<QRect> &chips = m_chipRects[slot];
        for (int position = 0; position < chips.size(); ++position) {
            const DB::ColorEntry &entry = page.entries[position];
            const QRect &chip = chips[position];
            paintChip(painter, chip, entry.color(), masks && entry.isMto ? &m_mtoMask : nullptr);
            if (position != chips.size() - 1) {
                painter.setPen(Painting::FrameGrey);
                painter.drawLine(chip.left(), chip.bottom() + 1, chip.right(), chip.bottom() + 1);
            }
            if (slot == CurrentCard && entry.rowIndex == selectedRow)
                selection = chip;
        }
    }
    if (!selection.isNull())
        Painting::drawSelectionFrame(painter, selection);
}

void CardRollerWidget::resizeEvent(QResizeEvent *)
{
    layoutCards();
}

void CardRollerWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (acceptsDrop(event->mimeData()))
        event->acceptProposedAction();
}

void CardRollerWidget::dragMoveEvent(QDragMoveEvent *event)
{
    event->setDropAction(Qt::IgnoreAction);
    event->ignore();
    if (acceptsDrop(event->mimeData()) && m_cardArea.contains(event->position().toPoint()))
        event->acceptProposedAction();
}

void CardRollerWidget::dragLeaveEvent(QDragLeaveEvent *) { }

void CardRollerWidget::dropEvent(QDropEvent *event)
{
    const QMimeData *mimeData = event->mimeData();
    if (!acceptsDrop(mimeData))
        return;
    event->acceptProposedAction();
    const std::optional<DB::ItemIndex> chip
        = chipForDrop(UserSettings::lastUsedCollection(), mimeData);
    if (const std::optional<DropTarget> target = chip ? targetOf(*chip) : std::nullopt)
        goToChip(target->collection, target->pageIndex, target->rowIndex);
}

void CardRollerWidget::layoutCards()
{
    const int w = width();
    const int h = height();
    const int top = fontMetrics().size(Qt::TextSingleLine, LineHeightSample).height() + 2;
    const int side = (w - 14) / 4;
    m_cards[PreviousCard] = QRect(QPoint(2, top), QPoint(side + 1, h - 3));
    m_cards[NextCard] = QRect(QPoint(w - 2 - side, top), QPoint(w - 3, h - 3));
    m_cards[CurrentCard] = QRect(QPoint(side + 6, top), QPoint(w - 7 - side, h - 3));
    m_cardArea = m_cards[PreviousCard].united(m_cards[NextCard]);
    for (int slot : m_drawingOrder) {
        m_captions[slot]
            = QRect(QPoint(m_cards[slot].left(), 0), QPoint(m_cards[slot].right(), top - 1));
    }
}

const DB::ColorEntry *CardRollerWidget::entryAt(const ChipIndex &index) const
{
    if (!index.isValid() || index.position >= m_pages[index.slot].entries.size())
        return nullptr;
    return &m_pages[index.slot].entries[index.position];
}

// Only chips of the current card are dragged.
bool CardRollerWidget::startDrag(const QPoint &pos)
{
    const ChipIndex index = indexAt(pos);
    const DB::ColorEntry *entry = index.slot == CurrentCard ? entryAt(index) : nullptr;
    if (!entry)
        return false;
    const DB::ColorEntry chip = *entry;
    startColorChipDrag(this, CardRollerDndSource, UserSettings::lastUsedCollection(), chip,
                       Qt::CopyAction, Qt::CopyAction);
    return true;
}

ChipPointer::ToolTip CardRollerWidget::toolTipAt(const QPoint &pos) const
{
    const ChipIndex index = indexAt(pos);
    const DB::ColorEntry *entry = entryAt(index);
    const QUuid uuid = UserSettings::lastUsedCollection();
    if (!entry || (entry->isMto && masksMadeToOrder(uuid)))
        return {};
    return ChipPointer::chipToolTip(uuid, entry->id, indexRect(index));
}

DB::ItemIndex CardRollerWidget::chipAt(const QPoint &pos) const
{
    const DB::ColorEntry *entry = entryAt(indexAt(pos));
    if (!entry)
        return {};
    return {UserSettings::lastUsedCollection(), entry->pageId, entry->id};
}

// The main widget handles each signal before the emit returns, so the selected collection and
// the stored position read after an emit are already the new ones.
void CardRollerWidget::goToChip(const QUuid &collection, int pageIndex, int rowIndex)
{
    QUuid selected = UserSettings::lastUsedCollection();
    if (collection != selected) {
        emit collectionSelectedInteractively(collection);
        selected = UserSettings::lastUsedCollection();
    }
    if (collection != selected)
        return;
    if (pageIndex != UserSettings::pageIndex(selected))
        emit pageChangedInteractively(pageIndex);
    if (rowIndex != UserSettings::rowIndex(selected))
        emit rowChangedInteractively(rowIndex);
}

} // namespace Sorven
