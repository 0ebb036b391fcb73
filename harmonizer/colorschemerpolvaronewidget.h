#pragma once

#include "db/colorentry.h"
#include "widgets/accessibleitems.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QUuid>
#include <QVector>
#include <QWidget>

#include <array>
#include <optional>

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

    // The chips of the last paint, each under its caption.
    int accessibleItemCount() const override;
    Item accessibleItem(int index) const override;

public slots:
    void selectedCollectionChanged(QUuid collectionId);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutSlots();
    void startDrag(const QPoint &pos);
    void showToolTip(const QPoint &pos);

    std::array<QString, SlotCount> m_captions;
    std::array<QRect, SlotCount> m_captionRects;
    std::array<QRect, SlotCount> m_slotRects;
    QVector<DB::ColorEntry> m_chips;
    // Global position of a pending left-button press.
    std::optional<QPoint> m_dragStart;
};

} // namespace Sorven
