#pragma once

#include <QColor>
#include <QImage>

// The colour of a chip shown on a surface: a texture image tinted with it.
namespace Sorven {

// Per channel, with T the texture's and C the tint's value: m = trunc(C * alpha + T * (1 -
// alpha)) in 8 bits, then T * m >> 8 in 8 bits, fully opaque. The texture is mixed towards the
// tint by alpha and then multiplied by itself, so it darkens in its own shading.
QImage tintTexture(const QImage &texture, const QColor &tint, double alpha);

} // namespace Sorven
