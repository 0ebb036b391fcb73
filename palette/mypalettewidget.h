#pragma once

#include "core/enumerations.h"
#include "palette/mypalettemodel.h"
#include "palette/swatchfile.h"
#include "widgets/accessibleitems.h"
#include "widgets/chippointer.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>
#include <QUuid>
#include <QWidget>

class QLineEdit;
class QMessageBox;
class QMimeData;
class QUndoStack;

namespace Sorven {

class ImageButton;

// The user's personal palette of 6 × 4 chips, docked at the bottom of the palette. Every change
// goes to the user settings at once; the chips' colours are read from the collections. With the
// focus, the arrow keys move the selection and Delete erases the selected cells.
class MyPaletteWidget : public QWidget, public AccessibleItems
{
    Q_OBJECT
    Q_DISABLE_COPY(MyPaletteWidget)

public:
    explicit MyPaletteWidget(QWidget *parent = nullptr);

    int rowCount() const { return PaletteModel::Rows; }
    int columnCount() const { return PaletteModel::Columns; }
    // Transparent for an empty cell or one outside the grid.
    QColor colorAt(const QPoint &cell) const { return m_model->colorAt(cell); }
    // -1 for a cell outside the grid or an empty one.
    qint64 colorIdAt(const QPoint &cell) const;
    // Empty when the cell is empty or the chip is gone.
    QString codeAt(const QPoint &cell) const;
    QString description() const;
    bool isEmpty() const { return m_model->isEmpty(); }
    // The cells and description this palette shows and changes, for the views that show them
    // too.
    MyPaletteModel *model() const { return m_model; }
    // The cells that show a chip, and the description.
    PaletteModel palette() const;
    QList<QPoint> selection() const { return m_selection; }

    // The one geometry source: painting, clicks, tooltips and drops all read these.
    QRect cellRect(const QPoint &cell) const;
    // (-1, -1) outside every cell.
    QPoint cellAt(const QPoint &pos) const;
    // The cells' union, one pixel wider and taller for the grid's outer lines.
    QRect gridArea() const;

    QLineEdit *descriptionEdit() const { return m_descriptionEdit; }
    // Every change of the palette, one command per gesture; Ctrl+Z and Ctrl+Shift+Z anywhere
    // in the window walk it.
    QUndoStack *undoStack() const { return m_undoStack; }
    ChipPointer *chipPointer() const { return m_pointer; }

    // The cells, row by row.
    int accessibleItemCount() const override;
    Item accessibleItem(int index) const override;

public slots:
    void selectedCollectionChanged(QUuid collectionId);
    void savePaletteTo(Sorven::PaletteFileFormat fileFormat, QString path);
    // Names the colours as the selected collection's settings say.
    void exportPaletteTo(Sorven::SwatchFileFormat fileFormat, QString path);
    void loadPaletteFrom(Sorven::PaletteFileFormat expectedFileFormat, QString path);

signals:
    void zoomMyPaletteClicked();
    void myPaletteChanged();
    void myPaletteSelectionChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    void zoomClicked();
    void eraseClicked();
    void clearClicked();
    void gridClicked(bool checked);
    void clearPaletteQuestionFinished(int button);
    void paletteDescriptionEditFinished();

private:
    static int slot(const QPoint &cell) { return cell.y() * PaletteModel::Columns + cell.x(); }
    void addUndoActions();
    // Puts a change on the undo stack when the palette differs from before.
    void recordChange(const PaletteModel &before);
    void restorePalette(const PaletteModel &stored);
    ImageButton *createButton(const char *imageKey, const char *objectName);
    void showCollection(const QUuid &collectionId);
    // The reference of a cell whose chip loads; empty otherwise.
    DB::ItemIndex shownEntry(const QPoint &cell) const;
    void setSelected(const QPoint &cell, bool selected);
    void selectOnly(const QPoint &cell);
    void moveSelection(const QPoint &step);
    void refreshButtonStates();
    void layoutContents();
    void updateDropTarget(const QPoint &target);
    // Puts the chip the data brings into the cells; false when it brings none.
    bool receive(const QMimeData *mimeData, const QList<QPoint> &cells);
    void copySelectedChip();
    bool startDrag(const QPoint &pos);
    ChipPointer::ToolTip toolTipAt(const QPoint &pos) const;
    DB::ItemIndex chipAt(const QPoint &pos) const;

    MyPaletteModel *m_model = nullptr;
    QList<QPoint> m_selection;
    QPoint m_dropTarget {-1, -1};
    QPoint m_gridOrigin;
    QSize m_cellSize;
    QImage m_bar;
    ImageButton *m_zoomButton = nullptr;
    ImageButton *m_eraserButton = nullptr;
    ImageButton *m_clearButton = nullptr;
    ImageButton *m_gridButton = nullptr;
    QLineEdit *m_descriptionEdit = nullptr;
    QMessageBox *m_clearQuestion = nullptr;
    QUndoStack *m_undoStack = nullptr;
    ChipPointer *m_pointer = nullptr;
};

} // namespace Sorven
