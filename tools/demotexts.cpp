#include "tools/demotexts.h"

#include "db/builtintexts.h"

namespace Sorven::Demo {

namespace {

const char *const LicenseText
    = "<h3>Vexa colour collections</h3>"
      "<p>The colour collections, texts and images shipped with this palette are "
      "&copy; Orvo Kalin. They may be used to specify and communicate colours in drawings "
      "made with the palette.</p>"
      "<p>Colours on screen and in print are approximations; please check the colour on a "
      "physical sample before you order.</p>"
      "<h3>Third-party software</h3>"
      "<p><b>Qt</b> &copy; The Qt Company Ltd and other contributors. This program uses the "
      "Qt libraries, linked dynamically, under the GNU Lesser General Public License version 3 "
      "(LGPL-3.0). You may replace them with a modified version; their source code and the "
      "licence text are available from https://www.qt.io and "
      "https://www.gnu.org/licenses/lgpl-3.0.html.</p>"
      "<p><b>libxml2</b> &copy; Daniel Veillard and other contributors. Permission is hereby "
      "granted, free of charge, to any person obtaining a copy of this software and associated "
      "documentation files (the \"Software\"), to deal in the Software without restriction, "
      "including without limitation the rights to use, copy, modify, merge, publish, "
      "distribute, sublicense, and/or sell copies of the Software, and to permit persons to "
      "whom the Software is furnished to do so, subject to the following conditions: The above "
      "copyright notice and this permission notice shall be included in all copies or "
      "substantial portions of the Software. THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT "
      "WARRANTY OF ANY KIND, EXPRESS OR IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF "
      "MERCHANTABILITY, FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL "
      "THE AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER LIABILITY, "
      "WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM, OUT OF OR IN "
      "CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE SOFTWARE.</p>"
      "<p><b>SQLite</b> is in the public domain. Its authors disclaim copyright to its source "
      "code and offer this blessing in its place: May you do good and not evil. May you find "
      "forgiveness for yourself and forgive others. May you share freely, never taking more "
      "than you give.</p>";

const char *const MottoText
    = "<h3>Colour that feels like home</h3>"
      "<p>Every collection is arranged like a fan deck: pages of one hue from light to "
      "dark, grouped on the colour wheel. Pick a mood, roll through the cards, and keep "
      "the colours you like in My Palette.</p>";

} // namespace

QList<QPair<QString, QString>> demoLocaleTexts(const QString &collectionName)
{
    const auto text = [](const char *key, const QString &value) {
        return QPair<QString, QString>(QLatin1String(key), value);
    };
    QList<QPair<QString, QString>> texts {
        text("aboutbox.caption", QStringLiteral("About Vexa")),
        text("aboutbox.close.button", QStringLiteral("Close")),
        text("aboutbox.copyright", QStringLiteral("© Orvo Kalin. All rights reserved.")),
        text("aboutbox.main", QStringLiteral("Vexa Colour Palette")),
        text("aboutbox.qt.license.button", QStringLiteral("About Qt…")),
        text("aboutbox.version", QStringLiteral("Version")),
        text("autocad.createcolorbook.button", QStringLiteral("Colour Book")),
        text("autocad.createcolorbook.dialog.caption",
             QStringLiteral("Export My Palette as a colour book")),
        text("autocad.createcolorbook.dialog.filter", QStringLiteral("Colour books")),
        text("capsure.dialog.caption", QStringLiteral("Capsure measurement")),
        text("capsure.dialog.todo",
             QStringLiteral("Choose the colour that matches your measurement.")),
        text("capsure.import.error", QStringLiteral("This measurement cannot be used.")),
        text("color.palette.caption", QStringLiteral("Vexa — %1").arg(collectionName)),
        text("color.palette.copyright", QStringLiteral("© Orvo Kalin")),
        text("color.palette.enter.search.text", QStringLiteral("Code or name")),
        text("color.palette.motto", QStringLiteral("Colour that feels like home")),
        text("collection.unavailable",
             QStringLiteral("This collection cannot be read just now: %1")),
        text("collection.unavailable.switch",
             QStringLiteral("That collection cannot be opened just now: %1")),
        text("common.confirmation.dialog.caption", QStringLiteral("Please confirm")),
        text("common.filedialog.palettefile.defaultfilename", QStringLiteral("My Palette.palette")),
        text("common.filedialog.palettefile.filtername", QStringLiteral("Palette files")),
        text("common.filedialog.palettefile.opendialogcaption", QStringLiteral("Open a palette")),
        text("common.filedialog.palettefile.savedialogcaption", QStringLiteral("Save My Palette")),
        text("common.filedialog.textfile.filtername", QStringLiteral("Text lists")),
        text("common.settings.saveerror",
             QStringLiteral("Changes to My Palette and to where you are in the collections "
                            "cannot be kept after the palette closes.")),
        text("common.settings.saveerror.diskfull", QStringLiteral("The disk is full.")),
        text("common.settings.saveerror.other",
             QStringLiteral("The settings file could not be written.")),
        text("common.settings.saveerror.readonly",
             QStringLiteral("The settings folder is read-only.")),
        text("do.not.show.mto", QStringLiteral("Hide made-to-order colours")),
        text("harmonizer.drag.drop.message",
             QStringLiteral("Drag a colour into My Palette to keep it.")),
        text("harmonizer.palette.scheme.complementary.neutral", QStringLiteral("Complementary")),
        text("harmonizer.palette.scheme.contrast", QStringLiteral("Contrast")),
        text("harmonizer.palette.scheme.dramatic", QStringLiteral("Dramatic")),
        text("harmonizer.palette.scheme.dynamic", QStringLiteral("Dynamic")),
        text("harmonizer.palette.scheme.harmonic", QStringLiteral("Harmonic")),
        text("harmonizer.palette.scheme.natural.neutral", QStringLiteral("Natural")),
        text("harmonizer.palette.scheme.tonal.neutral", QStringLiteral("Tonal")),
        text("harmonizer.palette.scheme.wide.contrast", QStringLiteral("Wide contrast")),
        text("license.copyright", QString::fromUtf8(LicenseText)),
        text("mood.filter.all.moods", QStringLiteral("All moods")),
        text("mood.filter.exterior.colors", QStringLiteral("Exterior colours only")),
        text("motto", QString::fromUtf8(MottoText)),
        text("mypalette.clearpalettebutton.question",
             QStringLiteral("Remove every colour from My Palette?")),
        text("mypalette.note.instructions", QStringLiteral("Describe this palette…")),
        text("mypalette.palette.caption", QStringLiteral("My Palette")),
        text("mypalette.palette.load", QStringLiteral("Load")),
        text("mypalette.palette.save", QStringLiteral("Save")),
        text("tab.bar.color.schemes.caption", QStringLiteral("Colour schemes")),
        text("tab.bar.products.caption", QStringLiteral("Products")),
        text("tab.bar.textures.caption", QStringLiteral("Textures")),
        text("tab.bar.trendora.caption", QStringLiteral("Trends")),
        text("textures.select.message", QStringLiteral("The selected colour on surfaces")),
        text("tiptext.harmonizer.palette.scheme.complementary.neutral",
             QStringLiteral("Complementary neutral\nNeutrals with the undertone of the "
                            "opposite hue.")),
        text("tiptext.harmonizer.palette.scheme.contrast",
             QStringLiteral("Contrast\nThe colour with its complement from the opposite "
                            "side of the wheel.")),
        text("tiptext.harmonizer.palette.scheme.dramatic",
             QStringLiteral("Dramatic\nA neutral set off by deep and vivid accents.")),
        text("tiptext.harmonizer.palette.scheme.dynamic",
             QStringLiteral("Dynamic\nThree hues evenly spaced around the wheel.")),
        text("tiptext.harmonizer.palette.scheme.harmonic",
             QStringLiteral("Harmonic\nNeighbouring hues that blend calmly.")),
        text("tiptext.harmonizer.palette.scheme.natural.neutral",
             QStringLiteral("Natural neutral\nNeutrals taken from nature.")),
        text("tiptext.harmonizer.palette.scheme.tonal.neutral",
             QStringLiteral("Tonal neutral\nNeutrals that share the colour's undertone.\n"
                            "Click again for complementary neutrals.")),
        text("tiptext.harmonizer.palette.scheme.wide.contrast",
             QStringLiteral("Wide contrast\nThe two hues beside the complement.")),
        text("tiptext.mood.calm.button", QStringLiteral("Calm colours")),
        text("tiptext.mood.fresh.button", QStringLiteral("Fresh colours")),
        text("tiptext.mood.neutral.button", QStringLiteral("Neutrals")),
        text("tiptext.mood.offwhite.button", QStringLiteral("Offwhites")),
        text("tiptext.mood.rich.button", QStringLiteral("Rich colours")),
        text("tiptext.mood.warm.button", QStringLiteral("Warm colours")),
    };
    // The demo carries the palette's own texts as a maker's database would, in a fixed order.
    QStringList own = DB::builtInLocaleTexts().keys();
    own.sort();
    for (const QString &key : std::as_const(own))
        texts.append({key, DB::builtInLocaleTexts().value(key)});
    return texts;
}

} // namespace Sorven::Demo
