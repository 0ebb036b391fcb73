#pragma once

#include "db/colorentry.h"
#include "widgets/accessibleitems.h"
#include "widgets/chippointer.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QUuid>
#include <QVector>
#include <QWidget>

#include <array>

namespace Sorven {

// The harmonizer pane of powder-coating collections: a contrast colour between two
// wide-contrast colours for the selected chip, each under a caption box.
class ColorSchemerPolvaroneWidget : public QWidget, public AccessibleItems
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorSchemerPolvaroneWidget)

public:
    static constexpr int SlotCount = 3;

    explicit ColorSchemerPolvaroneWidget(QWidget *parent = nullptr);

    QRect captionRect(int slot) const;
    QRect slotRect(int slot) const;
    // The slot under pos, or -1.
    int slotAt(const QPoint &pos) const;
    // The chips of the last paint: three or none.
    QVector<DB::ColorEntry> chips() const { return m_chips; }
    ChipPointer *chipPointer() const { return m_pointer; }

    // The chips of the last paint, each under its caption.
    int accessibleItemCount() const override;
    Item accessibleItem(int index) const override;

public slots:
    void selectedCollectionChanged(QUuid collectionId);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutSlots();
    bool startDrag(const QPoint &pos);
    ChipPointer::ToolTip toolTipAt(const QPoint &pos) const;
    DB::ItemIndex chipAt(const QPoint &pos) const;

    std::array<QString, SlotCount> m_captions;
    std::array<QRect, SlotCount> m_captionRects;
    std::array<QRect, SlotCount> m_slotRects;
    QVector<DB::ColorEntry> m_chips;
    ChipPointer *m_pointer;
};

} // namespace Sorven
