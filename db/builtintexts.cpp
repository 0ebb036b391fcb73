#include "db/builtintexts.h"

namespace Sorven::DB {

const QHash<QString, QString> &builtInLocaleTexts()
{
    static const QHash<QString, QString> texts {
        {QStringLiteral("accessible.chip.place"), QStringLiteral("page %1, row %2")},
        {QStringLiteral("accessible.mypalette.empty.cell"),
         QStringLiteral("Empty cell, row %1, column %2")},
        {QStringLiteral("autocad.createcolorbook.saveerror"),
         QStringLiteral("The colour book could not be written.")},
        {QStringLiteral("common.error.dialog.caption"), QStringLiteral("Something went wrong")},
        {QStringLiteral("common.information.dialog.caption"), QStringLiteral("Please note")},
        {QStringLiteral("common.filedialog.asefile.filtername"),
         QStringLiteral("Adobe Swatch Exchange files")},
        {QStringLiteral("common.filedialog.gimpfile.filtername"), QStringLiteral("GIMP palettes")},
        {QStringLiteral("common.filedialog.palettefile.saveerror"),
         QStringLiteral("My Palette could not be saved.")},
        {QStringLiteral("common.filedialog.palettefile.loaderror"),
         QStringLiteral("This file cannot be loaded into My Palette.")},
        {QStringLiteral("common.filedialog.palettefile.emptycells"),
         QStringLiteral("%1 of the file's cells were left empty: their colours are not installed "
                        "here.")},
        {QStringLiteral("common.filedialog.palettefile.missingcollections"),
         QStringLiteral("Collections not installed: %1")},
        {QStringLiteral("capsure.import.error"),
         QStringLiteral("This measurement cannot be used.")},
        {QStringLiteral("collection.unavailable"),
         QStringLiteral("This collection cannot be read just now: %1")},
        {QStringLiteral("collection.unavailable.switch"),
         QStringLiteral("That collection cannot be opened just now: %1")},
        {QStringLiteral("common.settings.saveerror"),
         QStringLiteral("Changes to My Palette and to where you are in the collections cannot "
                        "be kept after the palette closes.")},
        {QStringLiteral("common.settings.saveerror.diskfull"), QStringLiteral("The disk is full.")},
        {QStringLiteral("common.settings.saveerror.other"),
         QStringLiteral("The settings file could not be written.")},
        {QStringLiteral("common.settings.saveerror.readonly"),
         QStringLiteral("The settings folder is read-only.")},
        {QStringLiteral("mypalette.schedule.button"), QStringLiteral("Schedule")},
        {QStringLiteral("mypalette.schedule.column.code"), QStringLiteral("Code")},
        {QStringLiteral("mypalette.schedule.column.collection"), QStringLiteral("Collection")},
        {QStringLiteral("mypalette.schedule.column.lab"), QStringLiteral("L*a*b*")},
        {QStringLiteral("mypalette.schedule.column.lrv"), QStringLiteral("LRV")},
        {QStringLiteral("mypalette.schedule.column.names"), QStringLiteral("Name")},
        {QStringLiteral("mypalette.schedule.column.page"), QStringLiteral("Page")},
        {QStringLiteral("mypalette.schedule.column.products"), QStringLiteral("Products")},
        {QStringLiteral("mypalette.schedule.column.rgb"), QStringLiteral("RGB")},
        {QStringLiteral("mypalette.schedule.dialog.caption"),
         QStringLiteral("Save a colour schedule")},
        {QStringLiteral("mypalette.schedule.dialog.defaultfilename"),
         QStringLiteral("Colour schedule.pdf")},
        {QStringLiteral("mypalette.schedule.dialog.filter"), QStringLiteral("PDF documents")},
        {QStringLiteral("mypalette.schedule.saveerror"),
         QStringLiteral("The colour schedule could not be written.")},
        {QStringLiteral("mypalette.schedule.title"), QStringLiteral("Colour schedule")},
        {QStringLiteral("mypalette.schedule.unresolved"),
         QStringLiteral("Row %1, column %2: this colour is not installed here.")},
    };
    return texts;
}

} // namespace Sorven::DB
