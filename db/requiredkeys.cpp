#include "db/requiredkeys.h"

#include "db/builtintexts.h"
#include "db/builtinthemeimages.h"

namespace Sorven::DB {

QStringList requiredLocaleKeys()
{
    QStringList keys {
        QStringLiteral("aboutbox.caption"),
        QStringLiteral("aboutbox.close.button"),
        QStringLiteral("aboutbox.copyright"),
        QStringLiteral("aboutbox.main"),
        QStringLiteral("aboutbox.qt.license.button"),
        QStringLiteral("aboutbox.version"),
        QStringLiteral("autocad.createcolorbook.button"),
        QStringLiteral("autocad.createcolorbook.dialog.caption"),
        QStringLiteral("autocad.createcolorbook.dialog.filter"),
        QStringLiteral("capsure.dialog.caption"),
        QStringLiteral("capsure.dialog.todo"),
        QStringLiteral("color.palette.caption"),
        QStringLiteral("color.palette.copyright"),
        QStringLiteral("color.palette.enter.search.text"),
        QStringLiteral("color.palette.motto"),
        QStringLiteral("collection.unavailable"),
        QStringLiteral("collection.unavailable.switch"),
        QStringLiteral("common.confirmation.dialog.caption"),
        QStringLiteral("common.filedialog.palettefile.defaultfilename"),
        QStringLiteral("common.filedialog.palettefile.filtername"),
        QStringLiteral("common.filedialog.palettefile.opendialogcaption"),
        QStringLiteral("common.filedialog.palettefile.savedialogcaption"),
        QStringLiteral("common.filedialog.textfile.filtername"),
        QStringLiteral("do.not.show.mto"),
        QStringLiteral("harmonizer.drag.drop.message"),
        QStringLiteral("harmonizer.palette.scheme.complementary.neutral"),
        QStringLiteral("harmonizer.palette.scheme.contrast"),
        QStringLiteral("harmonizer.palette.scheme.dramatic"),
        QStringLiteral("harmonizer.palette.scheme.dynamic"),
        QStringLiteral("harmonizer.palette.scheme.harmonic"),
        QStringLiteral("harmonizer.palette.scheme.natural.neutral"),
        QStringLiteral("harmonizer.palette.scheme.tonal.neutral"),
        QStringLiteral("harmonizer.palette.scheme.wide.contrast"),
        QStringLiteral("license.copyright"),
        QStringLiteral("mood.filter.all.moods"),
        QStringLiteral("mood.filter.exterior.colors"),
        QStringLiteral("motto"),
        QStringLiteral("mypalette.clearpalettebutton.question"),
        QStringLiteral("mypalette.note.instructions"),
        QStringLiteral("mypalette.palette.caption"),
        QStringLiteral("mypalette.palette.load"),
        QStringLiteral("mypalette.palette.save"),
        QStringLiteral("tab.bar.color.schemes.caption"),
        QStringLiteral("tab.bar.products.caption"),
        QStringLiteral("tab.bar.textures.caption"),
        QStringLiteral("tab.bar.trendora.caption"),
        QStringLiteral("textures.select.message"),
        QStringLiteral("tiptext.harmonizer.palette.scheme.complementary.neutral"),
        QStringLiteral("tiptext.harmonizer.palette.scheme.contrast"),
        QStringLiteral("tiptext.harmonizer.palette.scheme.dramatic"),
        QStringLiteral("tiptext.harmonizer.palette.scheme.dynamic"),
        QStringLiteral("tiptext.harmonizer.palette.scheme.harmonic"),
        QStringLiteral("tiptext.harmonizer.palette.scheme.natural.neutral"),
        QStringLiteral("tiptext.harmonizer.palette.scheme.tonal.neutral"),
        QStringLiteral("tiptext.harmonizer.palette.scheme.wide.contrast"),
        QStringLiteral("tiptext.mood.calm.button"),
        QStringLiteral("tiptext.mood.fresh.button"),
        QStringLiteral("tiptext.mood.neutral.button"),
        QStringLiteral("tiptext.mood.offwhite.button"),
        QStringLiteral("tiptext.mood.rich.button"),
        QStringLiteral("tiptext.mood.warm.button"),
    };
    // The palette's own texts, which a database may lack but should not.
    QStringList own = builtInLocaleTexts().keys();
    own.sort();
    return keys + own;
}

QStringList collectionThemeImageKeys()
{
    return {
        QStringLiteral("image.about.logo"),
        QStringLiteral("image.banner"),
        QStringLiteral("image.complementary.neutral.marker.normal"),
        QStringLiteral("image.complementary.neutral.marker.selected"),
        QStringLiteral("image.mto"),
        QStringLiteral("image.mypalette.clear.question.icon"),
        QStringLiteral("image.mypalette.eraser"),
        QStringLiteral("image.mypalette.grid.off"),
        QStringLiteral("image.mypalette.trash"),
        QStringLiteral("image.mypalette.zoom"),
        QStringLiteral("image.mypalettefull.back"),
        QStringLiteral("image.mypalettefull.slider.background"),
        QStringLiteral("image.mypalettefull.slider.background.mask"),
        QStringLiteral("image.mypalettefull.slider.thumb"),
        QStringLiteral("image.scheme.contrasting.normal"),
        QStringLiteral("image.scheme.contrasting.selected"),
        QStringLiteral("image.scheme.dramatic.normal"),
        QStringLiteral("image.scheme.dramatic.selected"),
        QStringLiteral("image.scheme.dynamic.normal"),
        QStringLiteral("image.scheme.dynamic.selected"),
        QStringLiteral("image.scheme.harmonising.normal"),
        QStringLiteral("image.scheme.harmonising.selected"),
        QStringLiteral("image.scheme.tonal.neutral.normal"),
        QStringLiteral("image.scheme.tonal.neutral.selected"),
        QStringLiteral("image.scheme.wide.contrast.normal"),
        QStringLiteral("image.scheme.wide.contrast.selected"),
        QStringLiteral("image.widget.bar.background"),
        QStringLiteral("image.widget.main.background"),
    };
}

QStringList commonThemeImageKeys()
{
    QStringList keys {
        QStringLiteral("image.capsure.button.normal"),
        QStringLiteral("image.mood.calm.normal"),
        QStringLiteral("image.mood.calm.selected"),
        QStringLiteral("image.mood.disabled"),
        QStringLiteral("image.mood.fresh.normal"),
        QStringLiteral("image.mood.fresh.selected"),
        QStringLiteral("image.mood.neutral.normal"),
        QStringLiteral("image.mood.neutral.selected"),
        QStringLiteral("image.mood.offwhite.normal"),
        QStringLiteral("image.mood.offwhite.selected"),
        QStringLiteral("image.mood.rich.normal"),
        QStringLiteral("image.mood.rich.selected"),
        QStringLiteral("image.mood.warm.normal"),
        QStringLiteral("image.mood.warm.selected"),
        QStringLiteral("image.tick.normal"),
        QStringLiteral("image.trendora.group.closed"),
        QStringLiteral("image.trendora.group.open"),
        QStringLiteral("image.widget.bar.background"),
        QStringLiteral("image.widget.color.wheel.background"),
        QStringLiteral("image.widget.dropdown.arrow.down"),
        QStringLiteral("image.widget.dropdown.arrow.up"),
        QStringLiteral("image.widget.main.background"),
        QStringLiteral("image.widget.roll.backward.down"),
        QStringLiteral("image.widget.roll.backward.normal"),
        QStringLiteral("image.widget.roll.forward.down"),
        QStringLiteral("image.widget.roll.forward.normal"),
        QStringLiteral("image.widget.search.magnifying.glass"),
    };
    // The palette's own images, which a database may lack but should not.
    return keys + builtInThemeImageKeys();
}

QStringList themeColorKeys()
{
    return {QStringLiteral("color.widget.collectionselector.text")};
}

QStringList systemWideThemeKeys()
{
    return {QStringLiteral("list.of.preferred.font.faces")};
}

QStringList requiredSettingNames()
{
    return {
        QStringLiteral("collection.enabled"),
        QStringLiteral("card.type"),
        QStringLiteral("mode.card"),
        QStringLiteral("mode.mood"),
        QStringLiteral("max.chips.on.a.page"),
        QStringLiteral("num.of.segments"),
        QStringLiteral("first.segment.angle"),
        QStringLiteral("segment.increment.orientation"),
        QStringLiteral("product.groups.mode"),
        QStringLiteral("product.group.productname.productcode.separator:string"),
        QStringLiteral("header.link"),
        QStringLiteral("help.link"),
        QStringLiteral("has.exterior.filter"),
        QStringLiteral("mood.visible"),
        QStringLiteral("has.color.schemes.page"),
        QStringLiteral("color.tooltip.show.page.name"),
        QStringLiteral("color.tooltip.show.row.name"),
        QStringLiteral("color.tooltip.show.row.code"),
        QStringLiteral("color.tooltip.show.row.auxiliary.info"),
        QStringLiteral("color.tooltip.show.collection.name"),
        QStringLiteral("color.tooltip.show.page.index"),
        QStringLiteral("color.tooltip.show.row.row.index"),
        QStringLiteral("export.color.name.append.product.code"),
        QStringLiteral("capsure.enabled"),
        QStringLiteral("capsure.priority"),
        QStringLiteral("capsure.folder.to.watch.windows"),
        QStringLiteral("capsure.filename.to.watch"),
        QStringLiteral("save.palette.text.format"),
        QStringLiteral("has.product.groups.page"),
        QStringLiteral("has.textures.page"),
        QStringLiteral("has.trendora.page"),
        QStringLiteral("tab.bar.page"),
        QStringLiteral("schemes"),
        QStringLiteral("widget.trendora.chip.width"),
        QStringLiteral("widget.trendora.chip.height"),
        QStringLiteral("texture.size"),
        QStringLiteral("cie2000.delta.intervals"),
        QStringLiteral("page.name.search.order"),
        QStringLiteral("page.name.display.order"),
        QStringLiteral("page.extra.display.order"),
        QStringLiteral("row.name.search.order"),
        QStringLiteral("row.name.display.order"),
        QStringLiteral("row.extra.display.order"),
    };
}

QStringList systemWideSettingNames()
{
    return {QStringLiteral("has.textures.page"), QStringLiteral("texture.size")};
}

} // namespace Sorven::DB
