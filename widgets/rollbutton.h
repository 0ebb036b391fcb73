#pragma once

#include "core/enumerations.h"

#include <QImage>
#include <QPushButton>
#include <QUuid>

namespace Sorven {

// The image button that rolls the card roller one page; holding it down keeps rolling.
class RollButton : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY(RollButton)

public:
    explicit RollButton(Direction direction, QWidget *parent = nullptr);

    Direction direction() const { return m_direction; }

public slots:
    // The images come from the common theme, the same for every collection.
    void selectedCollectionChanged(const QUuid &collectionId);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Direction m_direction;
    QImage m_pressedImage;
    QImage m_normalImage;
};

} // namespace Sorven
