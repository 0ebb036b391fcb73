#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// Surface textures drawn procedurally: light grey images whose shading survives the tint with
// which the texture pane colours them in the selected chip's colour.
namespace Sorven::Demo {

enum class DemoTextureKind {
    Plaster,
    LimeWash,
    Linen,
    Oak,
    BrushedMetal,
    Concrete,
    Render,
    Weatherboard,
    HammerFinish,
    FineStructure,
};

struct DemoTexture
{
    DemoTextureKind kind;
    QString name;
    // The opacity of the tint when the texture is shown on a page.
    double alpha;
};

// The textures every collection shares.
QList<DemoTexture> sharedTextures();
// The textures of exterior and of powder-coating collections.
QList<DemoTexture> exteriorTextures();
QList<DemoTexture> powderTextures();

QImage textureImage(DemoTextureKind kind, const QSize &size);

} // namespace Sorven::Demo
