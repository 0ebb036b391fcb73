#include "palette/texturetint.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Sorven {

namespace {

using ChannelTable = std::array<quint8, 256>;

// The result for every texture value of one channel, so that each pixel costs three lookups.
ChannelTable channelTable(int tint, double alpha)
{
    ChannelTable table;
    for (int t = 0; t < 256; ++t) {
        const auto mixed = quint8(qint64(std::trunc(tint * alpha + t * (1.0 - alpha))));
        table[std::size_t(t)] = quint8((t * mixed) >> 8);
    }
    return table;
}

} // namespace

QImage tintTexture(const QImage &texture, const QColor &tint, double givenAlpha)
{
    // An opacity outside 0 to 1 comes only from a damaged row; kept inside, every mixed value
    // stays a channel value, and a huge one cannot overflow the integer conversion.
    const double alpha = std::isfinite(givenAlpha) ? std::clamp(givenAlpha, 0.0, 1.0) : 1.0;
    const QImage source = texture.convertToFormat(QImage::Format_ARGB32);
    const ChannelTable red = channelTable(tint.red(), alpha);
    const ChannelTable green = channelTable(tint.green(), alpha);
    const ChannelTable blue = channelTable(tint.blue(), alpha);
    QImage tinted(source.size(), QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(tinted.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            out[x] = qRgb(red[std::size_t(qRed(in[x]))], green[std::size_t(qGreen(in[x]))],
                          blue[std::size_t(qBlue(in[x]))]);
        }
    }
    return tinted;
}

} // namespace Sorven
