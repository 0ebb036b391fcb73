#pragma once

#include "db/texture.h"
#include "db/texturemapentry.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRect>
#include <QWidget>

namespace Sorven {

// The contents of the texture pane: the textures assigned to the current page, three to a row,
// each tinted with the selected chip's colour and named below.
class TexturesViewport : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(TexturesViewport)

public:
    struct Placement
    {
        QRect tile;
        DB::TextureMapEntry entry;
    };

    explicit TexturesViewport(QWidget *parent = nullptr);

    // Reads every texture of the selected collection.
    void loadTextures();
    // Places the current page's textures for the current width and resizes to fit them; the
    // pane calls it after every change of its size.
    void layoutTiles();

    const QList<Placement> &placements() const { return m_placements; }
    // The selected chip's colour, or red when there is none.
    QColor tintColor() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct TintKey
    {
        qint64 texture;
        QRgb tint;
        double alpha;
        QSize size;
        qreal ratio;
        friend bool operator==(const TintKey &, const TintKey &) = default;
        friend size_t qHash(const TintKey &key, size_t seed)
        {
            return qHashMulti(seed, key.texture, key.tint, key.alpha, key.size.width(),
                              key.size.height(), key.ratio);
        }
    };

    // The tinted tile in the pixels of a device of the ratio.
    QImage tile(const Placement &placement, const QColor &tint, qreal ratio);
    void paintPlacement(QPainter &painter, const Placement &placement, const QColor &tint);

    QHash<qint64, DB::Texture> m_textures;
    QList<Placement> m_placements;
    QImage m_background;
    // Tinting is per pixel; the same texture, tint and opacity give the same tile every paint.
    QHash<TintKey, QImage> m_tiles;
};

} // namespace Sorven
