#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QUuid>
#include <QWidget>

#include <optional>

class QSlider;

namespace Sorven {

class ImageButton;
class MyPaletteModel;

// The enlarged view of My Palette that slides over the whole palette. It paints the cells of the
// stored palette; a click magnifies one chip over the whole chip area, the next click ends it.
class MyPaletteFullWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MyPaletteFullWidget)

public:
    // Shows the model the docked palette changes; without one, the stored palette read into a
    // model of its own.
    explicit MyPaletteFullWidget(QWidget *parent = nullptr, const MyPaletteModel *model = nullptr);

    // The chip area and one cell in it, from the last layout.
    QRect chipArea() const;
    QRect cellRect(const QPoint &cell) const;
    std::optional<QColor> magnifiedColor() const { return m_magnified; }
    QSlider *backgroundSlider() const { return m_slider; }

public slots:
    void selectedCollectionChanged(QUuid collectionId);

signals:
    void backButtonClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private slots:
    void backClicked();
    void backgroundColorSliderValueChanged(int value);

private:
    void paintFrame(QPainter &painter) const;
    void paintCells(QPainter &painter) const;

    const MyPaletteModel *m_model;
    QImage m_bar;
    ImageButton *m_backButton = nullptr;
    QSlider *m_slider = nullptr;
    QPoint m_chipOrigin;
    QSize m_cellSize;
    std::optional<QColor> m_magnified;
};

} // namespace Sorven
