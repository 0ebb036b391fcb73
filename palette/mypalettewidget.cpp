#include "palette/mypalettewidget.h"

#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/accessibletext.h"
#include "db/connections.h"
#include "db/displaytext.h"
#include "db/lookups.h"
#include "palette/colorchipdnd.h"
#include "palette/colorchipdrag.h"
#include "palette/freecolorchip.h"
#include "palette/palettechange.h"
#include "palette/palettefile.h"
#include "palette/paletteloadmessage.h"
#include "palette/savefailuremessage.h"
#include "widgets/equivalentsmenu.h"
#include "widgets/imagebutton.h"
#include "widgets/itemsaccessible.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDragMoveEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QUndoStack>

namespace Sorven {

namespace {

const QSize BarImageSize(30, 30);
const QSize ButtonImageSize(16, 16);
const QPoint NoCell(-1, -1);
const int Margin = 12;
const int ButtonGap = 4;
const int TargetRepaintMargin = 3;
const QColor GridColor(64, 64, 64);
const QColor SelectionColor(255, 255, 255, 224);
const QColor DropTargetColor(0, 151, 251, 192);

QImage themeImage(const char *key, const QSize &size)
{
    return DB::themeImage(UserSettings::lastUsedCollection(), QString::fromLatin1(key), size);
}

bool acceptsDrop(const QMimeData *mimeData)
{
    const int source = colorDropSource(mimeData);
    return source == CardRollerDndSource || source == ColorSchemerDndSource
        || source == ForeignColorDndSource;
}

} // namespace

MyPaletteWidget::MyPaletteWidget(QWidget *parent)
    : QWidget(parent),
      m_model(new MyPaletteModel(this)),
      m_bar(themeImage("image.widget.bar.background", BarImageSize)),
      m_zoomButton(createButton("image.mypalette.zoom", "zoomButton")),
      m_eraserButton(createButton("image.mypalette.eraser", "eraserButton")),
      m_clearButton(createButton("image.mypalette.trash", "clearButton")),
      m_gridButton(createButton("image.mypalette.grid.off", "gridButton")),
      m_descriptionEdit(new QLineEdit(this)),
      m_undoStack(new QUndoStack(this)),
      m_pointer(new ChipPointer(this, &MyPaletteWidget::startDrag, &MyPaletteWidget::toolTipAt,
                                &MyPaletteWidget::chipAt))
{
    setFocusPolicy(Qt::StrongFocus);
    ItemsAccessible::install();
    setAcceptDrops(true);
    setFont(regularFont(3));
    EquivalentsMenu::install(this, m_pointer);
    m_gridButton->setCheckable(true);
    m_gridButton->setChecked(true);
    int height = 0;
    for (ImageButton *button : {m_zoomButton, m_eraserButton, m_clearButton, m_gridButton})
        height = qMax(height, button->height());
    for (ImageButton *button : {m_zoomButton, m_eraserButton, m_clearButton, m_gridButton})
        button->setFixedSize(button->width(), height);

    m_descriptionEdit->setFrame(false);
    m_descriptionEdit->setTextMargins(0, 0, 0, 0);
    m_descriptionEdit->setText(m_model->description());
    m_descriptionEdit->installEventFilter(this);
    // Lets the empty editor take its italic placeholder look before it ever had focus.
    QCoreApplication::postEvent(m_descriptionEdit,
                                new QFocusEvent(QEvent::FocusOut, Qt::OtherFocusReason));

    showCollection(UserSettings::lastUsedCollection());
    addUndoActions();
    connect(m_zoomButton, &QPushButton::clicked, this, &MyPaletteWidget::zoomClicked);
    connect(m_eraserButton, &QPushButton::clicked, this, &MyPaletteWidget::eraseClicked);
    connect(m_clearButton, &QPushButton::clicked, this, &MyPaletteWidget::clearClicked);
    connect(m_gridButton, &QPushButton::clicked, this, &MyPaletteWidget::gridClicked);
    connect(m_descriptionEdit, &QLineEdit::editingFinished, this,
            &MyPaletteWidget::paletteDescriptionEditFinished);
}

void MyPaletteWidget::addUndoActions()
{
    QAction *undo = m_undoStack->createUndoAction(this);
    undo->setShortcuts(QKeySequence::Undo);
    QAction *redo = m_undoStack->createRedoAction(this);
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (const QKeySequence shiftZ(Qt::CTRL | Qt::SHIFT | Qt::Key_Z); !redoKeys.contains(shiftZ))
        redoKeys.prepend(shiftZ);
    redo->setShortcuts(redoKeys);
    addActions({undo, redo});
}

ImageButton *MyPaletteWidget::createButton(const char *imageKey, const char *objectName)
{
    const QImage image = themeImage(imageKey, ButtonImageSize);
    auto *button = new ImageButton(image, image, this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setFixedSize(image.size());
    return button;
}

qint64 MyPaletteWidget::colorIdAt(const QPoint &cell) const
{
    return shownEntry(cell).rowId;
}

QString MyPaletteWidget::codeAt(const QPoint &cell) const
{
    const std::optional<DB::ColorEntry> chip = m_model->chip(cell);
    return chip ? chip->code : QString();
}

DB::ItemIndex MyPaletteWidget::shownEntry(const QPoint &cell) const
{
    return m_model->chip(cell) ? m_model->stored().entry(cell) : DB::ItemIndex();
}

QString MyPaletteWidget::description() const
{
    return m_descriptionEdit->text();
}

PaletteModel MyPaletteWidget::palette() const
{
    PaletteModel palette = m_model->shown();
    palette.setDescription(description());
    return palette;
}

QRect MyPaletteWidget::cellRect(const QPoint &cell) const
{
    if (!PaletteModel::contains(cell))
        return {};
    return QRect(m_gridOrigin
                     + QPoint(cell.x() * m_cellSize.width(), cell.y() * m_cellSize.height()),
                 m_cellSize);
}

QPoint MyPaletteWidget::cellAt(const QPoint &pos) const
{
    if (m_cellSize.isEmpty() || pos.x() < m_gridOrigin.x() || pos.y() < m_gridOrigin.y())
        return NoCell;
    const QPoint cell((pos.x() - m_gridOrigin.x()) / m_cellSize.width(),
                      (pos.y() - m_gridOrigin.y()) / m_cellSize.height());
    return PaletteModel::contains(cell) ? cell : NoCell;
}

QRect MyPaletteWidget::gridArea() const
{
    return QRect(m_gridOrigin,
                 QSize(PaletteModel::Columns * m_cellSize.width() + 1,
                       PaletteModel::Rows * m_cellSize.height() + 1));
}

// A collection that comes back brings its chips back, as the model keeps the references of
// chips that no longer load.
void MyPaletteWidget::selectedCollectionChanged(QUuid collectionId)
{
    m_model->reload();
    showCollection(collectionId);
}

void MyPaletteWidget::showCollection(const QUuid &collectionId)
{
    m_selection.clear();
    for (const QPoint &cell : PaletteModel::cells()) {
        if (UserSettings::myPaletteSelected(cell))
            m_selection.append(cell);
    }
    m_gridButton->setChecked(UserSettings::myPaletteGridVisible());
    m_descriptionEdit->setPlaceholderText(
        DB::localeString(collectionId, QStringLiteral("mypalette.note.instructions")));
    refreshButtonStates();
    layoutContents();
}

void MyPaletteWidget::recordChange(const PaletteModel &before)
{
    const PaletteModel after = m_model->stored();
    if (after == before)
        return;
    m_undoStack->push(new PaletteChange(
        [this](const PaletteModel &stored) { restorePalette(stored); }, before, after));
}

void MyPaletteWidget::restorePalette(const PaletteModel &stored)
{
    m_model->replace(stored);
    m_descriptionEdit->setText(stored.description());
    update();
    refreshButtonStates();
    emit myPaletteChanged();
}

void MyPaletteWidget::setSelected(const QPoint &cell, bool selected)
{
    m_selection.removeAll(cell);
    if (selected)
        m_selection.append(cell);
    UserSettings::setMyPaletteSelected(cell, selected);
}

void MyPaletteWidget::selectOnly(const QPoint &cell)
{
    for (const QPoint &selected : PaletteModel::cells())
        UserSettings::setMyPaletteSelected(selected, false);
    m_selection.clear();
    setSelected(cell, true);
}

// From the cell selected last, staying inside the grid; the first cell when none is selected.
void MyPaletteWidget::moveSelection(const QPoint &step)
{
    QPoint cell(0, 0);
    if (!m_selection.isEmpty()) {
        const QPoint moved = m_selection.last() + step;
        cell
            = QPoint(qBound(0, moved.x(), columnCount() - 1), qBound(0, moved.y(), rowCount() - 1));
    }
    selectOnly(cell);
    update();
    refreshButtonStates();
    emit myPaletteSelectionChanged();
    ItemsAccessible::notifyCurrentItem(this, slot(cell));
}

int MyPaletteWidget::accessibleItemCount() const
{
    return PaletteModel::Rows * PaletteModel::Columns;
}

AccessibleItems::Item MyPaletteWidget::accessibleItem(int index) const
{
    const QPoint cell(index % PaletteModel::Columns, index / PaletteModel::Columns);
    const DB::ItemIndex entry = shownEntry(cell);
    Item item {QAccessible::Cell, cellRect(cell), {}, {}, m_selection.contains(cell)};
    if (entry.refersToChip()) {
        const DB::ChipAccessibleText text = DB::chipAccessibleText(entry.collection, entry.rowId);
        item.name = text.name;
        item.description = text.description;
    }
    if (item.name.isEmpty())
        item.name = DB::localeString(UserSettings::lastUsedCollection(),
                                     QStringLiteral("accessible.mypalette.empty.cell"))
                        .arg(QString::number(cell.y() + 1), QString::number(cell.x() + 1));
    return item;
}

// Ctrl+C copies the cell selected last that shows a chip; Ctrl+V fills the selected cells with
// the clipboard's chip or colour, as a drop onto the selection would.
void MyPaletteWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelectedChip();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        if (receive(QGuiApplication::clipboard()->mimeData(), m_selection)) {
            refreshButtonStates();
            update();
        }
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        moveSelection({-1, 0});
        break;
    case Qt::Key_Right:
        moveSelection({1, 0});
        break;
    case Qt::Key_Up:
        moveSelection({0, -1});
        break;
    case Qt::Key_Down:
        moveSelection({0, 1});
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (!m_selection.isEmpty())
            eraseClicked();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void MyPaletteWidget::savePaletteTo(PaletteFileFormat fileFormat, QString path)
{
    QString reason;
    if (!savePaletteFile(palette(), fileFormat, path, &reason))
        showSaveFailure(this, UserSettings::lastUsedCollection(),
                        QStringLiteral("common.filedialog.palettefile.saveerror"), path, reason);
}

void MyPaletteWidget::exportPaletteTo(SwatchFileFormat fileFormat, QString path)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    QString reason;
    if (!saveSwatchFile(palette(), fileFormat, uuid, path, &reason))
        showSaveFailure(this, uuid, QStringLiteral("common.filedialog.palettefile.saveerror"), path,
                        reason);
}

void MyPaletteWidget::loadPaletteFrom(PaletteFileFormat, QString path)
{
    const PaletteFileRead read = readPaletteFile(path);
    if (!read.opened)
        return;
    showPaletteLoadMessage(this, UserSettings::lastUsedCollection(), path, read);
    if (read.palette) {
        const PaletteModel before = m_model->stored();
        m_descriptionEdit->setText(read.palette->description());
        PaletteModel loaded = *read.palette;
        loaded.setDescription(m_descriptionEdit->text());
        m_model->replace(loaded);
        recordChange(before);
    }
    update();
    refreshButtonStates();
    emit myPaletteChanged();
}

bool MyPaletteWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_descriptionEdit && event->type() == QEvent::FocusIn)
        m_descriptionEdit->setFont(regularFont(3));
    else if (watched == m_descriptionEdit && event->type() == QEvent::FocusOut
             && m_descriptionEdit->text().isEmpty())
        m_descriptionEdit->setFont(italicFont(3));
    return QWidget::eventFilter(watched, event);
}

void MyPaletteWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (event->rect().intersects(QRect(0, 0, width(), m_bar.height())) && m_bar.width() > 0) {
        for (int x = 0; x < width(); x += m_bar.width())
            painter.drawImage(x, 0, m_bar);
    }
    painter.setPen(GridColor);
    painter.setBrush(Qt::NoBrush);
    for (const QPoint &cell : PaletteModel::cells()) {
        const QRect rect = cellRect(cell);
        if (!event->region().intersects(rect.adjusted(0, 0, 1, 1)))
            continue;
        if (const std::optional<DB::ColorEntry> chip = m_model->chip(cell))
            painter.fillRect(rect, chip->color());
        if (m_gridButton->isChecked())
            painter.drawRect(rect);
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(SelectionColor, 2));
    for (const QPoint &cell : m_selection)
        painter.drawRect(cellRect(cell).adjusted(0, 0, 1, 1));
    if (m_dropTarget != NoCell) {
        painter.setPen(QPen(DropTargetColor, 2));
        painter.drawRect(cellRect(m_dropTarget).adjusted(0, 0, 1, 1));
    }
}

void MyPaletteWidget::resizeEvent(QResizeEvent *)
{
    layoutContents();
}

void MyPaletteWidget::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (!gridArea().contains(pos))
        return;
    const QPoint cell = cellAt(pos);
    if (event->button() != Qt::LeftButton || cell == NoCell)
        return;
    if (event->modifiers() == Qt::NoModifier) {
        selectOnly(cell);
    } else if (event->modifiers() == Qt::ControlModifier) {
        setSelected(cell, !m_selection.contains(cell));
    }
    update();
    refreshButtonStates();
    emit myPaletteSelectionChanged();
}

bool MyPaletteWidget::startDrag(const QPoint &pos)
{
    const QPoint cell = cellAt(pos);
    const std::optional<DB::ColorEntry> chip = m_model->chip(cell);
    if (!gridArea().contains(pos) || !chip)
        return false;
    startColorChipDrag(this, MyPaletteDndSource, m_model->stored().entry(cell).collection, *chip,
                       Qt::CopyAction, Qt::CopyAction);
    return true;
}

ChipPointer::ToolTip MyPaletteWidget::toolTipAt(const QPoint &pos) const
{
    const QPoint cell = cellAt(pos);
    const DB::ItemIndex index = shownEntry(cell);
    if (!index.refersToChip())
        return {};
    return ChipPointer::chipToolTip(index.collection, index.rowId, cellRect(cell));
}

DB::ItemIndex MyPaletteWidget::chipAt(const QPoint &pos) const
{
    return shownEntry(cellAt(pos));
}

void MyPaletteWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (acceptsDrop(event->mimeData()))
        event->acceptProposedAction();
}

void MyPaletteWidget::dragMoveEvent(QDragMoveEvent *event)
{
    event->setDropAction(Qt::IgnoreAction);
    const QPoint pos = event->position().toPoint();
    QPoint target = NoCell;
    if (acceptsDrop(event->mimeData()) && gridArea().contains(pos)) {
        event->acceptProposedAction();
        target = cellAt(pos);
    } else {
        event->ignore();
    }
    updateDropTarget(target);
}

void MyPaletteWidget::dragLeaveEvent(QDragLeaveEvent *)
{
    updateDropTarget(NoCell);
}

void MyPaletteWidget::updateDropTarget(const QPoint &target)
{
    if (target == m_dropTarget)
        return;
    const int grow = TargetRepaintMargin;
    update(cellRect(m_dropTarget).united(cellRect(target)).adjusted(-grow, -grow, grow, grow));
    m_dropTarget = target;
}

void MyPaletteWidget::dropEvent(QDropEvent *event)
{
    const QList<QPoint> receivers
        = m_selection.contains(m_dropTarget) ? m_selection : QList<QPoint> {m_dropTarget};
    if (m_dropTarget != NoCell && acceptsDrop(event->mimeData())
        && receive(event->mimeData(), receivers))
        event->acceptProposedAction();
    m_dropTarget = NoCell;
    refreshButtonStates();
    update();
}

bool MyPaletteWidget::receive(const QMimeData *mimeData, const QList<QPoint> &cells)
{
    if (cells.isEmpty())
        return false;
    const std::optional<DB::ItemIndex> chip
        = chipForDrop(UserSettings::lastUsedCollection(), mimeData);
    const PaletteModel before = m_model->stored();
    if (!chip || !m_model->place(cells, *chip))
        return false;
    recordChange(before);
    emit myPaletteChanged();
    return true;
}

void MyPaletteWidget::copySelectedChip()
{
    for (auto cell = m_selection.crbegin(); cell != m_selection.crend(); ++cell) {
        if (const std::optional<DB::ColorEntry> chip = m_model->chip(*cell)) {
            QGuiApplication::clipboard()->setMimeData(colorChipMimeData(
                MyPaletteDndSource, m_model->stored().entry(*cell).collection, *chip));
            return;
        }
    }
}

void MyPaletteWidget::zoomClicked()
{
    emit zoomMyPaletteClicked();
}

void MyPaletteWidget::eraseClicked()
{
    const PaletteModel before = m_model->stored();
    m_model->empty(m_selection);
    recordChange(before);
    update();
    refreshButtonStates();
    emit myPaletteChanged();
}

void MyPaletteWidget::clearClicked()
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    if (!m_clearQuestion) {
        m_clearQuestion = new QMessageBox(this);
        m_clearQuestion->setWindowModality(Qt::WindowModal);
        m_clearQuestion->setIconPixmap(
            QPixmap::fromImage(themeImage("image.mypalette.clear.question.icon", QSize(128, 128))
                                   .scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        m_clearQuestion->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        m_clearQuestion->setDefaultButton(QMessageBox::Yes);
        m_clearQuestion->setEscapeButton(QMessageBox::No);
        connect(m_clearQuestion, &QDialog::finished, this,
                &MyPaletteWidget::clearPaletteQuestionFinished);
    }
    m_clearQuestion->setWindowTitle(
        DB::localeString(uuid, QStringLiteral("common.confirmation.dialog.caption")));
    m_clearQuestion->setText(DB::inertDisplayText(
        DB::localeString(uuid, QStringLiteral("mypalette.clearpalettebutton.question"))));
    m_clearQuestion->setInformativeText(QString());
    m_clearQuestion->open();
}

void MyPaletteWidget::clearPaletteQuestionFinished(int button)
{
    if (button != QMessageBox::Yes)
        return;
    const PaletteModel before = m_model->stored();
    m_model->empty(PaletteModel::cells());
    recordChange(before);
    update();
    refreshButtonStates();
    emit myPaletteChanged();
    emit myPaletteSelectionChanged();
}

void MyPaletteWidget::gridClicked(bool checked)
{
    UserSettings::setMyPaletteGridVisible(checked);
    update();
}

void MyPaletteWidget::paletteDescriptionEditFinished()
{
    if (m_descriptionEdit->text() == m_model->description())
        return;
    const PaletteModel before = m_model->stored();
    m_model->setDescription(m_descriptionEdit->text());
    recordChange(before);
}

void MyPaletteWidget::refreshButtonStates()
{
    const bool empty = isEmpty();
    m_zoomButton->setEnabled(!empty);
    m_clearButton->setEnabled(!empty);
    m_gridButton->setEnabled(true);
    m_eraserButton->setEnabled(
        std::any_of(m_selection.cbegin(), m_selection.cend(),
                    [this](const QPoint &cell) { return m_model->chip(cell).has_value(); }));
}

// The description runs along the bottom on the palette's own background, so it looks
// transparent; the grid fills what the bar and the description leave.
void MyPaletteWidget::layoutContents()
{
    const int w = width();
    const int h = height();
    const int bar = m_bar.height();
    const int buttonTop = (bar - m_gridButton->height()) / 2;
    int right = w - bar;
    for (ImageButton *button : {m_gridButton, m_clearButton, m_eraserButton, m_zoomButton}) {
        button->move(right - button->width(), buttonTop);
        right -= button->width() + ButtonGap;
    }

    const int lineHeight = fontMetrics().height();
    m_descriptionEdit->setGeometry(Margin, h - lineHeight, w - 2 * Margin, lineHeight);
    QPalette palette = m_descriptionEdit->palette();
    const QRect underEditor = parentWidget() ? m_descriptionEdit->geometry().translated(pos())
                                             : m_descriptionEdit->geometry();
    const QImage background = DB::themeImage(
        DB::SystemWideCollectionUuid, QStringLiteral("image.widget.main.background"), QSize());
    if (!background.isNull())
        palette.setBrush(QPalette::Base, QBrush(background.copy(underEditor)));
    palette.setColor(QPalette::Text, Qt::white);
    m_descriptionEdit->setPalette(palette);

    const int usableWidth = w - 2 * Margin;
    const int usableHeight = h - lineHeight - (bar + Margin) - Margin;
    m_cellSize = QSize(qMax(0, usableWidth / PaletteModel::Columns),
                       qMax(0, usableHeight / PaletteModel::Rows));
    m_gridOrigin = QPoint(Margin + qMax(0, usableWidth % PaletteModel::Columns) / 2,
                          bar + Margin + qMax(0, usableHeight % PaletteModel::Rows) / 2);
    update();
}

} // namespace Sorven
