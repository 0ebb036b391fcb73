#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QImage;
class QPainter;
class QWidget;

// The painting idioms the palette's widgets share, so they look alike and change together.
namespace Sorven::Painting {

// Text that is secondary to a chip or a caption.
inline const QColor SecondaryGrey {188, 188, 188};
// The dark grey of block frames and separator lines.
inline const QColor FrameGrey {64, 64, 64};

// Frames a block of chips three times in the frame grey with falling opacity, so it reads
// as slightly raised from the background. The rectangle is inclusive (right and bottom are
// pixels of the block).
void drawBlockFrame(QPainter &painter, const QRect &block);

// Draws the text twice at the same place: on the dark background a single pass of
// antialiased text looks too thin.
void drawTextTwice(QPainter &painter, const QRect &rect, int flags, const QString &text);

// The one-pixel border inside rect, as four fills that do not overlap: the same pixels as a
// one-pixel pen would give, but a translucent pen costs the raster engine a hundred times more.
void fillOutline(QPainter &painter, const QRect &rect, const QColor &color);

// The part of the palette's background image ("image.widget.main.background" of the shared
// collection, at the main widget's size) that lies under rect, given in widget's coordinates. Panes
// that scroll paint it themselves so that they blend into the palette.
QImage mainBackgroundUnder(const QWidget *widget, const QRect &rect);

// Images cached for painting are drawn in the device's pixels, so that they stay crisp on scaled
// screens: the size in device pixels of a size, and the ratio of the device a painter paints.
QSize deviceSize(const QSize &size, qreal ratio);
qreal deviceRatio(const QPainter &painter);

// The white frame around the selected chip.
void drawSelectionFrame(QPainter &painter, const QRect &chip);

} // namespace Sorven::Painting
