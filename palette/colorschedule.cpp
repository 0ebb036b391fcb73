#include "palette/colorschedule.h"

#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "db/search.h"
#include "palette/exportcolors.h"
#include "palette/filesaving.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <cmath>
#include <numeric>

namespace Sorven {

namespace {

// Page geometry in points. Twenty-four lines fit on Letter, the shorter of the two papers.
constexpr qreal Margin = 34.0;
constexpr qreal TableTop = 108.0;
constexpr qreal HeadingHeight = 16.0;
constexpr qreal RowHeight = 25.0;
constexpr QSizeF SwatchSize(24.0, 20.0);
constexpr qreal ColumnGap = 6.0;
constexpr int LinesPerCell = 2;
// Beyond two lines of any column nothing of a text shows; longer ones are cut before layout.
constexpr qsizetype MaximumTextLength = 1000;

enum Column { SwatchColumn, Code, Names, Collection, Page, Lab, Rgb, Lrv, Products, ColumnCount };

// Widths of every column but the last, which takes the rest of the line.
constexpr qreal ColumnWidths[ColumnCount - 1] = {30, 50, 100, 64, 26, 70, 46, 24};

const char *const HeadingKeys[ColumnCount] = {nullptr,
                                              "mypalette.schedule.column.code",
                                              "mypalette.schedule.column.names",
                                              "mypalette.schedule.column.collection",
                                              "mypalette.schedule.column.page",
                                              "mypalette.schedule.column.lab",
                                              "mypalette.schedule.column.rgb",
                                              "mypalette.schedule.column.lrv",
                                              "mypalette.schedule.column.products"};

qreal columnLeft(int column)
{
    return Margin + std::accumulate(ColumnWidths, ColumnWidths + column, 0.0);
}

qreal columnRight(int column, qreal pageWidth)
{
    return column + 1 < ColumnCount ? columnLeft(column + 1) : pageWidth - Margin;
}

qreal rowTop(int entry)
{
    return TableTop + HeadingHeight + entry * RowHeight;
}

QFont scheduleFont(qreal points, bool bold = false)
{
    QFont font;
    // Without ligatures a reader copies "ff" and "fi" as typed, not as single characters that
    // no search finds.
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The text wrapped at word boundaries into at most maxLines lines of the width, the last one
// elided when the text goes on.
QStringList fittedLines(const QString &text, const QFont &font, QPaintDevice *device, qreal width,
                        int maxLines)
{
    const QString plain = oneLineName(text.left(MaximumTextLength));
    QTextLayout layout(plain, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const QFontMetricsF metrics(font, device);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() + 1 == maxLines) {
            lines << metrics.elidedText(plain.mid(line.textStart()), Qt::ElideRight, width);
            break;
        }
        lines << plain.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

// Lines centred in the band from top of the height, each on a baseline of its own.
void drawLines(QPainter &painter, const QStringList &lines, qreal left, qreal top, qreal height)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    qreal baseline = top + (height - lines.size() * metrics.lineSpacing()) / 2 + metrics.ascent();
    for (const QString &line : lines) {
        painter.drawText(QPointF(left, baseline), line);
        baseline += metrics.lineSpacing();
    }
}

// The text in the columns from first to last of the band.
void drawText(QPainter &painter, const QString &text, int first, int last, qreal top, qreal height,
              int maxLines = LinesPerCell)
{
    const qreal width
        = columnRight(last, painter.device()->width()) - columnLeft(first) - ColumnGap;
    drawLines(painter, fittedLines(text, painter.font(), painter.device(), width, maxLines),
              columnLeft(first), top, height);
}

QString labText(const std::optional<LabColor> &lab)
{
    if (!lab)
        return QStringLiteral("–");
    const auto number = [](double value) { return QString::number(value, 'f', 1); };
    return QStringLiteral("%1, %2, %3").arg(number(lab->l), number(lab->a), number(lab->b));
}

QStringList cellTexts(const ScheduleEntry &entry)
{
    const std::optional<double> lrv = entry.lightReflectance();
    return {{},
            entry.code,
            entry.names.join(QStringLiteral(" · ")),
            entry.collection,
            entry.pageIndex > 0 ? QString::number(entry.pageIndex) : QStringLiteral("–"),
            labText(entry.lab),
            entry.color.name(),
            lrv ? QString::number(std::lround(*lrv)) : QStringLiteral("–"),
            entry.products.join(QStringLiteral(", "))};
}

// A chip's values as the database holds them, with L* 0..100 and a*, b* within what any
// measured surface colour reaches.
std::optional<LabColor> checkedLab(const DB::ColorEntry &chip)
{
    const bool inRange = chip.l >= 0.0 && chip.l <= 100.0 && std::abs(chip.a) <= 200.0
        && std::abs(chip.b) <= 200.0;
    return inRange ? std::optional<LabColor>(LabColor {chip.l, chip.a, chip.b}) : std::nullopt;
}

// The names the collection shows, in its order; all of them where it names no order.
QStringList chipNames(const QUuid &collection, const DB::ColorEntry &chip)
{
    QVector<qint64> order;
    for (const QVariant &value :
         DB::settingValues(collection, QStringLiteral("row.name.display.order")))
        order.append(value.toLongLong());
    QVector<int> columns = DB::nameColumns(order);
    if (columns.isEmpty()) {
        columns.resize(int(chip.names.size()));
        std::iota(columns.begin(), columns.end(), 0);
    }
    QStringList names;
    for (const int column : std::as_const(columns)) {
        if (const QString name = oneLineName(chip.name(column)); !name.isEmpty())
            names.append(name);
    }
    return names;
}

ScheduleEntry scheduleEntry(const QPoint &cell, const DB::ItemIndex &index)
{
    DB::ColorEntry chip;
    ScheduleEntry entry;
    entry.cell = cell;
    if (!index.refersToChip() || DB::loadIndexedEntry(index, chip) != DB::Success)
        return entry;
    entry.resolved = true;
    entry.color = chip.color();
    entry.code = oneLineName(chip.code);
    entry.names = chipNames(index.collection, chip);
    if (QSharedPointer<DB::Collection> collection;
        DB::loadCollection(index.collection, collection) == DB::Success && collection)
        entry.collection = oneLineName(collection->name);
    if (DB::ColorPage page;
        DB::loadPageById(index.collection, chip.pageId, true, page) == DB::Success
        && page.id == chip.pageId)
        entry.pageIndex = page.pageIndex;
    entry.lab = checkedLab(chip);
    DB::loadProductNames(index.collection, index.rowId, entry.products);
    return entry;
}

void drawSwatch(QPainter &painter, int row, const ScheduleEntry &entry)
{
    const QRectF swatch = ColorSchedule::swatchRect(row);
    if (entry.resolved)
        painter.fillRect(swatch, entry.color);
    // The outline keeps white and pale chips apart from the paper.
    painter.setPen(QPen(QColor(128, 128, 128), 0.5, entry.resolved ? Qt::SolidLine : Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(swatch);
}

void drawHeadings(QPainter &painter, const QStringList &headings)
{
    painter.save();
    painter.setFont(scheduleFont(7, true));
    painter.setPen(QColor(96, 96, 96));
    for (int column = Code; column < ColumnCount; ++column)
        drawText(painter, headings.at(column), column, column, TableTop, HeadingHeight, 1);
    painter.setPen(QPen(QColor(96, 96, 96), 0.75));
    const qreal bottom = TableTop + HeadingHeight;
    painter.drawLine(QPointF(Margin, bottom), QPointF(painter.device()->width() - Margin, bottom));
    painter.restore();
}

// An entry whose chip is not installed names its cell, counted from 1 as users count.
void drawEntry(QPainter &painter, int row, const ScheduleEntry &entry, const QString &unresolved)
{
    drawSwatch(painter, row, entry);
    painter.setPen(Qt::black);
    const qreal top = rowTop(row);
    if (!entry.resolved) {
        drawText(painter, unresolved.arg(entry.cell.y() + 1).arg(entry.cell.x() + 1), Code,
                 Products, top, RowHeight);
    } else {
        const QStringList texts = cellTexts(entry);
        for (int column = Code; column < ColumnCount; ++column)
            drawText(painter, texts.at(column), column, column, top, RowHeight);
    }
    painter.setPen(QPen(QColor(208, 208, 208), 0.5));
    const qreal bottom = top + RowHeight;
    painter.drawLine(QPointF(Margin, bottom), QPointF(painter.device()->width() - Margin, bottom));
}

} // namespace

std::optional<double> ScheduleEntry::lightReflectance() const
{
    if (!lab)
        return std::nullopt;
    return 100.0 * xyzFromLab(*lab, D65White).y;
}

ColorSchedule::ColorSchedule(const PaletteModel &palette, const QUuid &textCollection,
                             const QList<QPoint> &missingCells)
    : m_textCollection(textCollection), m_description(oneLineName(palette.description()))
{
    for (const QPoint &cell : PaletteModel::cells()) {
        if (palette.entry(cell).refersToChip())
            m_entries.append(scheduleEntry(cell, palette.entry(cell)));
        else if (missingCells.contains(cell))
            m_entries.append(scheduleEntry(cell, {}));
    }
}

QString ColorSchedule::title() const
{
    return m_description.isEmpty() ? text("mypalette.schedule.title") : m_description;
}

QPageSize ColorSchedule::pageSizeFor(const QLocale &locale)
{
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}

QRectF ColorSchedule::swatchRect(int entry)
{
    return {QPointF(Margin, rowTop(entry) + (RowHeight - SwatchSize.height()) / 2), SwatchSize};
}

QByteArray ColorSchedule::pdf(const QDate &date, const QPageSize &pageSize) const
{
    // Fonts, and so the PDF writer, need a GUI application; a console tool gets no document.
    if (!qGuiApp)
        return {};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    // One device unit is one point, so the layout above reads in points.
    writer.setResolution(72);
    writer.setTitle(title());
    if (!writer.setPageSize(pageSize) || !writer.setPageMargins({}, QPageLayout::Point))
        return {};
    QPainter painter;
    if (!painter.begin(&writer))
        return {};
    painter.setFont(scheduleFont(16, true));
    drawText(painter, title(), SwatchColumn, Products, Margin, 24, 1);
    painter.setFont(scheduleFont(9));
    drawText(painter, QLocale().toString(date, QLocale::LongFormat), SwatchColumn, Products,
             Margin + 26, 14, 1);
    QStringList headings;
    for (const char *key : HeadingKeys)
        headings << (key ? text(key) : QString());
    drawHeadings(painter, headings);
    painter.setFont(scheduleFont(7.5));
    for (int row = 0; row < m_entries.size(); ++row)
        drawEntry(painter, row, m_entries.at(row), text("mypalette.schedule.unresolved"));
    if (!painter.end())
        return {};
    return buffer.data();
}

bool ColorSchedule::save(const QString &path, QString *reason) const
{
    const QByteArray bytes = pdf(QDate::currentDate(), pageSizeFor(QLocale()));
    if (bytes.isEmpty()) {
        if (reason)
            *reason = QStringLiteral("The colour schedule could not be made.");
        return false;
    }
    return saveWholeFile(path, bytes, reason);
}

QString ColorSchedule::text(const char *key) const
{
    return DB::localeString(m_textCollection, QString::fromLatin1(key));
}

} // namespace Sorven
