#include "harmonizer/colorschemerpolvaronewidget.h"

#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/accessibletext.h"
#include "db/lookups.h"
#include "harmonizer/schemechips.h"
#include "harmonizer/schemertexts.h"
#include "palette/colorchipdnd.h"
#include "palette/colorchipdrag.h"
#include "widgets/equivalentsmenu.h"
#include "widgets/itemsaccessible.h"
#include "widgets/painting.h"

#include <QPainter>

namespace Sorven {

namespace {

constexpr int Margin = 12;
constexpr int ColumnGap = 4;
const QColor CaptionGrey {99, 99, 99};
const QString ContrastKey = QStringLiteral("harmonizer.palette.scheme.contrast");
const QString WideContrastKey = QStringLiteral("harmonizer.palette.scheme.wide.contrast");

QString toolTipKey(int slot)
{
    return QStringLiteral("tiptext.") + (slot == 1 ? ContrastKey : WideContrastKey);
}

} // namespace

ColorSchemerPolvaroneWidget::ColorSchemerPolvaroneWidget(QWidget *parent)
    : QWidget(parent),
      m_pointer(new ChipPointer(this, &ColorSchemerPolvaroneWidget::startDrag,
                                &ColorSchemerPolvaroneWidget::toolTipAt,
                                &ColorSchemerPolvaroneWidget::chipAt))
{
    EquivalentsMenu::install(this, m_pointer);
    setFocusPolicy(Qt::StrongFocus);
    ItemsAccessible::install();
    setFont(regularFont(2));
    selectedCollectionChanged(UserSettings::lastUsedCollection());
}

QRect ColorSchemerPolvaroneWidget::captionRect(int slot) const
{
    return slot >= 0 && slot < SlotCount ? m_captionRects[slot] : QRect();
}

QRect ColorSchemerPolvaroneWidget::slotRect(int slot) const
{
    return slot >= 0 && slot < SlotCount ? m_slotRects[slot] : QRect();
}

int ColorSchemerPolvaroneWidget::slotAt(const QPoint &pos) const
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (m_slotRects[slot].contains(pos))
            return slot;
    }
    return -1;
}

int ColorSchemerPolvaroneWidget::accessibleItemCount() const
{
    return int(m_chips.size());
}

AccessibleItems::Item ColorSchemerPolvaroneWidget::accessibleItem(int index) const
{
    const DB::ChipAccessibleText text
        = DB::chipAccessibleText(UserSettings::lastUsedCollection(), m_chips[index].id);
    return {QAccessible::ListItem, slotRect(index), text.name,
            QStringLiteral("%1, %2").arg(m_captions[index], text.description), false};
}

void ColorSchemerPolvaroneWidget::selectedCollectionChanged(QUuid collectionId)
{
    const QString wide = DB::localeString(collectionId, WideContrastKey);
    m_captions = {QStringLiteral("%1 1").arg(wide), DB::localeString(collectionId, ContrastKey),
                  QStringLiteral("%1 2").arg(wide)};
    layoutSlots();
    update();
}

void ColorSchemerPolvaroneWidget::paintEvent(QPaintEvent *)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    m_chips = loadPolvaronSchemeChips(uuid, UserSettings::pageIndex(uuid),
                                      UserSettings::rowIndex(uuid));
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(Qt::white);
    for (int slot = 0; slot < SlotCount; ++slot) {
        painter.fillRect(m_captionRects[slot], CaptionGrey);
        Painting::drawTextTwice(painter, m_captionRects[slot], Qt::AlignCenter | Qt::TextSingleLine,
                                m_captions[slot]);
    }
    for (int slot = 0; slot < m_chips.size(); ++slot) {
        painter.fillRect(m_slotRects[slot], m_chips[slot].color());
        Painting::drawBlockFrame(painter, m_slotRects[slot].adjusted(-1, -1, 1, 1));
    }
    const int lineHeight = fontMetrics().height();
    drawDragDropMessage(
        painter, QRect(Margin, height() - Margin - lineHeight, width() - 2 * Margin, lineHeight),
        uuid);
}

void ColorSchemerPolvaroneWidget::resizeEvent(QResizeEvent *)
{
    layoutSlots();
}

// Three columns 4 pixels apart; captions, a gap and the chips centred as one block above the
// message line.
void ColorSchemerPolvaroneWidget::layoutSlots()
{
    const int lineHeight = fontMetrics().height();
    const int column = (width() - 32) / 3;
    const int top = Margin + (height() - 3 * lineHeight - 48 - column / 2) / 2;
    for (int slot = 0; slot < SlotCount; ++slot) {
        const int left = Margin + slot * (column + ColumnGap);
        m_captionRects[slot] = QRect(left, top, column, lineHeight + 6);
        m_slotRects[slot] = QRect(left, top + 2 * lineHeight + 11, column, column / 2);
    }
}

bool ColorSchemerPolvaroneWidget::startDrag(const QPoint &pos)
{
    const int slot = slotAt(pos);
    if (slot < 0 || slot >= m_chips.size())
        return false;
    const DB::ColorEntry chip = m_chips[slot];
    startColorChipDrag(this, ColorSchemerDndSource, UserSettings::lastUsedCollection(), chip,
                       Qt::CopyAction, Qt::CopyAction);
    return true;
}

ChipPointer::ToolTip ColorSchemerPolvaroneWidget::toolTipAt(const QPoint &pos) const
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (m_captionRects[slot].contains(pos))
            return {pos, schemeToolTip(uuid, toolTipKey(slot))};
    }
    const int slot = slotAt(pos);
    if (slot >= 0 && slot < m_chips.size())
        return ChipPointer::chipToolTip(uuid, m_chips[slot].id, m_slotRects[slot]);
    return {};
}

DB::ItemIndex ColorSchemerPolvaroneWidget::chipAt(const QPoint &pos) const
{
    const int slot = slotAt(pos);
    if (slot < 0 || slot >= m_chips.size())
        return {};
    return {UserSettings::lastUsedCollection(), m_chips[slot].pageId, m_chips[slot].id};
}

} // namespace Sorven
