#include "harmonizer/colorschemerwidget.h"

#include "core/collectionsettings.h"
#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/accessibletext.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "db/search.h"
#include "harmonizer/schemertexts.h"
#include "palette/colorchipdnd.h"
#include "palette/colorchipdrag.h"
#include "widgets/equivalentsmenu.h"
#include "widgets/itemsaccessible.h"
#include "widgets/painting.h"

#include <QAction>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <array>

namespace Sorven {

namespace {

const QSize ButtonImageSize {44, 44};
const QSize MarkerSize {9, 9};
constexpr int ButtonTop = 8;
constexpr int ButtonSpacing = 40;
constexpr int HitInset = 6;
constexpr int CaptionPadding = 4;
constexpr int ChipAreaMargin = 24;
constexpr int ChipAreaGap = 16;
constexpr int MessageHeight = 32;
constexpr int MaxChipAreaHeight = 100;

QString imageKey(SchemeKind kind, const char *state)
{
    static const std::array<const char *, 6> names {
        "", "harmonising", "contrasting", "wide.contrast", "dynamic", "dramatic"};
    const char *name = kind < NeutralScheme ? names[kind] : "tonal.neutral";
    return QStringLiteral("image.scheme.%1.%2").arg(QLatin1String(name), QLatin1String(state));
}

QString captionKey(SchemeKind kind)
{
    static const std::array<const char *, 10> names {
        "",         "harmonic",      "contrast",      "wide.contrast",         "dynamic",
        "dramatic", "tonal.neutral", "tonal.neutral", "complementary.neutral", "natural.neutral"};
    return QStringLiteral("harmonizer.palette.scheme.") + QLatin1String(names[kind]);
}

bool isNeutral(SchemeKind kind)
{
    return kind >= NeutralScheme;
}

constexpr std::array<SchemeKind, 4> NeutralKinds {NeutralScheme, TonalNeutralScheme,
                                                  ComplementaryNeutralScheme, NaturalNeutralScheme};

SchemeKind otherNeutralSubKind(SchemeKind subKind)
{
    return subKind == TonalNeutralScheme ? ComplementaryNeutralScheme : TonalNeutralScheme;
}

QRect centredRect(const QSize &size, const QPoint &centre)
{
    QRect rect(QPoint(), size);
    rect.moveCenter(centre);
    return rect;
}

// The white caption of the current scheme glows faintly around its outline.
void drawGlowingText(QPainter &painter, const QRect &rect, int flags, const QString &text)
{
    QColor glow = Qt::white;
    glow.setAlpha(12);
    painter.setPen(glow);
    for (int dx = -2; dx <= 2; ++dx) {
        painter.drawText(rect.translated(dx, -2), flags, text);
        painter.drawText(rect.translated(dx, 2), flags, text);
    }
    glow.setAlpha(24);
    painter.setPen(glow);
    for (const QPoint &offset : {QPoint(-1, -1), QPoint(1, -1), QPoint(-1, 1), QPoint(1, 1)})
        painter.drawText(rect.translated(offset), flags, text);
    painter.setPen(Qt::white);
    Painting::drawTextTwice(painter, rect, flags, text);
}

SchemeRequest settingsRequest(const QUuid &uuid)
{
    return {uuid, UserSettings::schemeKind(uuid), UserSettings::schemeNeutralSubKind(uuid),
            UserSettings::pageIndex(uuid), UserSettings::rowIndex(uuid)};
}

} // namespace

ColorSchemerWidget::ColorSchemerWidget(QWidget *parent)
    : QWidget(parent),
      m_pointer(new ChipPointer(this, &ColorSchemerWidget::startDrag,
                                &ColorSchemerWidget::toolTipAt, &ColorSchemerWidget::chipAt))
{
    setFocusPolicy(Qt::StrongFocus);
    ItemsAccessible::install();
    setFont(regularFont(2));
    addShortcuts();
    EquivalentsMenu::install(this, m_pointer);
    selectedCollectionChanged(UserSettings::lastUsedCollection());
}

QRect ColorSchemerWidget::buttonRect(int button) const
{
    return button >= 0 && button < m_buttons.size() ? m_buttons[button].image : QRect();
}

QRect ColorSchemerWidget::captionRect(int button) const
{
    return button >= 0 && button < m_buttons.size() ? m_buttons[button].caption : QRect();
}

int ColorSchemerWidget::buttonAt(const QPoint &pos) const
{
    for (int button = 0; button < m_buttons.size(); ++button) {
        const Button &b = m_buttons[button];
        const QRegion hit(b.image.adjusted(HitInset, HitInset, -HitInset, -HitInset),
                          QRegion::Ellipse);
        if (hit.contains(pos) || b.caption.contains(pos))
            return button;
    }
    return -1;
}

QRect ColorSchemerWidget::indexRect(const ChipIndex &index) const
{
    if (index.row < 0 || index.row >= m_chipRects.size())
        return {};
    return m_chipRects[index.row].value(index.column);
}

ColorSchemerWidget::ChipIndex ColorSchemerWidget::indexAt(const QPoint &pos) const
{
    for (int row = 0; row < m_chipRects.size(); ++row) {
        for (int column = 0; column < m_chipRects[row].size(); ++column) {
            if (m_chipRects[row][column].contains(pos))
                return {row, column};
        }
    }
    return {};
}

void ColorSchemerWidget::selectedCollectionChanged(QUuid collectionId)
{
    m_inUse = schemeCollectionFor(collectionId);
    // The colour table is read once per collection change: a large collection takes a while.
    QVector<DB::LabSample> samples;
    if (m_inUse != collectionId && DB::loadLabSamples(m_inUse, samples) == DB::Success)
        m_samples = samples;
    else
        m_samples.clear();
    m_lastSettings.reset();
    m_lastRequest.reset();
    m_fixedLook.reset();
    m_scheme = {};
    m_chipRects.clear();

    m_kinds.clear();
    m_buttons.clear();
    m_captions.clear();
    for (const SchemeKind kind : CollectionSettings::schemes(collectionId)) {
        if (kind < HarmonicScheme || kind > NaturalNeutralScheme)
            continue;
        m_kinds.append(kind);
        m_buttons.append({DB::themeImage(collectionId, imageKey(kind, "normal"), ButtonImageSize),
                          DB::themeImage(collectionId, imageKey(kind, "selected"), ButtonImageSize),
                          {},
                          {}});
        for (const SchemeKind caption : isNeutral(kind)
                 ? QList<SchemeKind>(NeutralKinds.cbegin(), NeutralKinds.cend())
                 : QList<SchemeKind> {kind})
            m_captions.insert(caption, DB::localeString(collectionId, captionKey(caption)));
    }
    m_markerNormal = DB::themeImage(
        collectionId, QStringLiteral("image.complementary.neutral.marker.normal"), MarkerSize);
    m_markerSelected = DB::themeImage(
        collectionId, QStringLiteral("image.complementary.neutral.marker.selected"), MarkerSize);
    layoutButtons();
    update();
}

void ColorSchemerWidget::switchToScheme1()
{
    switchToScheme(1);
}

void ColorSchemerWidget::switchToScheme2()
{
    switchToScheme(2);
}

void ColorSchemerWidget::switchToScheme3()
{
    switchToScheme(3);
}

void ColorSchemerWidget::switchToScheme4()
{
    switchToScheme(4);
}

void ColorSchemerWidget::switchToScheme5()
{
    switchToScheme(5);
}

void ColorSchemerWidget::switchToScheme6()
{
    switchToScheme(6);
}

void ColorSchemerWidget::switchToScheme7()
{
    switchToScheme(7);
}

void ColorSchemerWidget::switchToScheme8()
{
    switchToScheme(8);
}

void ColorSchemerWidget::switchToScheme9()
{
    switchToScheme(9);
}

void ColorSchemerWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int button = buttonAt(event->position().toPoint());
    if (button < 0)
        return;
    const QUuid uuid = UserSettings::lastUsedCollection();
    const SchemeKind kind = m_kinds[button];
    if (kind != UserSettings::schemeKind(uuid))
        emit schemeKindChangedInteractively(kind);
    else if (kind == NeutralScheme && m_scheme.complementary)
        emit schemeNeutralSubKindChangedInteractively(
            otherNeutralSubKind(UserSettings::schemeNeutralSubKind(uuid)));
}

void ColorSchemerWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton)
        setCursor(buttonAt(event->position().toPoint()) >= 0 ? Qt::PointingHandCursor
                                                             : Qt::ArrowCursor);
}

void ColorSchemerWidget::paintEvent(QPaintEvent *)
{
    refreshScheme();
    QPainter painter(this);
    const FixedLook look {
        UserSettings::schemeKind(UserSettings::lastUsedCollection()),
        m_kinds.contains(NeutralScheme) ? shownKind(int(m_kinds.indexOf(NeutralScheme))) : NoScheme,
        m_scheme.complementary,
        size(),
        Painting::deviceRatio(painter),
        font(),
        m_chipArea};
    if (look != m_fixedLook) {
        m_fixedLayer = paintFixedLayer(look);
        m_fixedLook = look;
    }
    painter.drawPixmap(0, 0, m_fixedLayer);
    paintChips(painter);
}

// The buttons and the drag-and-drop line on a transparent layer: their text costs more to lay
// out and draw than the chips do, and it seldom changes.
QPixmap ColorSchemerWidget::paintFixedLayer(const FixedLook &look) const
{
    QPixmap layer(Painting::deviceSize(look.size, look.ratio));
    layer.setDevicePixelRatio(look.ratio);
    layer.fill(Qt::transparent);
    QPainter painter(&layer);
    painter.setFont(look.font);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (int button = 0; button < m_buttons.size(); ++button)
        paintButton(painter, button, look.current);
    drawDragDropMessage(painter,
                        QRect(QPoint(look.chipArea.left(), look.chipArea.bottom() + 1),
                              QPoint(look.chipArea.right(), look.size.height() - 1)),
                        UserSettings::lastUsedCollection());
    return layer;
}

void ColorSchemerWidget::resizeEvent(QResizeEvent *)
{
    layoutButtons();
}

void ColorSchemerWidget::addShortcuts()
{
    using Slot = void (ColorSchemerWidget::*)();
    const std::array<Slot, 9> switches {
        &ColorSchemerWidget::switchToScheme1, &ColorSchemerWidget::switchToScheme2,
        &ColorSchemerWidget::switchToScheme3, &ColorSchemerWidget::switchToScheme4,
        &ColorSchemerWidget::switchToScheme5, &ColorSchemerWidget::switchToScheme6,
        &ColorSchemerWidget::switchToScheme7, &ColorSchemerWidget::switchToScheme8,
        &ColorSchemerWidget::switchToScheme9};
    for (int number = 1; number <= int(switches.size()); ++number) {
        auto *action = new QAction(this);
        action->setShortcut(QKeySequence(QStringLiteral("Ctrl+S, Ctrl+%1").arg(number)));
        connect(action, &QAction::triggered, this, switches[number - 1]);
        addAction(action);
    }
}

// Buttons side by side in a centred row, each caption centred under its image; the neutral
// caption keeps room for the widest sub-kind and the marker, so it does not move on a switch.
void ColorSchemerWidget::layoutButtons()
{
    QSize image;
    for (const Button &button : std::as_const(m_buttons))
        image = image.expandedTo(button.normal.size()).expandedTo(button.selected.size());
    const QFontMetrics metrics = fontMetrics();
    const int count = int(m_buttons.size());
    const int first = (width() + ButtonSpacing - count * (image.width() + ButtonSpacing)) / 2;
    int captionHeight = metrics.height() + 2;
    for (int index = 0; index < count; ++index) {
        Button &button = m_buttons[index];
        button.image = QRect(first + index * (image.width() + ButtonSpacing), ButtonTop,
                             image.width(), image.height());
        const SchemeKind kind = m_kinds[index];
        int textWidth = 0;
        for (const SchemeKind caption : kind == NeutralScheme
                 ? QList<SchemeKind>(NeutralKinds.cbegin(), NeutralKinds.cend())
                 : QList<SchemeKind> {kind})
            textWidth = std::max(textWidth, metrics.horizontalAdvance(m_captions.value(caption)));
        const QSize text = metrics.size(Qt::TextSingleLine, m_captions.value(kind));
        captionHeight = std::max(captionHeight, text.height() + 2);
        button.caption = centredRect(QSize(textWidth + CaptionPadding, text.height() + 2),
                                     button.image.center());
        button.caption.moveTop(image.height() + ButtonTop + 1);
        if (kind == NeutralScheme)
            button.caption.setRight(button.caption.right() + m_markerNormal.width()
                                    + CaptionPadding);
    }
    for (Button &button : m_buttons)
        button.caption.setHeight(captionHeight);
    layoutChipArea(image.height() + ButtonTop + captionHeight);
}

// Three rows of equal height with one-pixel gaps fit a height of 3k + 1; taller areas give up
// pixels at top and bottom in turn so that they stay centred.
void ColorSchemerWidget::layoutChipArea(int captionBottom)
{
    int top = captionBottom + ChipAreaGap;
    int bottom = height() - 1 - MessageHeight;
    const int available = bottom - top + 1;
    bottom = top + (available > 0 ? (available - 1) / 3 * 3 + 1 : 0) - 1;
    for (bool topFirst = true; bottom - top + 1 > MaxChipAreaHeight; topFirst = !topFirst) {
        top += topFirst ? 1 : 2;
        bottom -= topFirst ? 2 : 1;
    }
    m_chipArea = QRect(QPoint(ChipAreaMargin, top), QPoint(width() - 1 - ChipAreaMargin, bottom));
    layoutChips();
}

// Reads the scheme again only when the chosen chip or scheme changed since the last paint.
void ColorSchemerWidget::refreshScheme()
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    const SchemeRequest settings = settingsRequest(uuid);
    if (m_lastSettings == settings)
        return;
    m_lastSettings = settings;
    const SchemeRequest request = schemeRequestIn(settings, m_inUse, m_samples);
    if (m_lastRequest && !schemeRequestChanged(*m_lastRequest, request))
        return;
    m_lastRequest = request;
    m_scheme = loadSchemeChips(request);
    if (request.kind == NeutralScheme && request.subKind == ComplementaryNeutralScheme
        && m_scheme.kind == TonalNeutralScheme) {
        UserSettings::setSchemeNeutralSubKind(uuid, TonalNeutralScheme);
        m_lastSettings->subKind = TonalNeutralScheme;
    }
    layoutChips();
}

// Rows of chips one pixel apart, as wide as the widest row allows, centred in the three-row
// area.
void ColorSchemerWidget::layoutChips()
{
    m_chipRects.clear();
    const int rows = int(m_scheme.rows.size());
    const int columns = m_scheme.columns;
    if (rows == 0 || columns <= 0)
        return;
    const int x1 = m_chipArea.left();
    const int y1 = m_chipArea.top();
    const int rowHeight = (m_chipArea.bottom() - y1 - 3) / 3;
    const int top = y1 + ((MaxSchemeRows - rows) * (rowHeight + 1)) / 2;
    int chipWidth = (m_chipArea.right() - x1) / columns;
    while (chipWidth > 0 && columns * (chipWidth + 1) + 1 > m_chipArea.width())
        --chipWidth;
    for (int row = 0; row < rows; ++row) {
        QVector<QRect> rects;
        const int count = std::min(int(m_scheme.rows[row].size()), columns);
        for (int column = 0; column < count; ++column)
            rects.append(QRect(x1 + 1 + column * (chipWidth + 1), top + 1 + row * (rowHeight + 1),
                               chipWidth, rowHeight));
        m_chipRects.append(rects);
    }
}

void ColorSchemerWidget::switchToScheme(int number)
{
    if (!isVisible() || m_kinds.size() < number)
        return;
    const QUuid uuid = UserSettings::lastUsedCollection();
    const SchemeKind kind = m_kinds[number - 1];
    const SchemeKind current = UserSettings::schemeKind(uuid);
    if (kind == NeutralScheme && current == NeutralScheme)
        emit schemeNeutralSubKindChangedInteractively(
            m_scheme.complementary ? otherNeutralSubKind(UserSettings::schemeNeutralSubKind(uuid))
                                   : TonalNeutralScheme);
    else if (kind != current)
        emit schemeKindChangedInteractively(kind);
}

void ColorSchemerWidget::paintButton(QPainter &painter, int button, SchemeKind current) const
{
    const Button &b = m_buttons[button];
    const SchemeKind kind = m_kinds[button];
    const bool selected = kind == current;
    const QImage &image = selected ? b.selected : b.normal;
    painter.drawImage(centredRect(image.size(), b.image.center()), image);

    const SchemeKind shown = shownKind(button);
    QRect text = b.caption;
    if (kind == NeutralScheme)
        text.setRight(text.right() - m_markerNormal.width() - CaptionPadding);
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine;
    painter.save();
    if (selected) {
        drawGlowingText(painter, text, flags, m_captions.value(shown));
    } else {
        painter.setPen(Painting::SecondaryGrey);
        Painting::drawTextTwice(painter, text, flags, m_captions.value(shown));
    }
    painter.restore();
    if (kind == NeutralScheme && m_scheme.complementary) {
        const QImage &marker = selected ? m_markerSelected : m_markerNormal;
        painter.drawImage(QPoint(b.caption.right() + 1 - marker.width(),
                                 b.caption.center().y() - marker.height() / 2),
                          marker);
    }
}

// Each chip with a dark line along its right and bottom edge, the block framed as a whole.
void ColorSchemerWidget::paintChips(QPainter &painter) const
{
    QRect block;
    for (int row = 0; row < m_chipRects.size(); ++row) {
        for (int column = 0; column < m_chipRects[row].size(); ++column) {
            const QRect &chip = m_chipRects[row][column];
            painter.fillRect(chip, m_scheme.rows[row][column].color());
            painter.fillRect(QRect(chip.right() + 1, chip.top(), 1, chip.height() + 1),
                             Painting::FrameGrey);
            painter.fillRect(QRect(chip.left(), chip.bottom() + 1, chip.width(), 1),
                             Painting::FrameGrey);
            block |= chip;
        }
    }
    if (!block.isNull())
        Painting::drawBlockFrame(painter, block.adjusted(-1, -1, 1, 1));
}

const DB::ColorEntry *ColorSchemerWidget::entryAt(const ChipIndex &index) const
{
    if (!index.isValid() || index.row >= m_chipRects.size()
        || index.column >= m_chipRects[index.row].size())
        return nullptr;
    return &m_scheme.rows[index.row][index.column];
}

bool ColorSchemerWidget::startDrag(const QPoint &pos)
{
    const DB::ColorEntry *chip = m_chipArea.contains(pos) ? entryAt(indexAt(pos)) : nullptr;
    if (!chip)
        return false;
    DB::ColorEntry entry;
    if (DB::loadEntryById(m_scheme.collection, chip->id, entry) == DB::Success)
        startColorChipDrag(this, ColorSchemerDndSource, m_scheme.collection, entry, Qt::CopyAction,
                           Qt::CopyAction);
    return true;
}

SchemeKind ColorSchemerWidget::shownKind(int button) const
{
    return m_kinds[button] == NeutralScheme
        ? UserSettings::schemeNeutralSubKind(UserSettings::lastUsedCollection())
        : m_kinds[button];
}

int ColorSchemerWidget::accessibleItemCount() const
{
    int count = int(m_buttons.size());
    for (const QVector<QRect> &row : m_chipRects)
        count += int(row.size());
    return count;
}

AccessibleItems::Item ColorSchemerWidget::accessibleItem(int index) const
{
    return index < m_buttons.size() ? buttonItem(index) : chipItem(index - int(m_buttons.size()));
}

AccessibleItems::Item ColorSchemerWidget::buttonItem(int button) const
{
    const QUuid selected = UserSettings::lastUsedCollection();
    const SchemeKind kind = shownKind(button);
    const QString tip = DB::localeString(selected.isNull() ? m_inUse : selected,
                                         QStringLiteral("tiptext.") + captionKey(kind));
    return {QAccessible::RadioButton, m_buttons[button].image.united(m_buttons[button].caption),
            m_captions.value(kind), QString(tip).replace(u'\n', QStringLiteral(". ")),
            m_kinds[button] == UserSettings::schemeKind(selected)};
}

AccessibleItems::Item ColorSchemerWidget::chipItem(int chip) const
{
    for (int row = 0; row < m_chipRects.size(); ++row) {
        if (chip < m_chipRects[row].size()) {
            const ChipIndex index {row, chip};
            const DB::ChipAccessibleText text
                = DB::chipAccessibleText(m_scheme.collection, entryAt(index)->id);
            return {QAccessible::ListItem, indexRect(index), text.name, text.description, false};
        }
        chip -= int(m_chipRects[row].size());
    }
    return {};
}

ChipPointer::ToolTip ColorSchemerWidget::toolTipAt(const QPoint &pos) const
{
    if (const int button = buttonAt(pos); button >= 0) {
        const QUuid selected = UserSettings::lastUsedCollection();
        return {m_buttons[button].image.bottomRight(),
                schemeToolTip(selected.isNull() ? m_inUse : selected,
                              QStringLiteral("tiptext.") + captionKey(shownKind(button)))};
    }
    const ChipIndex index = indexAt(pos);
    if (const DB::ColorEntry *chip = entryAt(index))
        return ChipPointer::chipToolTip(m_scheme.collection, chip->id, indexRect(index));
    return {};
}

DB::ItemIndex ColorSchemerWidget::chipAt(const QPoint &pos) const
{
    const DB::ColorEntry *chip = entryAt(indexAt(pos));
    if (!chip)
        return {};
    return {m_scheme.collection, chip->pageId, chip->id};
}

} // namespace Sorven
