#pragma once

class QScrollArea;
class QStyle;

// What the trend and texture panes share as scroll areas: they scroll vertically only, with the
// palette's own scroll bar, over the palette's background.
namespace Sorven::PaneScrollArea {

// scrollBarStyle stays owned by the caller. The margins around the contents are the area's own
// to set.
void setUp(QScrollArea *area, QStyle *scrollBarStyle);

// After a resize: the contents are at least as large as the visible area, and the area's
// background is the part of the palette's background under it.
void fitToSize(QScrollArea *area);

} // namespace Sorven::PaneScrollArea
