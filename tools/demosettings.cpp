#include "tools/demosettings.h"

namespace Sorven::Demo {

namespace {

const QString TextureSize = QStringLiteral("148,96");

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

void addList(QList<DemoSetting> &settings, const QString &name, const QStringList &values)
{
    for (int index = 0; index < values.size(); ++index)
        settings << DemoSetting {name, values[index], index};
}

} // namespace

QString capsureFolderName()
{
    return QStringLiteral("Capsure");
}

QString capsureFileName()
{
    return QStringLiteral("measurement.cxf");
}

QList<DemoSetting> demoCollectionSettings(const DemoCollectionPlan &plan)
{
    const bool polvaron = plan.cardType == DemoCardType::Polvaron;
    const QString slug = plan.systemId.toLower();
    QList<DemoSetting> settings {
        {QStringLiteral("collection.enabled"), flag(true)},
        {QStringLiteral("card.type"),
         polvaron ? QStringLiteral("polvaron") : QStringLiteral("normal")},
        {QStringLiteral("mode.card"), plan.cardMode},
        {QStringLiteral("mode.mood"), QStringLiteral("MoodModeNormal")},
        {QStringLiteral("max.chips.on.a.page"), QString::number(plan.maxChipsOnAPage)},
        {QStringLiteral("num.of.segments"), QStringLiteral("12")},
        {QStringLiteral("first.segment.angle"), QStringLiteral("90")},
        {QStringLiteral("segment.increment.orientation"), QStringLiteral("CW")},
        {QStringLiteral("product.groups.mode"),
         plan.listsProducts ? QStringLiteral("Products")
                            : QStringLiteral("GroupsWithProductTooltip")},
        {QStringLiteral("product.group.productname.productcode.separator:string"),
         QStringLiteral(" · ")},
        {QStringLiteral("header.link"),
         QStringLiteral("https://www.example.com/vexa/%1").arg(slug)},
        {QStringLiteral("help.link"), QStringLiteral("https://www.example.com/vexa/help")},
        {QStringLiteral("has.exterior.filter"), flag(!polvaron)},
        {QStringLiteral("mood.visible"), flag(true)},
        {QStringLiteral("has.color.schemes.page"), flag(!polvaron)},
        {QStringLiteral("color.tooltip.show.collection.name"), flag(polvaron)},
        {QStringLiteral("color.tooltip.show.page.name"), flag(true)},
        {QStringLiteral("color.tooltip.show.row.code"), flag(true)},
        {QStringLiteral("color.tooltip.show.row.name"), flag(true)},
        {QStringLiteral("color.tooltip.show.row.auxiliary.info"), flag(true)},
        {QStringLiteral("color.tooltip.show.page.index"), flag(polvaron)},
        {QStringLiteral("color.tooltip.show.row.row.index"), flag(polvaron)},
        {QStringLiteral("export.color.name.append.product.code"), flag(true)},
        {QStringLiteral("capsure.enabled"), flag(true)},
        {QStringLiteral("capsure.priority"), QString::number(plan.capsurePriority)},
        {QStringLiteral("capsure.folder.to.watch.windows"),
         QStringLiteral("%PROGRAMDATA%/") + capsureFolderName()},
        {QStringLiteral("capsure.filename.to.watch"), capsureFileName()},
        {QStringLiteral("save.palette.text.format"), flag(true)},
        {QStringLiteral("has.product.groups.page"), flag(true)},
        {QStringLiteral("has.textures.page"), flag(true)},
        {QStringLiteral("has.trendora.page"), flag(true)},
        {QStringLiteral("widget.trendora.chip.width"), QStringLiteral("64")},
        {QStringLiteral("widget.trendora.chip.height"), QStringLiteral("40")},
        {QStringLiteral("texture.size"), TextureSize},
        {QStringLiteral("cie2000.delta.intervals"), QStringLiteral("5,10,20")},
    };
    addList(settings, QStringLiteral("tab.bar.page"), plan.tabOrder);
    addList(settings, QStringLiteral("schemes"),
            polvaron ? QStringList {QStringLiteral("wide contrast"), QStringLiteral("contrast")}
                     : QStringList {QStringLiteral("harmonic"), QStringLiteral("contrast"),
                                    QStringLiteral("wide contrast"), QStringLiteral("dynamic"),
                                    QStringLiteral("dramatic"), QStringLiteral("neutral")});
    // NAME0 holds a chip's name, NAME1 its plain description; EXTRA0 its light reflectance.
    addList(settings, QStringLiteral("page.name.search.order"), {QStringLiteral("0")});
    addList(settings, QStringLiteral("page.name.display.order"), {QStringLiteral("0")});
    addList(settings, QStringLiteral("page.extra.display.order"), {QStringLiteral("0")});
    addList(settings, QStringLiteral("row.name.search.order"),
            {QStringLiteral("0"), QStringLiteral("1")});
    addList(settings, QStringLiteral("row.name.display.order"),
            {QStringLiteral("0"), QStringLiteral("1")});
    addList(settings, QStringLiteral("row.extra.display.order"), {QStringLiteral("0")});
    return settings;
}

QList<DemoSetting> demoSystemWideSettings()
{
    return {
        {QStringLiteral("has.textures.page"), flag(true)},
        {QStringLiteral("texture.size"), TextureSize},
    };
}

} // namespace Sorven::Demo
