#pragma once

#include "palette/screenpick.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QWidget>

namespace Sorven {

// The eyedropper's picking surface: the frozen grab of one screen laid over that screen, with a
// cross-hair pointer and a magnified view of the pixels around it. A left click picks the
// colour under the pointer; Escape or another button gives up. Either way it closes itself.
class EyedropperOverlay : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(EyedropperOverlay)

public:
    EyedropperOverlay(const ScreenPick &pick, const QRect &screenGeometry,
                      QWidget *parent = nullptr);

    // Where the magnified view with its "#rrggbb" is drawn for the pointer at pos.
    QRect loupeRect(const QPoint &pos) const;

signals:
    void colorPicked(QColor color);
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void movePointer(const QPoint &pos);
    void finish(const QColor &picked);

    ScreenPick m_pick;
    QPoint m_pointer;
    bool m_closed = false;
};

} // namespace Sorven
