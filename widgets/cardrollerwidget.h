#pragma once

#include "core/enumerations.h"
#include "db/colorpage.h"
#include "widgets/accessibleitems.h"
#include "widgets/chippointer.h"

#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QUuid>
#include <QVector>
#include <QWidget>

#include <array>
#include <optional>

namespace Sorven {

// The central browsing view: the previous, the current and the next page of the selected
// collection side by side, each a column of chips under its caption. It holds no navigation
// state: it reads the position from the user settings whenever it paints or handles the mouse
// and asks for changes through its signals. With the focus, the left and right arrow keys roll
// and the up and down arrow keys move the selection on the current card; Ctrl+C copies the
// selected chip.
class CardRollerWidget : public QWidget, public AccessibleItems
{
    Q_OBJECT
    Q_DISABLE_COPY(CardRollerWidget)

public:
    enum Slot {
        PreviousCard = 0,
        CurrentCard = 1,
        NextCard = 2,
    };

    // A chip as last painted: its card slot and its 0-based position on that card.
    struct ChipIndex
    {
        int slot = -1;
        int position = -1;
        bool isValid() const { return slot >= 0 && position >= 0; }
        friend bool operator==(const ChipIndex &, const ChipIndex &) = default;
    };

    explicit CardRollerWidget(QWidget *parent = nullptr);

    QRect cardRect(int slot) const;
    // The union of the three cards.
    QRect cardArea() const { return m_cardArea; }
    QRect captionRect(int slot) const;
    // The rectangle of a chip in the last successful paint; null when there is none.
    QRect indexRect(const ChipIndex &index) const;
    // The chip under pos in the last successful paint.
    ChipIndex indexAt(const QPoint &pos) const;
    // The page a roll in dir reaches under the filters; none when the deck cannot be read.
    std::optional<DB::ColorPage> rollTarget(Direction dir);
    ChipPointer *chipPointer() const { return m_pointer; }

    // The chips of the last successful paint, card by card.
    int accessibleItemCount() const override;
    Item accessibleItem(int index) const override;

public slots:
    void selectedCollectionChanged(const QUuid &collectionId);

signals:
    void roll(Sorven::Direction dir);
    void pageChangedInteractively(int newPage);
    // newRow counts from 1.
    void rowChangedInteractively(int newRow);
    void collectionSelectedInteractively(const QUuid &collectionId);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void layoutCards();
    const DB::ColorEntry *entryAt(const ChipIndex &index) const;
    ChipIndex itemIndex(int item) const;
    void moveSelection(int step);
    void copySelectedChip();
    bool startDrag(const QPoint &pos);
    ChipPointer::ToolTip toolTipAt(const QPoint &pos) const;
    DB::ItemIndex chipAt(const QPoint &pos) const;
    void goToChip(const QUuid &collection, int pageIndex, int rowIndex);

    QPixmap m_mtoMask;
    QVector<int> m_drawingOrder;
    std::array<DB::ColorPage, 3> m_pages;
    std::array<QRect, 3> m_cards;
    QRect m_cardArea;
    std::array<QRect, 3> m_captions;
    std::array<QVector<QRect>, 3> m_chipRects;
    ChipPointer *m_pointer;
};

} // namespace Sorven
