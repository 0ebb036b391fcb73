#include "tools/demoimages.h"

#include "db/builtinthemeimages.h"
#include "tools/democolor.h"

#include <QBuffer>
#include <QConicalGradient>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <numbers>

namespace Sorven::Demo {

namespace {

const QColor Glyph(226, 226, 226);

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void smooth(QPainter &painter)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                           | QPainter::SmoothPixmapTransform);
}

QFont uiFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// Text is filled as a path: glyph caches make drawText's pixels depend on what was drawn
// before, and the demo data must come out the same on every build.
void drawText(QPainter &painter, const QPointF &baseline, const QFont &font, const QString &text,
              const QColor &color)
{
    QPainterPath path;
    path.addText(baseline, font, text);
    painter.fillPath(path, color);
}

void drawCentredText(QPainter &painter, const QRectF &rect, const QFont &font, const QString &text,
                     const QColor &color)
{
    QPainterPath path;
    path.addText(QPointF(0.0, 0.0), font, text);
    painter.fillPath(path.translated(rect.center() - path.boundingRect().center()), color);
}

QPen glyphPen(double width, const QColor &color = Glyph)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPointF polar(const QPointF &centre, double radius, double degrees)
{
    const double angle = degrees * std::numbers::pi / 180.0;
    return centre + QPointF(radius * std::cos(angle), -radius * std::sin(angle));
}

void fillPolygon(QPainter &painter, const QList<QPointF> &points, const QColor &color)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPolygon(points.constData(), int(points.size()));
}

// A fan of colour chips turning around a pivot below them, the mark of the palette.
void drawFan(QPainter &painter, const QPointF &pivot, double length, const QList<QColor> &colors)
{
    const int count = int(colors.size());
    for (int i = 0; i < count; ++i) {
        painter.save();
        painter.translate(pivot);
        painter.rotate(-36.0 + 72.0 * i / std::max(1, count - 1));
        const QRectF chip(-length * 0.14, -length, length * 0.28, length * 0.9);
        painter.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
        painter.setBrush(colors[i]);
        painter.drawRoundedRect(chip, 2.0, 2.0);
        painter.restore();
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(240, 240, 240));
    painter.drawEllipse(pivot, length * 0.06, length * 0.06);
}

QImage mainBackground()
{
    QImage image(800, 600, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient shade(0, 0, 0, 600);
    shade.setColorAt(0.0, QColor(58, 60, 64));
    shade.setColorAt(0.4, QColor(46, 48, 51));
    shade.setColorAt(1.0, QColor(33, 34, 37));
    painter.fillRect(image.rect(), shade);
    QRadialGradient glow(QPointF(560, 150), 520);
    glow.setColorAt(0.0, QColor(255, 255, 255, 16));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillRect(image.rect(), glow);
    return image;
}

QImage barBackground()
{
    QImage image(30, 30, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient shade(0, 0, 0, 30);
    shade.setColorAt(0.0, QColor(78, 81, 86));
    shade.setColorAt(1.0, QColor(54, 56, 60));
    painter.fillRect(image.rect(), shade);
    painter.setPen(QColor(255, 255, 255, 34));
    painter.drawLine(0, 0, 29, 0);
    painter.setPen(QColor(0, 0, 0, 110));
    painter.drawLine(0, 29, 29, 29);
    return image;
}

QImage moodButton(const QColor &color, bool selected)
{
    QImage image = canvas(23, 21);
    QPainter painter(&image);
    smooth(painter);
    const QRectF body(2.5, 2.5, 18.0, 16.0);
    if (selected) {
        painter.setPen(QPen(QColor(255, 255, 255, 90), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(0.5, 0.5, 22.0, 20.0), 5.0, 5.0);
    }
    const QColor top = selected ? color.lighter(112) : color.darker(125);
    const QColor bottom = selected ? color.darker(110) : color.darker(165);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0.0, top);
    fill.setColorAt(1.0, bottom);
    painter.setBrush(fill);
    painter.setPen(selected ? QPen(QColor(255, 255, 255), 1.5)
                            : QPen(QColor(18, 18, 20, 170), 1.0));
    painter.drawRoundedRect(body, 4.0, 4.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, selected ? 60 : 28));
    painter.drawRoundedRect(QRectF(4.0, 4.0, 15.0, 6.0), 3.0, 3.0);
    return image;
}

QImage tick()
{
    QImage image = canvas(12, 11);
    QPainter painter(&image);
    smooth(painter);
    painter.setPen(glyphPen(2.0, Qt::white));
    const QPointF points[] = {{1.5, 6.0}, {4.5, 9.0}, {10.5, 1.5}};
    painter.drawPolyline(points, 3);
    return image;
}

QImage moodDisabled()
{
    QImage image = canvas(11, 11);
    QPainter painter(&image);
    smooth(painter);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
    painter.setBrush(QColor(204, 66, 58));
    painter.drawEllipse(QRectF(0.5, 0.5, 10.0, 10.0));
    painter.setPen(glyphPen(1.6, Qt::white));
    painter.drawLine(QPointF(3.2, 7.8), QPointF(7.8, 3.2));
    return image;
}

// The dots of a scheme glyph: where on the small wheel, and in which colour.
QList<QPair<double, QColor>> schemeDots(int scheme)
{
    const auto hue = [](int segment) { return wheelColor(segment); };
    switch (scheme) {
    case 1:
        return {{130.0, hue(12)}, {90.0, hue(1)}, {50.0, hue(2)}};
    case 2:
        return {{90.0, hue(1)}, {270.0, hue(7)}};
    case 3:
        return {{90.0, hue(1)}, {240.0, hue(6)}, {300.0, hue(8)}};
    case 4:
        return {{90.0, hue(1)}, {330.0, hue(5)}, {210.0, hue(9)}};
    case 5:
        return {{90.0, segmentColor(1, 0.62, 0.25)}, {270.0, QColor(236, 234, 228)}};
    default:
        return {{90.0, QColor(236, 234, 228)},
                {330.0, QColor(170, 168, 163)},
                {210.0, QColor(104, 103, 100)}};
    }
}

QImage schemeButton(int scheme, bool selected)
{
    QImage image = canvas(44, 44);
    QPainter painter(&image);
    smooth(painter);
    const QPointF centre(22.0, 22.0);
    if (selected) {
        QRadialGradient glow(centre, 22.0);
        glow.setColorAt(0.7, QColor(255, 255, 255, 70));
        glow.setColorAt(1.0, QColor(255, 255, 255, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(centre, 22.0, 22.0);
    }
    QRadialGradient body(centre - QPointF(4.0, 6.0), 22.0);
    body.setColorAt(0.0, selected ? QColor(116, 119, 124) : QColor(84, 86, 90));
    body.setColorAt(1.0, selected ? QColor(68, 70, 74) : QColor(46, 48, 51));
    painter.setBrush(body);
    painter.setPen(selected ? QPen(Qt::white, 2.0) : QPen(QColor(150, 150, 150, 200), 1.2));
    painter.drawEllipse(centre, 16.0, 16.0);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, selected ? 70 : 40), 1.0));
    painter.drawEllipse(centre, 10.0, 10.0);
    if (scheme == 5) {
        painter.setPen(QPen(QColor(255, 255, 255, 110), 1.0));
        painter.setBrush(QColor(30, 30, 33));
        painter.drawEllipse(centre, 5.0, 5.0);
    }
    for (const auto &[angle, color] : schemeDots(scheme)) {
        QColor dot = color;
        if (!selected)
            dot.setAlpha(200);
        painter.setPen(QPen(QColor(0, 0, 0, 120), 0.8));
        painter.setBrush(dot);
        painter.drawEllipse(polar(centre, 10.0, angle), 3.8, 3.8);
    }
    return image;
}

QImage marker(bool selected)
{
    QImage image = canvas(9, 9);
    QPainter painter(&image);
    smooth(painter);
    painter.setPen(QPen(selected ? Qt::white : QColor(188, 188, 188), 1.2));
    painter.setBrush(selected ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
    painter.drawEllipse(QRectF(1.0, 1.0, 7.0, 7.0));
    return image;
}

QImage rollButton(bool forward, bool down)
{
    QImage image = canvas(22, 22);
    QPainter painter(&image);
    smooth(painter);
    QLinearGradient body(0, 1, 0, 21);
    body.setColorAt(0.0, down ? QColor(50, 52, 55) : QColor(100, 103, 108));
    body.setColorAt(1.0, down ? QColor(76, 78, 82) : QColor(60, 62, 66));
    painter.setBrush(body);
    painter.setPen(QPen(QColor(0, 0, 0, 130), 1.0));
    painter.drawEllipse(QRectF(1.5, 1.5, 19.0, 19.0));
    const double shift = down ? 0.6 : 0.0;
    const double tip = forward ? 15.0 : 7.0;
    const double base = forward ? 8.5 : 13.5;
    fillPolygon(
        painter,
        {{base + shift, 6.5 + shift}, {tip + shift, 11.0 + shift}, {base + shift, 15.5 + shift}},
        down ? QColor(200, 200, 200) : QColor(240, 240, 240));
    return image;
}

QImage dropDownArrow(bool down)
{
    QImage image = canvas(20, 20);
    QPainter painter(&image);
    smooth(painter);
    const QColor color(232, 232, 232);
    if (down)
        fillPolygon(painter, {{5.5, 8.0}, {14.5, 8.0}, {10.0, 13.0}}, color);
    else
        fillPolygon(painter, {{5.5, 12.5}, {14.5, 12.5}, {10.0, 7.5}}, color);
    return image;
}

void drawMagnifier(QPainter &painter, const QColor &color)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(glyphPen(1.6, color));
    painter.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
    painter.setPen(glyphPen(2.4, color));
    painter.drawLine(QPointF(10.0, 10.0), QPointF(14.2, 14.2));
}

QImage magnifier()
{
    QImage image = canvas(16, 16);
    QPainter painter(&image);
    smooth(painter);
    drawMagnifier(painter, QColor(200, 200, 200));
    return image;
}

QImage zoomIcon()
{
    QImage image = canvas(16, 16);
    QPainter painter(&image);
    smooth(painter);
    drawMagnifier(painter, Glyph);
    painter.setPen(glyphPen(1.2));
    painter.drawLine(QPointF(4.6, 6.5), QPointF(8.4, 6.5));
    painter.drawLine(QPointF(6.5, 4.6), QPointF(6.5, 8.4));
    return image;
}

QImage capsureButton()
{
    QImage image = canvas(16, 16);
    QPainter painter(&image);
    smooth(painter);
    painter.setPen(QPen(QColor(0, 0, 0, 140), 1.0));
    painter.setBrush(QColor(222, 222, 222));
    painter.drawRoundedRect(QRectF(1.5, 3.5, 13.0, 10.0), 2.5, 2.5);
    QConicalGradient lens(QPointF(8.0, 8.5), 90.0);
    for (int segment = 1; segment <= SegmentCount; ++segment)
        lens.setColorAt((segment - 1) / double(SegmentCount), wheelColor(segment));
    lens.setColorAt(1.0, wheelColor(1));
    painter.setBrush(lens);
    painter.setPen(QPen(QColor(40, 40, 40), 0.8));
    painter.drawEllipse(QPointF(8.0, 8.5), 3.4, 3.4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(220, 40, 40));
    painter.drawEllipse(QPointF(12.6, 5.4), 0.9, 0.9);
    return image;
}

QImage groupToggle(bool open)
{
    QImage image = canvas(16, 16);
    QPainter painter(&image);
    smooth(painter);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1.0));
    painter.setBrush(QColor(255, 255, 255, 36));
    painter.drawEllipse(QRectF(1.0, 1.0, 14.0, 14.0));
    if (open)
        fillPolygon(painter, {{4.5, 6.0}, {11.5, 6.0}, {8.0, 10.8}}, Qt::white);
    else
        fillPolygon(painter, {{6.0, 4.5}, {10.8, 8.0}, {6.0, 11.5}}, Qt::white);
    return image;
}

QImage eraserIcon()
{
    QImage image = canvas(16, 16);
    QPainter painter(&image);
    smooth(painter);
    painter.setPen(QPen(QColor(200, 200, 200, 130), 1.0));
    painter.drawLine(QPointF(2.0, 14.5), QPointF(14.0, 14.5));
    painter.translate(8.0, 8.0);
    painter.rotate(-40.0);
    painter.setPen(QPen(QColor(20, 20, 20, 150), 0.8));
    painter.setBrush(QColor(236, 236, 236));
    painter.drawRoundedRect(QRectF(-6.5, -3.0, 6.0, 6.0), 1.2, 1.2);
    painter.setBrush(QColor(222, 120, 132));
    painter.drawRoundedRect(QRectF(-0.5, -3.0, 7.0, 6.0), 1.2, 1.2);
    return image;
}

QImage trashIcon()
{
    QImage image = canvas(16, 16);
    QPainter painter(&image);
    smooth(painter);
    painter.setPen(glyphPen(1.3));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(2.5, 4.0), QPointF(13.5, 4.0));
    painter.drawRect(QRectF(6.0, 2.0, 4.0, 2.0));
    const QPointF body[] = {{4.0, 5.5}, {12.0, 5.5}, {11.0, 14.0}, {5.0, 14.0}};
    painter.drawPolygon(body, 4);
    painter.drawLine(QPointF(6.8, 7.5), QPointF(7.0, 12.0));
    painter.drawLine(QPointF(9.2, 7.5), QPointF(9.0, 12.0));
    return image;
}

QImage gridIcon()
{
    QImage image = canvas(16, 16);
    QPainter painter(&image);
    painter.setPen(QPen(Glyph, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(1, 2, 13, 12);
    painter.drawLine(5, 2, 5, 14);
    painter.drawLine(10, 2, 10, 14);
    painter.drawLine(1, 6, 14, 6);
    painter.drawLine(1, 10, 14, 10);
    return image;
}

QImage backIcon()
{
    QImage image = canvas(16, 16);
    QPainter painter(&image);
    smooth(painter);
    painter.setPen(glyphPen(1.8));
    painter.drawLine(QPointF(3.0, 8.0), QPointF(13.0, 8.0));
    const QPointF head[] = {{7.5, 3.5}, {3.0, 8.0}, {7.5, 12.5}};
    painter.drawPolyline(head, 3);
    return image;
}

QImage sliderGroove()
{
    QImage image = canvas(21, 7);
    QPainter painter(&image);
    smooth(painter);
    painter.setPen(QPen(QColor(0, 0, 0, 150), 1.0));
    painter.setBrush(QColor(28, 29, 31));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 20.0, 6.0), 3.0, 3.0);
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1.0));
    painter.drawLine(QPointF(3.0, 6.5), QPointF(18.0, 6.5));
    return image;
}

// Red where the slider's light-to-dark ramp shows through the groove.
QImage sliderMask()
{
    QImage image = canvas(21, 7);
    QPainter painter(&image);
    smooth(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 0, 0));
    painter.drawRoundedRect(QRectF(1.5, 1.5, 18.0, 4.0), 2.0, 2.0);
    return image;
}

QImage sliderThumb()
{
    QImage image = canvas(21, 7);
    QPainter painter(&image);
    smooth(painter);
    QLinearGradient fill(0, 0, 0, 7);
    fill.setColorAt(0.0, QColor(248, 248, 248));
    fill.setColorAt(1.0, QColor(196, 196, 196));
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(50, 50, 50, 190), 1.0));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 20.0, 6.0), 3.0, 3.0);
    painter.setPen(QPen(QColor(110, 110, 110, 170), 1.0));
    for (double x : {8.5, 10.5, 12.5})
        painter.drawLine(QPointF(x, 2.0), QPointF(x, 5.0));
    return image;
}

QImage questionIcon()
{
    QImage image = canvas(128, 128);
    QPainter painter(&image);
    smooth(painter);
    QRadialGradient body(QPointF(48.0, 40.0), 90.0);
    body.setColorAt(0.0, QColor(120, 170, 220));
    body.setColorAt(1.0, QColor(36, 84, 142));
    painter.setBrush(body);
    painter.setPen(QPen(QColor(255, 255, 255, 140), 3.0));
    painter.drawEllipse(QRectF(8.0, 8.0, 112.0, 112.0));
    const QFont font = uiFont(78, true);
    drawCentredText(painter, QRectF(2.0, 4.0, 128.0, 128.0), font, QStringLiteral("?"),
                    QColor(0, 0, 0, 70));
    drawCentredText(painter, QRectF(0.0, 0.0, 128.0, 128.0), font, QStringLiteral("?"), Qt::white);
    return image;
}

QImage madeToOrderMask()
{
    QImage image = canvas(96, 50);
    QPainter painter(&image);
    smooth(painter);
    painter.setPen(QPen(QColor(255, 255, 255, 105), 3.0));
    for (int x = -50; x < 96; x += 12)
        painter.drawLine(QPointF(x, 50.0), QPointF(x + 50.0, 0.0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 120));
    painter.drawRoundedRect(QRectF(26.0, 15.0, 44.0, 20.0), 4.0, 4.0);
    drawCentredText(painter, QRectF(26.0, 15.0, 44.0, 20.0), uiFont(12, true),
                    QStringLiteral("MTO"), Qt::white);
    return image;
}

// Sized for the About box's logo label, which shows 48 of the 128 x 64 pixels it asks for.
QImage aboutLogo(const DemoThemeLook &look)
{
    QImage image = canvas(128, 48);
    QPainter painter(&image);
    smooth(painter);
    drawFan(painter, QPointF(24.0, 44.0), 38.0, look.accents.mid(0, 5));
    drawText(painter, QPointF(54.0, 28.0), uiFont(24, true), QStringLiteral("VEXA"),
             QColor(58, 60, 64));
    drawText(painter, QPointF(55.0, 42.0), uiFont(9, false), QStringLiteral("colour palette"),
             QColor(100, 100, 100));
    return image;
}

// At twice the wheel's size, so that it is crisp on screens scaled to 200 %.
QImage colorWheelBackground()
{
    QImage image = canvas(244, 244);
    image.setDevicePixelRatio(2.0);
    QPainter painter(&image);
    smooth(painter);
    const QPointF centre(60.0, 61.0);
    QRadialGradient disc(centre, 60.0);
    disc.setColorAt(0.0, QColor(44, 46, 49));
    disc.setColorAt(1.0, QColor(26, 27, 29));
    painter.setPen(QPen(QColor(0, 0, 0, 140), 1.0));
    painter.setBrush(disc);
    painter.drawEllipse(centre, 60.0, 60.0);

    // The wheel's layout: segment 1 centred at the top, numbers increasing clockwise.
    constexpr double firstSegmentAngle = 90.0;
    constexpr double sector = 360.0 / SegmentCount;
    const QRectF outer(centre.x() - 58.5, centre.y() - 58.5, 117.0, 117.0);
    const QRectF inner(centre.x() - 50.5, centre.y() - 50.5, 101.0, 101.0);
    const QRectF glow(centre.x() - 44.0, centre.y() - 44.0, 88.0, 88.0);
    for (int segment = 1; segment <= SegmentCount; ++segment) {
        const double middle = firstSegmentAngle - (segment - 1) * sector;
        const double start = middle - sector / 2.0 + 0.9;
        const double span = sector - 1.8;
        QPainterPath band;
        band.arcMoveTo(outer, start);
        band.arcTo(outer, start, span);
        band.arcTo(inner, start + span, -span);
        band.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(wheelColor(segment));
        painter.drawPath(band);

        QPainterPath tint;
        tint.arcMoveTo(inner, start);
        tint.arcTo(inner, start, span);
        tint.arcTo(glow, start + span, -span);
        tint.closeSubpath();
        QColor faint = wheelColor(segment);
        faint.setAlpha(46);
        painter.setBrush(faint);
        painter.drawPath(tint);
    }
    painter.setPen(QPen(QColor(255, 255, 255, 26), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 44.0, 44.0);
    return image;
}

QImage bannerImage(const DemoThemeLook &look)
{
    QImage image(800, 70, QImage::Format_RGB32);
    QPainter painter(&image);
    smooth(painter);
    QLinearGradient shade(0, 0, 800, 0);
    shade.setColorAt(0.0, QColor(30, 31, 34));
    shade.setColorAt(0.5, QColor(46, 48, 52));
    shade.setColorAt(1.0, QColor(30, 31, 34));
    painter.fillRect(image.rect(), shade);
    drawFan(painter, QPointF(48.0, 64.0), 54.0, look.accents.mid(0, 5));

    drawText(painter, QPointF(100.0, 36.0), uiFont(24, true), look.title, Qt::white);
    drawText(painter, QPointF(101.0, 55.0), uiFont(12, false), look.subtitle,
             QColor(188, 188, 188));

    const int count = int(look.accents.size());
    for (int i = 0; i < count; ++i) {
        const QRectF chip(800.0 - 24.0 - (count - i) * 26.0, 23.0, 22.0, 24.0);
        painter.setPen(QPen(QColor(0, 0, 0, 120), 1.0));
        painter.setBrush(look.accents[i]);
        painter.drawRoundedRect(chip, 3.0, 3.0);
    }
    painter.setPen(QColor(255, 255, 255, 28));
    painter.drawLine(0, 69, 799, 69);
    return image;
}

} // namespace

QMap<QString, QByteArray> sharedThemeImages()
{
    const std::array<std::pair<const char *, QColor>, 6> moods {{
        {"fresh", QColor(120, 204, 156)},
        {"warm", QColor(232, 150, 80)},
        {"calm", QColor(120, 160, 202)},
        {"rich", QColor(150, 44, 78)},
        {"offwhite", QColor(242, 236, 220)},
        {"neutral", QColor(162, 158, 150)},
    }};
    const std::array<std::pair<const char *, int>, 6> schemes {{
        {"harmonising", 1},
        {"contrasting", 2},
        {"wide.contrast", 3},
        {"dynamic", 4},
        {"dramatic", 5},
        {"tonal.neutral", 7},
    }};
    QMap<QString, QImage> images {
        {QStringLiteral("image.widget.main.background"), mainBackground()},
        {QStringLiteral("image.widget.bar.background"), barBackground()},
        {QStringLiteral("image.widget.color.wheel.background"), colorWheelBackground()},
        {QStringLiteral("image.tick.normal"), tick()},
        {QStringLiteral("image.mood.disabled"), moodDisabled()},
        {QStringLiteral("image.widget.roll.backward.normal"), rollButton(false, false)},
        {QStringLiteral("image.widget.roll.backward.down"), rollButton(false, true)},
        {QStringLiteral("image.widget.roll.forward.normal"), rollButton(true, false)},
        {QStringLiteral("image.widget.roll.forward.down"), rollButton(true, true)},
        {QStringLiteral("image.widget.dropdown.arrow.down"), dropDownArrow(true)},
        {QStringLiteral("image.widget.dropdown.arrow.up"), dropDownArrow(false)},
        {QStringLiteral("image.widget.search.magnifying.glass"), magnifier()},
        {QStringLiteral("image.capsure.button.normal"), capsureButton()},
        {QStringLiteral("image.trendora.group.open"), groupToggle(true)},
        {QStringLiteral("image.trendora.group.closed"), groupToggle(false)},
        {QStringLiteral("image.mypalette.zoom"), zoomIcon()},
        {QStringLiteral("image.mypalette.eraser"), eraserIcon()},
        {QStringLiteral("image.mypalette.trash"), trashIcon()},
        {QStringLiteral("image.mypalette.grid.off"), gridIcon()},
        {QStringLiteral("image.mypalette.clear.question.icon"), questionIcon()},
        {QStringLiteral("image.mypalettefull.back"), backIcon()},
        {QStringLiteral("image.mypalettefull.slider.background"), sliderGroove()},
        {QStringLiteral("image.mypalettefull.slider.background.mask"), sliderMask()},
        {QStringLiteral("image.mypalettefull.slider.thumb"), sliderThumb()},
        {QStringLiteral("image.complementary.neutral.marker.normal"), marker(false)},
        {QStringLiteral("image.complementary.neutral.marker.selected"), marker(true)},
        {QStringLiteral("image.mto"), madeToOrderMask()},
    };
    for (const auto &[mood, color] : moods) {
        const QString key = QStringLiteral("image.mood.%1.").arg(QLatin1String(mood));
        images.insert(key + QStringLiteral("normal"), moodButton(color, false));
        images.insert(key + QStringLiteral("selected"), moodButton(color, true));
    }
    for (const auto &[name, scheme] : schemes) {
        const QString key = QStringLiteral("image.scheme.%1.").arg(QLatin1String(name));
        images.insert(key + QStringLiteral("normal"), schemeButton(scheme, false));
        images.insert(key + QStringLiteral("selected"), schemeButton(scheme, true));
    }
    // The demo carries the palette's own images as a maker's database would.
    for (const QString &key : DB::builtInThemeImageKeys())
        images.insert(key, DB::builtInThemeImage(key));
    QMap<QString, QByteArray> encoded;
    for (auto it = images.cbegin(); it != images.cend(); ++it)
        encoded.insert(it.key(), pngBytes(it.value()));
    return encoded;
}

QMap<QString, QByteArray> collectionThemeImages(const DemoThemeLook &look)
{
    return {
        {QStringLiteral("image.banner"), pngBytes(bannerImage(look))},
        {QStringLiteral("image.about.logo"), pngBytes(aboutLogo(look))},
    };
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace Sorven::Demo
