#pragma once

#include <QImage>
#include <QUuid>
#include <QWidget>

namespace Sorven {

// The wheel of hue segments; a click asks for the segment under the pointer.
class ColorWheelWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorWheelWidget)

public:
    explicit ColorWheelWidget(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void selectedCollectionChanged(QUuid collectionId);

signals:
    void segmentChangedInteractively(int newSegment);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_background;
};

} // namespace Sorven
