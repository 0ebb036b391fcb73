#include "widgets/texturesviewport.h"

#include "core/collectionsettings.h"
#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "palette/texturetint.h"
#include "widgets/painting.h"

#include <QPaintEvent>
#include <QPainter>

namespace Sorven {

namespace {

const QSize DefaultTileSize(148, 96);
// Larger sides are no tile a pane can show, and would overflow the layout's arithmetic.
constexpr int MaximumTileSide = 4096;
constexpr int TilesPerRow = 3;
// Tinted tiles of a few pages and chips; more are dropped all at once.
constexpr qsizetype TileCacheLimit = 64;
const QColor FrameColor(96, 96, 96);

QFont messageFont()
{
    return boldFont(4);
}

QFont nameFont()
{
    return italicFont(2);
}

QVector<DB::TextureMapEntry> currentPageTextures(const QUuid &uuid)
{
    QVector<DB::TextureMapEntry> entries;
    DB::ColorPage page;
    if (DB::loadPage(uuid, UserSettings::pageIndex(uuid), page) == DB::Success)
        DB::loadTextureMap(uuid, page.id, entries);
    return entries;
}

QSize usableTileSize(const QSize &size)
{
    const auto usable = [](int side) { return side >= 1 && side <= MaximumTileSide; };
    return usable(size.width()) && usable(size.height()) ? size : DefaultTileSize;
}

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

} // namespace

TexturesViewport::TexturesViewport(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TexturesViewport"));
}

void TexturesViewport::loadTextures()
{
    m_tiles.clear();
    DB::loadTextures(UserSettings::lastUsedCollection(), m_textures);
}

void TexturesViewport::layoutTiles()
{
    m_placements.clear();
    const QUuid uuid = UserSettings::lastUsedCollection();
    const QSize tileSize = usableTileSize(CollectionSettings::textureSize(uuid, DefaultTileSize));
    const int w = width();
    const int nameHeight = QFontMetrics(nameFont()).height();
    const int firstTop = QFontMetrics(messageFont()).height() + 8;
    // Where three tiles do not fit, they do not overlap either: a tile as wide as the pane gets
    // a row of its own.
    const int step = tileSize.width() + qMax(0, (w - TilesPerRow * tileSize.width()) / 2);
    QPoint at(0, firstTop);
    for (const DB::TextureMapEntry &entry : currentPageTextures(uuid)) {
        QRect tile(at, tileSize);
        if (at.x() > 0 && tile.right() >= w) {
            at = QPoint(0, at.y() + tileSize.height() + nameHeight + 16);
            tile.moveTopLeft(at);
        }
        m_placements.append({tile, entry});
        at.rx() += step;
    }
    const int bottom
        = m_placements.isEmpty() ? firstTop : m_placements.last().tile.bottom() + nameHeight + 16;
    resize(w, bottom);
    m_background = Painting::mainBackgroundUnder(this, rect());
    update();
}

QColor TexturesViewport::tintColor() const
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    DB::ColorEntry chip;
    if (DB::loadEntryAt(uuid, UserSettings::pageIndex(uuid), UserSettings::rowIndex(uuid), chip)
        == DB::Success)
        return chip.color();
    return QColor(255, 0, 0);
}

QImage TexturesViewport::tile(const Placement &placement, const QColor &tint, qreal ratio)
{
    const TintKey key {placement.entry.textureId, tint.rgb(), placement.entry.alpha,
                       placement.tile.size(), ratio};
    if (const auto cached = m_tiles.constFind(key); cached != m_tiles.cend())
        return *cached;
    const auto found = m_textures.constFind(placement.entry.textureId);
    const QImage texture = found == m_textures.cend() ? QImage() : found->image;
    // Only the tile's part of the texture shows, so only that part is tinted, once per device
    // pixel: the tint darkens the texture by itself, which scaling afterwards would blur.
    const QImage part
        = texture.copy(QRect(QPoint(0, 0), placement.tile.size()).intersected(texture.rect()));
    QImage tinted = texture.isNull()
        ? DB::placeholderImage(placement.tile.size())
        : tintTexture(part.scaled(Painting::deviceSize(part.size(), ratio), Qt::IgnoreAspectRatio,
                                  Qt::SmoothTransformation),
                      tint, placement.entry.alpha);
    if (!texture.isNull())
        tinted.setDevicePixelRatio(ratio);
    if (m_tiles.size() >= TileCacheLimit)
        m_tiles.clear();
    m_tiles.insert(key, tinted);
    return tinted;
}

void TexturesViewport::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.drawImage(event->rect(), m_background, event->rect());
    painter.setPen(Qt::white);
    painter.setFont(messageFont());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     DB::localeString(UserSettings::lastUsedCollection(),
                                      QStringLiteral("textures.select.message")));
    painter.setFont(nameFont());
    const QColor tint = tintColor();
    for (const Placement &placement : std::as_const(m_placements))
        paintPlacement(painter, placement, tint);
}

void TexturesViewport::paintPlacement(QPainter &painter, const Placement &placement,
                                      const QColor &tint)
{
    const QRect &rect = placement.tile;
    painter.drawImage(rect.topLeft(), tile(placement, tint, Painting::deviceRatio(painter)));
    Painting::fillOutline(painter, rect.adjusted(-1, -1, 1, 1), withAlpha(FrameColor, 32));
    Painting::fillOutline(painter, rect, FrameColor);
    Painting::fillOutline(painter, rect.adjusted(1, 1, -1, -1), withAlpha(Qt::white, 32));
    const QRect name(QPoint(rect.left(), rect.bottom() + 5),
                     QSize(rect.width(), painter.fontMetrics().height()));
    Painting::drawTextTwice(painter, name, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                            placement.entry.name);
}

} // namespace Sorven
