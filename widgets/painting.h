#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

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

// The white frame around the selected chip.
void drawSelectionFrame(QPainter &painter, const QRect &chip);

} // namespace Sorven::Painting
