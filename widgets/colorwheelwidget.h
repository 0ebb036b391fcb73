#pragma once

#include "core/wheelsectors.h"

#include <QImage>
#include <QPointF>
#include <QUuid>
#include <QVector>
#include <QWidget>

#include <optional>

namespace Sorven {

// The wheel of hue segments. A click, a drag or a mouse-wheel step asks for another segment; the
// pointer shows the stored one.
class ColorWheelWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorWheelWidget)

public:
    explicit ColorWheelWidget(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The selected collection's sectors, read at the first need after a collection change.
    const QVector<WheelSector> &sectors() const;
    // Of a widget position, in radians counter-clockwise from the right.
    static double angleAt(const QPointF &pos);
    static double distanceFromCentre(const QPointF &pos);

public slots:
    void selectedCollectionChanged(QUuid collectionId);

signals:
    void segmentChangedInteractively(int newSegment);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void chooseSegmentAt(const QPointF &pos);

    QImage m_background;
    // Only a click needs them, and which segments a collection has takes a read over all its
    // pages, which a collection change need not wait for.
    mutable std::optional<QVector<WheelSector>> m_sectors;
    WheelLayout m_layout;
    bool m_dragging = false;
};

} // namespace Sorven
