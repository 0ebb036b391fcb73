#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

#include <optional>

namespace Sorven {

// A grab of the screen that the eyedropper picks from: the colour under a point and the
// magnified pixels around it. Points are in the screen's logical coordinates; the grab may hold
// more device pixels per point, as its device pixel ratio says.
class ScreenPick
{
public:
    // Pixels shown on each side of the one under the point, and the size each is drawn at.
    static constexpr int Radius = 5;
    static constexpr int Zoom = 9;

    explicit ScreenPick(const QImage &grab);

    // Whether the platform handed over anything to pick from.
    bool isValid() const { return !m_grab.isNull(); }
    const QImage &grab() const { return m_grab; }
    std::optional<QColor> colorAt(const QPoint &point) const;
    // (2 * Radius + 1) pixels square, each Zoom wide, the middle one framed; what lies beyond
    // the screen is transparent.
    QImage magnifiedView(const QPoint &point) const;

private:
    QPoint devicePixel(const QPoint &point) const;

    QImage m_grab;
};

} // namespace Sorven
