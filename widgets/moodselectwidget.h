#pragma once

#include "core/enumerations.h"

#include <QImage>
#include <QLine>
#include <QRect>
#include <QUuid>
#include <QWidget>

#include <array>
#include <optional>

namespace Sorven {

// Restricts browsing to the pages of one mood and, optionally, to pages for exterior use; for
// powder-coating collections it switches made-to-order colours on and off instead.
class MoodSelectWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MoodSelectWidget)

public:
    // The clickable parts, the six mood buttons first in the order of their row and column.
    enum Item {
        FreshButton,
        CalmButton,
        WarmButton,
        RichButton,
        OffwhiteButton,
        NeutralButton,
        AllMoodsItem,
        ExteriorItem,
        MtoItem,
        ItemCount,
    };

    explicit MoodSelectWidget(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The rectangle of an item in the last layout; null when the collection does not offer it.
    QRect itemRect(Item item) const;
    std::optional<Item> itemAt(const QPoint &pos) const;
    static Mood moodOf(Item button);

public slots:
    void selectedCollectionChanged(QUuid collectionId);

signals:
    void moodFilterChangedInteractively(Sorven::Mood newMood);
    void exteriorFilterChangedInteractively(bool exterior);
    void showMtoChangedInteractively(bool showMto);

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct Images
    {
        std::array<QImage, 6> normal;
        std::array<QImage, 6> selected;
        QImage tick;
        QImage disabled;
    };

    void loadImages();
    void layoutItems();
    void layoutMoodFilter(const QUuid &uuid);
    void layoutMtoItem(const QUuid &uuid);
    QSize textItemSize(const QUuid &uuid, const char *key) const;
    void paintMoodFilter(QPainter &painter, const QUuid &uuid);
    void paintTextItem(QPainter &painter, Item item, const char *key, bool ticked);
    void pressMoodFilter(const QPoint &pos, const QUuid &uuid);
    bool showToolTip(const QPoint &pos);

    Images m_images;
    QSize m_layoutSize;
    // The geometry laid out last, so that an unchanged one is not laid out again.
    QRect m_laidOutGeometry;
    std::array<QRect, ItemCount> m_items;
    QVector<QLine> m_separators;
};

} // namespace Sorven
