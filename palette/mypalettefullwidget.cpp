#include "palette/mypalettefullwidget.h"

#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/lookups.h"
#include "palette/mypalettemodel.h"
#include "widgets/imagebutton.h"
#include "widgets/orvocustomstyle.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSlider>

namespace Sorven {

namespace {

const int SideMargin = 64;
const QColor OutlineGrey(176, 176, 176);

QImage themeImage(const char *key, const QSize &size)
{
    return DB::themeImage(UserSettings::lastUsedCollection(), QString::fromLatin1(key), size);
}

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

} // namespace

MyPaletteFullWidget::MyPaletteFullWidget(QWidget *parent, const MyPaletteModel *model)
    : QWidget(parent),
      m_model(model ? model : new MyPaletteModel(this)),
      m_bar(themeImage("image.widget.bar.background", QSize(30, 30))),
      m_slider(new QSlider(Qt::Horizontal, this))
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFont(regularFont(3));
    const QImage back = themeImage("image.mypalettefull.back", QSize(16, 16));
    m_backButton = new ImageButton(back, back, this);
    m_backButton->setFixedSize(back.size() + QSize(2, 2));

    auto *style = new OrvoCustomStyle;
    style->setParent(this);
    style->setSliderImages(themeImage("image.mypalettefull.slider.background", QSize(21, 7)),
                           themeImage("image.mypalettefull.slider.background.mask", QSize()),
                           themeImage("image.mypalettefull.slider.thumb", QSize(21, 7)));
    m_slider->setStyle(style);
    m_slider->setRange(0, 255);
    m_slider->setInvertedAppearance(true);
    m_slider->setPageStep(10);
    m_slider->setValue(UserSettings::myPaletteFullBackgroundColor());
    connect(m_slider, &QSlider::valueChanged, this,
            &MyPaletteFullWidget::backgroundColorSliderValueChanged);
    connect(m_backButton, &QPushButton::clicked, this, &MyPaletteFullWidget::backClicked);
    connect(m_model, &MyPaletteModel::myPaletteChanged, this, qOverload<>(&QWidget::update));
}

QRect MyPaletteFullWidget::chipArea() const
{
    return QRect(m_chipOrigin,
                 QSize(PaletteModel::Columns * m_cellSize.width(),
                       PaletteModel::Rows * m_cellSize.height()));
}

QRect MyPaletteFullWidget::cellRect(const QPoint &cell) const
{
    return QRect(m_chipOrigin
                     + QPoint(cell.x() * m_cellSize.width(), cell.y() * m_cellSize.height()),
                 m_cellSize);
}

void MyPaletteFullWidget::selectedCollectionChanged(QUuid)
{
    update();
}

void MyPaletteFullWidget::resizeEvent(QResizeEvent *)
{
    const int bar = m_bar.height();
    const int m = (bar - m_backButton->height()) / 2;
    m_backButton->move(m, m);
    const int sliderHeight = m_slider->sizeHint().height();
    const int g = (bar - sliderHeight) / 2;
    m_slider->setGeometry(width() - g - 256, g, 256, sliderHeight);
    const int cellWidth = (width() - 2 * SideMargin) / PaletteModel::Columns;
    const int cellHeight = int(cellWidth / 1.8);
    m_cellSize = QSize(qMax(0, cellWidth), qMax(0, cellHeight));
    m_chipOrigin
        = QPoint(SideMargin, bar - 1 + (height() - bar - PaletteModel::Rows * cellHeight + 1) / 2);
}

void MyPaletteFullWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int grey = m_slider->value();
    painter.fillRect(rect(), QColor(grey, grey, grey));
    if (m_bar.width() > 0) {
        for (int x = 0; x < width(); x += m_bar.width())
            painter.drawImage(x, 0, m_bar);
    }
    if (m_magnified) {
        painter.fillRect(chipArea(), *m_magnified);
        return;
    }
    paintFrame(painter);
    paintCells(painter);
}

void MyPaletteFullWidget::paintFrame(QPainter &painter) const
{
    const QRect area = chipArea();
    const QPoint topLeft = area.topLeft();
    const QPoint bottomRight = area.bottomRight();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(withAlpha(OutlineGrey, 24));
    painter.drawRoundedRect(QRect(topLeft - QPoint(2, 2), bottomRight + QPoint(3, 3)), 3, 3);
    painter.setPen(withAlpha(OutlineGrey, 64));
    painter.drawRoundedRect(QRect(topLeft - QPoint(1, 1), bottomRight + QPoint(2, 2)), 2, 2);
    painter.setPen(withAlpha(OutlineGrey, 192));
    painter.drawRect(QRect(topLeft, bottomRight + QPoint(1, 1)));
    painter.restore();
}

void MyPaletteFullWidget::paintCells(QPainter &painter) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(OutlineGrey);
    // White where a cell is empty or its chip no longer loads.
    for (const QPoint &cell : PaletteModel::cells()) {
        const std::optional<DB::ColorEntry> chip = m_model->chip(cell);
        painter.setBrush(chip ? chip->color() : QColor(Qt::white));
        painter.drawRect(cellRect(cell));
    }
    painter.restore();
}

void MyPaletteFullWidget::mousePressEvent(QMouseEvent *event)
{
    if (m_magnified) {
        m_magnified.reset();
    } else if (chipArea().contains(event->position().toPoint()) && !m_cellSize.isEmpty()) {
        const QPoint offset = event->position().toPoint() - m_chipOrigin;
        const QPoint cell(offset.x() / m_cellSize.width(), offset.y() / m_cellSize.height());
        if (const std::optional<DB::ColorEntry> chip = m_model->chip(cell))
            m_magnified = chip->color();
    }
    update();
}

void MyPaletteFullWidget::backClicked()
{
    m_magnified.reset();
    update();
    emit backButtonClicked();
}

void MyPaletteFullWidget::backgroundColorSliderValueChanged(int value)
{
    UserSettings::setMyPaletteFullBackgroundColor(value);
    update();
}

} // namespace Sorven
