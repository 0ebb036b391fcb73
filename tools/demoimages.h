#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QMap>
#include <QString>

// The theme images of the demo data, drawn for the palette's dark user interface at the sizes
// its widgets draw them.
namespace Sorven::Demo {

// What makes a collection's own images its own.
struct DemoThemeLook
{
    QString title;
    QString subtitle;
    QList<QColor> accents;
};

// Every image that looks the same in every collection, PNG-encoded, by theme item key.
QMap<QString, QByteArray> sharedThemeImages();
// The images that carry a collection's name and colours ("image.banner", "image.about.logo").
QMap<QString, QByteArray> collectionThemeImages(const DemoThemeLook &look);

QByteArray pngBytes(const QImage &image);

} // namespace Sorven::Demo
