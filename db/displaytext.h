#pragma once

#include <QString>

// Texts read from a collection database for display. A database is data from outside: its
// texts are bounded in length and, where they are shown as rich text, made inert.
namespace Sorven::DB {

// Far longer than any name, code, caption or motto, and short enough that measuring and
// drawing a text stays instant.
constexpr qsizetype MaximumDisplayTextLength = 4096;
// LOCALE also holds whole documents (a licence) that open outside the palette.
constexpr qsizetype MaximumLocaleTextLength = 65536;

// The text cut to at most limit characters (never inside a surrogate pair).
QString boundedDisplayText(const QString &text, qsizetype limit = MaximumDisplayTextLength);

// The rich text with its inline formatting (bold, italic, underline, strike-out, colour,
// subscript and superscript) and line breaks, and nothing else: no image, style sheet, link or
// other resource survives, so showing the result loads nothing, local or remote.
QString inertRichText(const QString &html);

// The text for a label, tooltip or message box, which take text that looks like markup as rich
// text: such text is made inert (and marked as rich text, so it is not shown as markup); other
// text stays as it is.
QString inertDisplayText(const QString &text);

} // namespace Sorven::DB
