#pragma once

#include <QColor>
#include <QPushButton>

namespace Sorven {

// A light, rounded text button for the tasks under My Palette (save, load and the like).
class TaskButton : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY(TaskButton)

public:
    explicit TaskButton(QWidget *parent = nullptr);

protected:
    enum class Shape { RoundedRectangle, Ellipse };

    // An ellipse is the round icon button: blue bold text, no focus rings.
    TaskButton(Shape shape, QWidget *parent);

    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    static void paintFocusRings(QPainter &painter, const QRect &body);

    Shape m_shape;
    QColor m_outlineColor;
    QColor m_textColor;
    QColor m_gradientTopColor;
    QColor m_gradientBottomColor;
};

} // namespace Sorven
