#include "widgets/colorwheelwidget.h"

#include "core/usersettings.h"
#include "db/connections.h"
#include "db/lookups.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QWheelEvent>
#include <QtMath>

#include <cmath>

namespace Sorven {

namespace {

const QSize WheelSize(122, 122);
const QPointF Centre(60.0, 61.0);
constexpr double HubRadius = 6.0;
constexpr double HitRadius = 57.0;
constexpr double PointerRadius = 45.0;
constexpr double ArcRadius = 48.0;

QPointF pointAt(double angle, double distance)
{
    return {Centre.x() + distance * std::cos(angle), Centre.y() - distance * std::sin(angle)};
}

// Qt measures arcs in sixteenths of a degree.
int sixteenths(double radians)
{
    return int(qRadiansToDegrees(radians) * 16.0);
}

} // namespace

ColorWheelWidget::ColorWheelWidget(QWidget *parent) : QWidget(parent)
{
    setFixedSize(WheelSize);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    selectedCollectionChanged(UserSettings::lastUsedCollection());
}

QSize ColorWheelWidget::sizeHint() const
{
    return WheelSize;
}

QSize ColorWheelWidget::minimumSizeHint() const
{
    return WheelSize;
}

double ColorWheelWidget::angleAt(const QPointF &pos)
{
    const double dx = pos.x() - Centre.x();
    const double dy = Centre.y() - pos.y();
    const double base = std::asin(std::abs(dy) / distanceFromCentre(pos));
    if (dy >= 0)
        return dx >= 0 ? base : M_PI - base;
    return dx < 0 ? M_PI + base : 2.0 * M_PI - base;
}

double ColorWheelWidget::distanceFromCentre(const QPointF &pos)
{
    return std::hypot(pos.x() - Centre.x(), Centre.y() - pos.y());
}

// The background is the same for every collection; the sectors are the collection's own.
void ColorWheelWidget::selectedCollectionChanged(QUuid collectionId)
{
    m_background = DB::themeImage(DB::SystemWideCollectionUuid,
                                  QStringLiteral("image.widget.color.wheel.background"), WheelSize);
    // A collection may store the wheel at a multiple of its size for scaled screens.
    if (m_background.width() > 0)
        m_background.setDevicePixelRatio(qreal(m_background.width()) / WheelSize.width());
    m_layout = WheelLayout::of(collectionId);
    m_sectors.reset();
    update();
}

const QVector<WheelSector> &ColorWheelWidget::sectors() const
{
    if (!m_sectors)
        m_sectors = wheelSectors(UserSettings::lastUsedCollection());
    return *m_sectors;
}

void ColorWheelWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_dragging
        || distanceFromCentre(event->position()) > HitRadius)
        return;
    m_dragging = true;
    chooseSegmentAt(event->position());
}

void ColorWheelWidget::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging = false;
}

// Outside the wheel a drag pauses rather than ends, so coming back continues it.
void ColorWheelWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        chooseSegmentAt(event->position());
}

void ColorWheelWidget::wheelEvent(QWheelEvent *event)
{
    event->accept();
    const std::optional<int> segment
        = wheelStepSegment(UserSettings::lastUsedCollection(), event->angleDelta().y() < 0);
    if (segment)
        emit segmentChangedInteractively(*segment);
}

void ColorWheelWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(0, 0, m_background);
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(Centre.x() - HubRadius, Centre.y() - HubRadius, 2 * HubRadius + 1,
                               2 * HubRadius + 1));

    const double pointer
        = m_layout.centreAngle(UserSettings::segmentIndex(UserSettings::lastUsedCollection()));
    painter.setPen(QPen(Qt::white, 3));
    painter.drawLine(Centre, pointAt(pointer, PointerRadius - 5));
    painter.setPen(QPen(Qt::white, 0));
    constexpr double headSpread = M_PI / 20.0;
    painter.drawPolygon(QPolygonF({pointAt(pointer, PointerRadius - 1),
                                   pointAt(pointer + headSpread, PointerRadius - 9),
                                   pointAt(pointer - headSpread, PointerRadius - 9)}));
    const double sector = m_layout.sectorAngle();
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(
        QRectF(Centre.x() - ArcRadius, Centre.y() - ArcRadius, 2 * ArcRadius, 2 * ArcRadius),
        sixteenths(pointer - sector / 2.0), sixteenths(sector));
}

// Every move inside the wheel asks again, whether or not the segment changed; the main widget
// ignores a request for the stored segment.
void ColorWheelWidget::chooseSegmentAt(const QPointF &pos)
{
    const double distance = distanceFromCentre(pos);
    if (distance <= 0.0 || distance > HitRadius)
        return;
    const std::optional<int> segment = sectorSegmentAt(sectors(), angleAt(pos));
    if (segment)
        emit segmentChangedInteractively(
            segmentToGoTo(UserSettings::lastUsedCollection(), *segment));
}

} // namespace Sorven
