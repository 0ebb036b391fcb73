#include "widgets/imagebutton.h"

#include "widgets/orvocustomstyle.h"

#include <QGraphicsOpacityEffect>
#include <QPainter>
#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>

namespace Sorven {

namespace {

const int FadeDuration = 800;
const qreal FadedOpacity = 0.2;

QImage halfOpaque(const QImage &image)
{
    if (image.isNull())
        return QImage();
    QImage result(image.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setOpacity(0.5);
    painter.drawImage(0, 0, image);
    return result;
}

QPropertyAnimation *opacityAnimation(qreal from, qreal to, QObject *parent)
{
    auto *animation = new QPropertyAnimation(parent);
    animation->setPropertyName("opacity");
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->setDuration(FadeDuration);
    animation->setEasingCurve(QEasingCurve::OutQuart);
    return animation;
}

} // namespace

ImageButton::ImageButton(const QImage &normalImage, const QImage &pressedImage, QWidget *parent)
    : QPushButton(parent),
      m_pressedImage(pressedImage),
      m_normalImage(normalImage),
      m_disabledImage(halfOpaque(normalImage)),
      m_fadeOutAnimation(opacityAnimation(1.0, FadedOpacity, this)),
      m_fadeInAnimation(opacityAnimation(FadedOpacity, 1.0, this)),
      m_pulse(new QSequentialAnimationGroup(this))
{
    setCursor(Qt::PointingHandCursor);
    // A widget does not own its style; as a child the style goes with the button.
    auto *style = new OrvoCustomStyle;
    style->setParent(this);
    setStyle(style);
    m_pulse->addAnimation(m_fadeInAnimation);
    m_pulse->addAnimation(m_fadeOutAnimation);
    m_pulse->setLoopCount(-1);
}

bool ImageButton::isPulsing() const
{
    return m_pulse->state() == QAbstractAnimation::Running;
}

void ImageButton::startPulse()
{
    if (!isVisible() || isPulsing())
        return;
    // A last fade-in still running would remove the new effect when it ends.
    if (m_fadeInStopped) {
        disconnect(m_fadeInStopped);
        m_fadeInAnimation->stop();
    }
    auto *effect = new QGraphicsOpacityEffect(this);
    m_fadeInAnimation->setTargetObject(effect);
    m_fadeOutAnimation->setTargetObject(effect);
    setGraphicsEffect(effect);
    m_pulse->start();
}

void ImageButton::stopPulse()
{
    if (!isVisible() || !isPulsing())
        return;
    m_pulse->stop();
    m_fadeInStopped = connect(m_fadeInAnimation, &QAbstractAnimation::finished, this,
                              &ImageButton::fadeInAnimationStopped);
    m_fadeInAnimation->start();
}

void ImageButton::fadeInAnimationStopped()
{
    disconnect(m_fadeInStopped);
    setGraphicsEffect(nullptr);
    update();
}

void ImageButton::setVisible(bool visible)
{
    if (!visible)
        stopPulse();
    QPushButton::setVisible(visible);
}

} // namespace Sorven
