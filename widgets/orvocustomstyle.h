#pragma once

#include <QImage>
#include <QStyle>

class QStyleOptionSlider;

namespace Sorven {

// The palette's own look for image buttons, scroll bars and the image-drawn slider. Everything
// else is handed to the application's style, so the palette blends with the host elsewhere.
class OrvoCustomStyle : public QStyle
{
    Q_OBJECT
    Q_DISABLE_COPY(OrvoCustomStyle)

public:
    OrvoCustomStyle() = default;

    // A horizontal slider is drawn from these images once all three are set: the groove, a mask
    // whose red marks where the shading shows, and the handle. The handle also sets the slider's
    // size metrics.
    void setSliderImages(const QImage &groove, const QImage &mask, const QImage &handle);

    void polish(QWidget *widget) override;
    void unpolish(QWidget *widget) override;
    void polish(QApplication *application) override;
    void unpolish(QApplication *application) override;
    void polish(QPalette &palette) override;
    QRect itemTextRect(const QFontMetrics &metrics, const QRect &rect, int flags, bool enabled,
                       const QString &text) const override;
    QRect itemPixmapRect(const QRect &rect, int flags, const QPixmap &pixmap) const override;
    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette,
                      bool enabled, const QString &text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;
    void drawItemPixmap(QPainter *painter, const QRect &rect, int alignment,
                        const QPixmap &pixmap) const override;
    QPalette standardPalette() const override;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption *option,
                         const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;
    SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                     const QPoint &position,
                                     const QWidget *widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                         SubControl subControl, const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contentsSize,
                           const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    QPixmap standardPixmap(StandardPixmap pixmap, const QStyleOption *option = nullptr,
                           const QWidget *widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    QPixmap generatedIconPixmap(QIcon::Mode mode, const QPixmap &pixmap,
                                const QStyleOption *option) const override;
    int layoutSpacing(QSizePolicy::ControlType control1, QSizePolicy::ControlType control2,
                      Qt::Orientation orientation, const QStyleOption *option = nullptr,
                      const QWidget *widget = nullptr) const override;

private:
    static QStyle *base();
    bool drawsSlider() const;
    void drawImageButton(const QStyleOption *option, QPainter *painter,
                         const QWidget *widget) const;
    void drawScrollBar(const QStyleOptionSlider &bar, QPainter *painter,
                       const QWidget *widget) const;
    void drawSlider(const QStyleOptionSlider &slider, QPainter *painter) const;
    QRect sliderHandleRect(const QStyleOptionSlider &slider) const;

    QImage m_sliderGroove;
    QImage m_sliderMask;
    QImage m_sliderHandle;
};

} // namespace Sorven
