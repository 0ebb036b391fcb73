#pragma once

#include <QImage>
#include <QMetaObject>
#include <QPushButton>

class QPropertyAnimation;
class QSequentialAnimationGroup;

namespace Sorven {

// A button drawn as one of its images. It can pulse, fading in and out without end, to draw the
// eye to something that is waiting for the user.
class ImageButton : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY(ImageButton)

public:
    ImageButton(const QImage &normalImage, const QImage &pressedImage, QWidget *parent = nullptr);

    const QImage &pressedImage() const { return m_pressedImage; }
    const QImage &normalImage() const { return m_normalImage; }
    // The normal image at half opacity.
    const QImage &disabledImage() const { return m_disabledImage; }

    // Both only act on a visible button.
    void startPulse();
    void stopPulse();
    bool isPulsing() const;

public slots:
    // Hiding stops the pulse first.
    void setVisible(bool visible) override;

private slots:
    void fadeInAnimationStopped();

private:
    QImage m_pressedImage;
    QImage m_normalImage;
    QImage m_disabledImage;
    QPropertyAnimation *m_fadeOutAnimation = nullptr;
    QPropertyAnimation *m_fadeInAnimation = nullptr;
    QSequentialAnimationGroup *m_pulse = nullptr;
    // Connected only while the last fade-in after a pulse runs.
    QMetaObject::Connection m_fadeInStopped;
};

} // namespace Sorven
