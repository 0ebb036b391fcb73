#include "widgets/orvocustomstyle.h"

#include "widgets/imagebutton.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QStyleOption>

#include <cmath>
#include <utility>

namespace Sorven {

namespace {

const int ScrollBarExtent = 12;
const int ScrollBarSliderMinimum = 32;
const int CapsuleInset = 3;
const int CapsuleDiameter = 6;

bool isHorizontal(const QStyleOptionSlider &bar)
{
    return bar.orientation == Qt::Horizontal;
}

int trackLength(const QStyleOptionSlider &bar)
{
    return isHorizontal(bar) ? bar.rect.width() : bar.rect.height();
}

// Start and end (exclusive) of the slider along the track, counted from the track's start. The
// slider covers the share of the track that the page step has of the whole scrollable length.
std::pair<int, int> sliderSpan(const QStyleOptionSlider &bar)
{
    const int length = trackLength(bar);
    const double total = double(bar.maximum) - bar.minimum + bar.pageStep;
    if (total <= 0)
        return {0, length};
    const double scale = length / total;
    // Counted from the minimum so that a range that does not start at 0 stays on the track.
    const double position = double(bar.sliderPosition) - bar.minimum;
    return {int(std::floor(position * scale + 0.5)),
            int(std::floor((position + bar.pageStep) * scale + 0.5))};
}

// The part of the bar between two positions along its track.
QRect trackPart(const QStyleOptionSlider &bar, int from, int to)
{
    const QRect &r = bar.rect;
    if (isHorizontal(bar))
        return QRect(r.left() + from, r.top(), to - from, r.height());
    return QRect(r.left(), r.top() + from, r.width(), to - from);
}

QRect scrollBarPart(const QStyleOptionSlider &bar, QStyle::SubControl part)
{
    const auto [start, end] = sliderSpan(bar);
    switch (part) {
    case QStyle::SC_ScrollBarGroove:
        return bar.rect;
    case QStyle::SC_ScrollBarSlider:
        return trackPart(bar, start, end);
    case QStyle::SC_ScrollBarSubPage:
        return trackPart(bar, 0, start);
    case QStyle::SC_ScrollBarAddPage:
        return trackPart(bar, end, trackLength(bar));
    default:
        // No arrow buttons: the bar is a track with a slider.
        return QRect();
    }
}

QStyle::SubControl scrollBarPartAt(const QStyleOptionSlider &bar, const QPoint &position)
{
    if (!bar.rect.contains(position))
        return QStyle::SC_None;
    const auto [start, end] = sliderSpan(bar);
    const int along
        = isHorizontal(bar) ? position.x() - bar.rect.left() : position.y() - bar.rect.top();
    if (along < start)
        return QStyle::SC_ScrollBarSubPage;
    if (along >= end)
        return QStyle::SC_ScrollBarAddPage;
    return QStyle::SC_ScrollBarSlider;
}

// A gradient across the bar, from its top (or left) edge to the opposite one.
QLinearGradient acrossBar(const QStyleOption &option, const QRect &rect, const QColor &from,
                          const QColor &to)
{
    const bool horizontal = option.state & QStyle::State_Horizontal;
    QLinearGradient gradient(rect.topLeft(), horizontal ? rect.bottomLeft() : rect.topRight());
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return gradient;
}

void drawTrack(const QStyleOption &option, QPainter &painter)
{
    painter.fillRect(option.rect,
                     acrossBar(option, option.rect, QColor(152, 152, 152), QColor(144, 144, 144)));
}

void drawCapsule(const QStyleOption &option, QPainter &painter)
{
    const bool horizontal = option.state & QStyle::State_Horizontal;
    const QRect body = horizontal ? option.rect.adjusted(0, CapsuleInset, 0, -CapsuleInset)
                                  : option.rect.adjusted(CapsuleInset, 0, -CapsuleInset, 0);
    const int radius = CapsuleDiameter / 2;
    const QSize end(CapsuleDiameter, CapsuleDiameter);
    const QRect firstEnd(body.topLeft(), end);
    const QRect lastEnd = horizontal
        ? QRect(QPoint(body.right() - CapsuleDiameter + 1, body.top()), end)
        : QRect(QPoint(body.left(), body.bottom() - CapsuleDiameter + 1), end);
    const QRect middle
        = horizontal ? body.adjusted(radius, 0, -radius, 0) : body.adjusted(0, radius, 0, -radius);

    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(acrossBar(option, body, QColor(192, 192, 192), QColor(208, 208, 208)));
    painter.drawRect(middle);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.drawEllipse(firstEnd);
    painter.drawEllipse(lastEnd);
    painter.restore();
}

// Draws image into target keeping its first and last `edge` columns as they are and stretching
// the `edge` columns after the first ones over the middle, so the rounded ends keep their shape
// at any width.
void drawThreeSlices(QPainter &painter, const QImage &image, const QRect &target, int edge)
{
    const int height = image.height();
    painter.drawImage(QRect(target.left(), target.top(), edge, target.height()), image,
                      QRect(0, 0, edge, height));
    painter.drawImage(
        QRect(target.left() + edge, target.top(), target.width() - 2 * edge, target.height()),
        image, QRect(edge, 0, edge, height));
    painter.drawImage(QRect(target.right() - edge + 1, target.top(), edge, target.height()), image,
                      QRect(image.width() - edge, 0, edge, height));
}

// The white-to-black shading of the slider track, kept only where the mask has red.
QImage maskedShading(const QImage &mask, int width, int edge)
{
    QImage slicedMask(width, mask.height(), QImage::Format_ARGB32);
    slicedMask.fill(Qt::transparent);
    {
        QPainter painter(&slicedMask);
        drawThreeSlices(painter, mask, slicedMask.rect(), edge);
    }
    QImage shading(width, mask.height(), QImage::Format_ARGB32);
    {
        QPainter painter(&shading);
        QLinearGradient gradient(0, 0, width, 0);
        gradient.setColorAt(0, Qt::white);
        gradient.setColorAt(1, Qt::black);
        painter.fillRect(shading.rect(), gradient);
    }
    for (int y = 0; y < shading.height(); ++y) {
        const auto *maskLine = reinterpret_cast<const QRgb *>(slicedMask.constScanLine(y));
        auto *line = reinterpret_cast<QRgb *>(shading.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (qRed(maskLine[x]) == 0)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return shading;
}

} // namespace

void OrvoCustomStyle::setSliderImages(const QImage &groove, const QImage &mask,
                                      const QImage &handle)
{
    m_sliderGroove = groove;
    m_sliderMask = mask;
    m_sliderHandle = handle;
}

QStyle *OrvoCustomStyle::base()
{
    return QApplication::style();
}

bool OrvoCustomStyle::drawsSlider() const
{
    return !m_sliderGroove.isNull() && !m_sliderMask.isNull() && !m_sliderHandle.isNull();
}

void OrvoCustomStyle::polish(QWidget *widget)
{
    base()->polish(widget);
}

void OrvoCustomStyle::unpolish(QWidget *widget)
{
    base()->unpolish(widget);
}

void OrvoCustomStyle::polish(QApplication *application)
{
    base()->polish(application);
}

void OrvoCustomStyle::unpolish(QApplication *application)
{
    base()->unpolish(application);
}

void OrvoCustomStyle::polish(QPalette &palette)
{
    base()->polish(palette);
}

QRect OrvoCustomStyle::itemTextRect(const QFontMetrics &metrics, const QRect &rect, int flags,
                                    bool enabled, const QString &text) const
{
    return base()->itemTextRect(metrics, rect, flags, enabled, text);
}

QRect OrvoCustomStyle::itemPixmapRect(const QRect &rect, int flags, const QPixmap &pixmap) const
{
    return base()->itemPixmapRect(rect, flags, pixmap);
}

void OrvoCustomStyle::drawItemText(QPainter *painter, const QRect &rect, int flags,
                                   const QPalette &palette, bool enabled, const QString &text,
                                   QPalette::ColorRole textRole) const
{
    base()->drawItemText(painter, rect, flags, palette, enabled, text, textRole);
}

void OrvoCustomStyle::drawItemPixmap(QPainter *painter, const QRect &rect, int alignment,
                                     const QPixmap &pixmap) const
{
    base()->drawItemPixmap(painter, rect, alignment, pixmap);
}

QPalette OrvoCustomStyle::standardPalette() const
{
    return base()->standardPalette();
}

void OrvoCustomStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                    QPainter *painter, const QWidget *widget) const
{
    base()->drawPrimitive(element, option, painter, widget);
}

void OrvoCustomStyle::drawControl(ControlElement element, const QStyleOption *option,
                                  QPainter *painter, const QWidget *widget) const
{
    if (element == CE_PushButton && qobject_cast<const ImageButton *>(widget)) {
        drawImageButton(option, painter, widget);
        return;
    }
    switch (element) {
    case CE_ScrollBarAddPage:
    case CE_ScrollBarSubPage:
        drawTrack(*option, *painter);
        return;
    case CE_ScrollBarSlider:
        drawTrack(*option, *painter);
        drawCapsule(*option, *painter);
        return;
    default:
        base()->drawControl(element, option, painter, widget);
    }
}

void OrvoCustomStyle::drawImageButton(const QStyleOption *option, QPainter *painter,
                                      const QWidget *widget) const
{
    const auto *button = static_cast<const ImageButton *>(widget);
    const bool down = option->state & State_Sunken;
    painter->save();
    if (button->isCheckable() && button->isChecked()) {
        const QRect body = option->rect.adjusted(0, 0, -1, -1);
        QLinearGradient gradient(body.topLeft(), body.bottomRight());
        gradient.setColorAt(0, QColor(255, 255, 255, 224));
        gradient.setColorAt(1, QColor(255, 255, 255, 192));
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(Qt::NoPen);
        painter->setBrush(gradient);
        painter->drawRoundedRect(body, 4, 4);
    }
    const QImage &image = down            ? button->pressedImage()
        : (option->state & State_Enabled) ? button->normalImage()
                                          : button->disabledImage();
    QRect target(QPoint(), image.size());
    target.moveCenter(option->rect.center());
    if (down)
        target.translate(1, 1);
    painter->drawImage(target, image);
    painter->restore();
}

QRect OrvoCustomStyle::subElementRect(SubElement element, const QStyleOption *option,
                                      const QWidget *widget) const
{
    if (element == SE_PushButtonLayoutItem && qobject_cast<const ImageButton *>(widget))
        return option->rect;
    return base()->subElementRect(element, option, widget);
}

void OrvoCustomStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                         QPainter *painter, const QWidget *widget) const
{
    const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (control == CC_ScrollBar && slider) {
        drawScrollBar(*slider, painter, widget);
        return;
    }
    if (control == CC_Slider && slider) {
        if (slider->orientation == Qt::Vertical)
            return;
        if (drawsSlider()) {
            drawSlider(*slider, painter);
            return;
        }
    }
    base()->drawComplexControl(control, option, painter, widget);
}

void OrvoCustomStyle::drawScrollBar(const QStyleOptionSlider &bar, QPainter *painter,
                                    const QWidget *widget) const
{
    static const std::pair<SubControl, ControlElement> parts[] = {
        {SC_ScrollBarSubLine, CE_ScrollBarSubLine}, {SC_ScrollBarAddLine, CE_ScrollBarAddLine},
        {SC_ScrollBarSubPage, CE_ScrollBarSubPage}, {SC_ScrollBarAddPage, CE_ScrollBarAddPage},
        {SC_ScrollBarFirst, CE_ScrollBarFirst},     {SC_ScrollBarLast, CE_ScrollBarLast},
        {SC_ScrollBarSlider, CE_ScrollBarSlider},
    };
    QStyleOptionSlider part = bar;
    for (const auto &[subControl, element] : parts) {
        part.rect = scrollBarPart(bar, subControl);
        if ((bar.subControls & subControl) && part.rect.isValid())
            drawControl(element, &part, painter, widget);
    }
    if (bar.state & State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(bar);
        focus.rect = scrollBarPart(bar, SC_ScrollBarSlider).adjusted(2, 2, -3, -3);
        drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
}

void OrvoCustomStyle::drawSlider(const QStyleOptionSlider &slider, QPainter *painter) const
{
    const QRect &r = slider.rect;
    const int edge = m_sliderGroove.height();
    const int halfHandle = m_sliderHandle.width() / 2;
    const QRect track(r.left() + halfHandle, r.top() + (r.height() - edge) / 2,
                      r.width() - 2 * halfHandle, edge);
    if (track.width() <= 0)
        return;
    painter->save();
    drawThreeSlices(*painter, m_sliderGroove, track, edge);
    painter->drawImage(QPoint(track.left(), r.top() + (r.height() - m_sliderMask.height()) / 2),
                       maskedShading(m_sliderMask, track.width(), edge));
    painter->drawImage(sliderHandleRect(slider), m_sliderHandle);
    painter->restore();
}

QRect OrvoCustomStyle::sliderHandleRect(const QStyleOptionSlider &slider) const
{
    const QRect &r = slider.rect;
    const QSize handle = m_sliderHandle.size();
    if (slider.orientation == Qt::Horizontal) {
        const int offset
            = sliderPositionFromValue(slider.minimum, slider.maximum, slider.sliderPosition,
                                      r.width() - handle.width(), slider.upsideDown);
        return QRect(QPoint(r.left() + offset, r.top() + (r.height() - handle.height()) / 2),
                     handle);
    }
    const int offset
        = sliderPositionFromValue(slider.minimum, slider.maximum, slider.sliderPosition,
                                  r.height() - handle.width(), slider.upsideDown);
    return QRect(QPoint(r.left() + (r.width() - handle.height()) / 2, r.top() + offset),
                 handle.transposed());
}

QStyle::SubControl OrvoCustomStyle::hitTestComplexControl(ComplexControl control,
                                                          const QStyleOptionComplex *option,
                                                          const QPoint &position,
                                                          const QWidget *widget) const
{
    const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (control == CC_ScrollBar && slider)
        return scrollBarPartAt(*slider, position);
    if (control == CC_Slider && slider && !m_sliderHandle.isNull()) {
        if (sliderHandleRect(*slider).contains(position))
            return SC_SliderHandle;
        return slider->rect.contains(position) ? SC_SliderGroove : SC_None;
    }
    return base()->hitTestComplexControl(control, option, position, widget);
}

QRect OrvoCustomStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                      SubControl subControl, const QWidget *widget) const
{
    const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (control == CC_ScrollBar && slider)
        return scrollBarPart(*slider, subControl);
    if (control == CC_Slider && slider && !m_sliderHandle.isNull()) {
        if (subControl == SC_SliderHandle)
            return sliderHandleRect(*slider);
        if (subControl == SC_SliderGroove)
            return slider->rect;
    }
    return base()->subControlRect(control, option, subControl, widget);
}

int OrvoCustomStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                 const QWidget *widget) const
{
    switch (metric) {
    case PM_ScrollBarExtent:
        return ScrollBarExtent;
    case PM_ScrollBarSliderMin:
        return ScrollBarSliderMinimum;
    case PM_SliderTickmarkOffset:
        return 0;
    case PM_SliderThickness:
    case PM_SliderControlThickness:
        if (!m_sliderHandle.isNull())
            return m_sliderHandle.height();
        break;
    case PM_SliderLength:
        if (!m_sliderHandle.isNull())
            return m_sliderHandle.width();
        break;
    default:
        break;
    }
    return base()->pixelMetric(metric, option, widget);
}

QSize OrvoCustomStyle::sizeFromContents(ContentsType type, const QStyleOption *option,
                                        const QSize &contentsSize, const QWidget *widget) const
{
    return base()->sizeFromContents(type, option, contentsSize, widget);
}

int OrvoCustomStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                               QStyleHintReturn *returnData) const
{
    return base()->styleHint(hint, option, widget, returnData);
}

QPixmap OrvoCustomStyle::standardPixmap(StandardPixmap pixmap, const QStyleOption *option,
                                        const QWidget *widget) const
{
    return base()->standardPixmap(pixmap, option, widget);
}

QIcon OrvoCustomStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                    const QWidget *widget) const
{
    return base()->standardIcon(icon, option, widget);
}

QPixmap OrvoCustomStyle::generatedIconPixmap(QIcon::Mode mode, const QPixmap &pixmap,
                                             const QStyleOption *option) const
{
    return base()->generatedIconPixmap(mode, pixmap, option);
}

int OrvoCustomStyle::layoutSpacing(QSizePolicy::ControlType control1,
                                   QSizePolicy::ControlType control2, Qt::Orientation orientation,
                                   const QStyleOption *option, const QWidget *widget) const
{
    return base()->layoutSpacing(control1, control2, orientation, option, widget);
}

} // namespace Sorven
