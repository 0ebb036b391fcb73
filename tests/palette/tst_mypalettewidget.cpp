#include "core/usersettings.h"
#include "palette/collectioncolortable.h"
#include "palette/colorchipdnd.h"
#include "palette/exportcolors.h"
#include "palette/mypalettefullwidget.h"
#include "palette/mypalettewidget.h"
#include "palette/palettefile.h"
#include "support/palettefixture.h"
#include "widgets/imagebutton.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

using namespace Sorven;

namespace {

QPoint centreOf(const QRect &rect)
{
    return {(rect.left() + rect.right()) / 2, (rect.top() + rect.bottom()) / 2};
}

// Delivers the data onto the cell as the platform would; answers whether the palette took the
// drag, and tells whether it took the drop.
bool dropData(MyPaletteWidget &palette, const QMimeData &data, const QPoint &cell,
              bool *dropped = nullptr)
{
    const QPoint pos = centreOf(palette.cellRect(cell));
    QDragEnterEvent enter(pos, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&palette, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(pos, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&palette, &move);
    QDropEvent drop(QPointF(pos), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&palette, &drop);
    if (dropped)
        *dropped = drop.isAccepted();
    return move.isAccepted();
}

// Drags a chip record from the source onto the cell.
bool dropChip(MyPaletteWidget &palette, int source, const PaletteFixtureChip &chip,
              const QPoint &cell)
{
    QMimeData data;
    data.setData(ColorChipDndMimeType, colorChipDndRecord(source, chip.collection, chip.rowId));
    return dropData(palette, data, cell);
}

PaletteModel stored()
{
    PaletteModel palette;
    for (const QPoint &cell : PaletteModel::cells())
        palette.setEntry(cell, UserSettings::myPaletteEntry(cell));
    palette.setDescription(UserSettings::myPaletteDescription());
    return palette;
}

void click(MyPaletteWidget &palette, const QPoint &cell, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(&palette, Qt::LeftButton, modifiers, centreOf(palette.cellRect(cell)));
}

ImageButton *button(const QWidget &widget, const char *name)
{
    return widget.findChild<ImageButton *>(QString::fromLatin1(name));
}

// Answers the next message box with the button, and tells what it said.
void answerNextMessageBox(QMessageBox::StandardButton answer, QString *said = nullptr)
{
    QTimer::singleShot(0, [answer, said] {
        const auto boxes = QApplication::topLevelWidgets();
        for (QWidget *widget : boxes) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (!box || !box->isVisible())
                continue;
            if (said)
                *said = box->text() + u'\n' + box->informativeText();
            box->done(answer);
        }
    });
}

} // namespace

class TestMyPaletteWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cellGeometry();
    void dropsBySource_data();
    void dropsBySource();
    void dropOntoSelectionFillsEverySelectedCell();
    void otherApplicationsDropColours_data();
    void otherApplicationsDropColours();
    void copyAndPaste();
    void undoAndRedoEveryGesture();
    void clicksSelect();
    void eraseAndClear();
    void arrowKeysMoveTheSelection_data();
    void arrowKeysMoveTheSelection();
    void deleteErasesTheSelectedCells();
    void cellsAreAccessible();
    void buttonStates();
    void contentPersistsAcrossInstances();
    void loadingReplacesCellsButNotTheSelection();
    void failedSaveSaysSo();
    void loadingSaysWhatHappened_data();
    void loadingSaysWhatHappened();
    void paintsChipsAndSelection();
    void enlargedViewPaintsStoredChips();
    void enlargedViewShowsTheDockedPalettesChanges();
    void ghostCellsAreEmptyEverywhere();

private:
    std::unique_ptr<MyPaletteWidget> newPalette() const;

    std::unique_ptr<PaletteFixture> m_fixture;
    QTemporaryDir m_folder;
};

void TestMyPaletteWidget::initTestCase()
{
    m_fixture = std::make_unique<PaletteFixture>();
    UserSettings::setLastUsedCollection(PaletteFixture::Harbour);
    loadCollectionColorTable(PaletteFixture::Harbour);
}

void TestMyPaletteWidget::init()
{
    for (const QPoint &cell : PaletteModel::cells()) {
        UserSettings::setMyPaletteEntry(cell, {});
        UserSettings::setMyPaletteSelected(cell, false);
    }
    UserSettings::setMyPaletteGridVisible(true);
    UserSettings::setMyPaletteDescription(QString());
}

std::unique_ptr<MyPaletteWidget> TestMyPaletteWidget::newPalette() const
{
    auto palette = std::make_unique<MyPaletteWidget>();
    palette->resize(400, 200);
    palette->show();
    return palette;
}

void TestMyPaletteWidget::cellGeometry()
{
    const auto palette = newPalette();
    // 376 wide: cells of 62 with 4 pixels left over; the grid starts half of them further right.
    QCOMPARE(palette->cellRect({0, 0}).topLeft().x(), 14);
    QCOMPARE(palette->cellRect({0, 0}).width(), 62);
    QCOMPARE(palette->cellRect({5, 3}).right(), 14 + 6 * 62 - 1);
    for (const QPoint &cell : PaletteModel::cells()) {
        QCOMPARE(palette->cellAt(palette->cellRect(cell).topLeft()), cell);
        QCOMPARE(palette->cellAt(palette->cellRect(cell).bottomRight()), cell);
    }
    QCOMPARE(palette->cellAt(palette->gridArea().bottomRight()), QPoint(-1, -1));
    QCOMPARE(palette->cellAt({5, 100}), QPoint(-1, -1));
}

void TestMyPaletteWidget::dropsBySource_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("card roller") << int(CardRollerDndSource) << true;
    QTest::newRow("colour schemes") << int(ColorSchemerDndSource) << true;
    QTest::newRow("My Palette itself") << int(MyPaletteDndSource) << false;
    QTest::newRow("trend groups") << int(TrendoraDndSource) << false;
}

void TestMyPaletteWidget::dropsBySource()
{
    QFETCH(int, source);
    QFETCH(bool, accepted);
    const auto palette = newPalette();
    QSignalSpy changed(palette.get(), &MyPaletteWidget::myPaletteChanged);
    QCOMPARE(dropChip(*palette, source, m_fixture->quayGreen, {5, 0}), accepted);
    QCOMPARE(changed.count(), accepted ? 1 : 0);
    // The ".Entry" key of (0,5) is the top-right cell's.
    QCOMPARE(UserSettings::myPaletteEntry({5, 0}),
             accepted ? m_fixture->quayGreen.index() : DB::ItemIndex());
    QCOMPARE(palette->colorAt({5, 0}),
             accepted ? m_fixture->quayGreen.color : QColor(Qt::transparent));
}

void TestMyPaletteWidget::dropOntoSelectionFillsEverySelectedCell()
{
    const auto palette = newPalette();
    QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->harbourBlue, {0, 0}));
    click(*palette, {0, 0});
    click(*palette, {3, 2}, Qt::ControlModifier);
    QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->harbourRed, {3, 2}));
    QCOMPARE(palette->colorIdAt({0, 0}), m_fixture->harbourRed.rowId);
    QCOMPARE(palette->colorIdAt({3, 2}), m_fixture->harbourRed.rowId);

    QVERIFY(dropChip(*palette, ColorSchemerDndSource, m_fixture->quayGreen, {1, 1}));
    QCOMPARE(palette->colorIdAt({1, 1}), m_fixture->quayGreen.rowId);
    QCOMPARE(palette->codeAt({1, 1}), QStringLiteral("Q-7"));
    QCOMPARE(palette->colorIdAt({0, 0}), m_fixture->harbourRed.rowId);
}

void TestMyPaletteWidget::otherApplicationsDropColours_data()
{
    QTest::addColumn<QVariant>("offered");
    QTest::addColumn<qint64>("rowId");

    QTest::newRow("hex text of a chip")
        << QVariant("#C81E28\nsomething else") << m_fixture->harbourRed.rowId;
    QTest::newRow("rgb() text") << QVariant(" rgb(128,128, 128) ") << m_fixture->harbourGrey.rowId;
    QTest::newRow("colour data") << QVariant(QColor(20, 40, 160)) << m_fixture->harbourBlue.rowId;
    QTest::newRow("colour far from every chip") << QVariant(QColor(0, 255, 0)) << qint64(-1);
}

// Nearest chips of the selected collection, within its first colour-difference interval.
void TestMyPaletteWidget::otherApplicationsDropColours()
{
    QFETCH(QVariant, offered);
    QFETCH(qint64, rowId);
    const auto palette = newPalette();
    QMimeData data;
    if (offered.typeId() == QMetaType::QColor)
        data.setColorData(offered);
    else
        data.setText(offered.toString());
    bool dropped = false;
    QVERIFY(dropData(*palette, data, {2, 2}, &dropped));
    QCOMPARE(dropped, rowId > 0);
    QCOMPARE(palette->colorIdAt({2, 2}), rowId);
}

// Ctrl+C copies the cell selected last; Ctrl+V fills every selected cell, as a drop would.
void TestMyPaletteWidget::copyAndPaste()
{
    UserSettings::setMyPaletteEntry({1, 0}, m_fixture->harbourRed.index());
    const auto palette = newPalette();
    click(*palette, {1, 0});
    click(*palette, {3, 0}, Qt::ControlModifier);
    QTest::keySequence(palette.get(), QKeySequence::Copy);
    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(colorChipDndSource(copied), int(MyPaletteDndSource));
    QCOMPARE(copied->text(), QStringLiteral("#c81e28"));
    QCOMPARE(qvariant_cast<QColor>(copied->colorData()), m_fixture->harbourRed.color);

    click(*palette, {4, 2});
    click(*palette, {5, 3}, Qt::ControlModifier);
    QSignalSpy changed(palette.get(), &MyPaletteWidget::myPaletteChanged);
    QTest::keySequence(palette.get(), QKeySequence::Paste);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(UserSettings::myPaletteEntry({4, 2}), m_fixture->harbourRed.index());
    QCOMPARE(palette->colorIdAt({5, 3}), m_fixture->harbourRed.rowId);

    QGuiApplication::clipboard()->setText(QStringLiteral("#808080"));
    QTest::keySequence(palette.get(), QKeySequence::Paste);
    QCOMPARE(palette->colorIdAt({4, 2}), m_fixture->harbourGrey.rowId);
    QGuiApplication::clipboard()->setText(QStringLiteral("no colour"));
    QTest::keySequence(palette.get(), QKeySequence::Paste);
    QCOMPARE(palette->colorIdAt({4, 2}), m_fixture->harbourGrey.rowId);
    QCOMPARE(changed.count(), 2);
}

// One step per gesture, back and forth through the settings; the stack's end leaves them be.
void TestMyPaletteWidget::undoAndRedoEveryGesture()
{
    const QString file = m_folder.filePath(QStringLiteral("undo.palette"));
    PaletteModel saved;
    saved.setEntry({5, 3}, m_fixture->quayGreen.index());
    saved.setDescription(QStringLiteral("Loaded"));
    QVERIFY(savePaletteFile(saved, PaletteXmlFile, file));

    QWidget window;
    auto *palette = new MyPaletteWidget(&window);
    palette->resize(400, 200);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QList<PaletteModel> states {stored()};
    click(*palette, {0, 0});
    click(*palette, {1, 0}, Qt::ControlModifier);
    QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->harbourBlue, {1, 0}));
    states << stored();
    click(*palette, {1, 0});
    emit button(*palette, "eraserButton")->clicked();
    states << stored();
    palette->descriptionEdit()->setText(QStringLiteral("Harbour walk"));
    emit palette->descriptionEdit()->editingFinished();
    emit palette->descriptionEdit()->editingFinished();
    states << stored();
    palette->loadPaletteFrom(PaletteXmlFile, file);
    states << stored();
    answerNextMessageBox(QMessageBox::Yes);
    emit button(*palette, "clearButton")->clicked();
    QTRY_VERIFY(palette->isEmpty());
    states << stored();
    QCOMPARE(palette->undoStack()->count(), 5);
    // The question box, hidden, keeps the activation offscreen.
    QApplication::setActiveWindow(&window);

    QSignalSpy changed(palette, &MyPaletteWidget::myPaletteChanged);
    for (int step = states.size() - 2; step >= 0; --step) {
        QTest::keySequence(&window, QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(stored(), states.at(step));
        QCOMPARE(palette->description(), states.at(step).description());
    }
    QCOMPARE(palette->colorIdAt({0, 0}), qint64(-1));
    for (int step = 1; step < states.size(); ++step) {
        QTest::keySequence(&window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(stored(), states.at(step));
    }
    QCOMPARE(changed.count(), 2 * (states.size() - 1));

    QTest::keySequence(&window, QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(palette->colorIdAt({5, 3}), m_fixture->quayGreen.rowId);
    palette->undoStack()->clear();
    delete palette;
    QCOMPARE(stored(), states.at(states.size() - 2));
}

void TestMyPaletteWidget::clicksSelect()
{
    const auto palette = newPalette();
    QSignalSpy selectionChanged(palette.get(), &MyPaletteWidget::myPaletteSelectionChanged);
    click(*palette, {1, 1});
    click(*palette, {2, 1}, Qt::ControlModifier);
    click(*palette, {4, 3}, Qt::ControlModifier);
    QCOMPARE(palette->selection(), (QList<QPoint> {{1, 1}, {2, 1}, {4, 3}}));
    click(*palette, {2, 1}, Qt::ControlModifier);
    QVERIFY(!UserSettings::myPaletteSelected({2, 1}));
    click(*palette, {0, 0}, Qt::ShiftModifier);
    QCOMPARE(palette->selection(), (QList<QPoint> {{1, 1}, {4, 3}}));
    click(*palette, {5, 0});
    QCOMPARE(palette->selection(), (QList<QPoint> {{5, 0}}));
    QVERIFY(UserSettings::myPaletteSelected({5, 0}));
    QVERIFY(!UserSettings::myPaletteSelected({1, 1}));
    QCOMPARE(selectionChanged.count(), 6);
}

void TestMyPaletteWidget::eraseAndClear()
{
    const auto palette = newPalette();
    QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->harbourRed, {0, 0}));
    QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->harbourBlue, {1, 0}));
    QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->quayGreen, {2, 0}));
    QSignalSpy changed(palette.get(), &MyPaletteWidget::myPaletteChanged);
    click(*palette, {1, 0});
    click(*palette, {3, 3}, Qt::ControlModifier);
    button(*palette, "eraserButton")->click();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(palette->colorIdAt({1, 0}), qint64(-1));
    QCOMPARE(UserSettings::myPaletteEntry({1, 0}), DB::ItemIndex());
    QCOMPARE(palette->selection().size(), 2);

    // Erasing empty cells changes nothing visible but is still reported; the button is
    // disabled then, but a keyboard shortcut may still reach the slot.
    QVERIFY(!button(*palette, "eraserButton")->isEnabled());
    QMetaObject::invokeMethod(palette.get(), "eraseClicked");
    QCOMPARE(changed.count(), 2);

    answerNextMessageBox(QMessageBox::No);
    button(*palette, "clearButton")->click();
    QTRY_COMPARE(palette->palette().filledCells().size(), 2);
    QTest::qWait(10);
    QCOMPARE(palette->palette().filledCells().size(), 2);
    answerNextMessageBox(QMessageBox::Yes);
    button(*palette, "clearButton")->click();
    QTRY_VERIFY(palette->isEmpty());
    QCOMPARE(UserSettings::myPaletteEntry({0, 0}), DB::ItemIndex());
    QCOMPARE(changed.count(), 3);
}

void TestMyPaletteWidget::arrowKeysMoveTheSelection_data()
{
    QTest::addColumn<QList<QPoint>>("selected");
    QTest::addColumn<QList<Qt::Key>>("keys");
    QTest::addColumn<QPoint>("end");
    QTest::newRow("from nothing to the first cell")
        << QList<QPoint> {} << QList<Qt::Key> {Qt::Key_Right} << QPoint(0, 0);
    QTest::newRow("right and down")
        << QList<QPoint> {{1, 1}} << QList<Qt::Key> {Qt::Key_Right, Qt::Key_Down} << QPoint(2, 2);
    QTest::newRow("not beyond the grid")
        << QList<QPoint> {{5, 3}} << QList<Qt::Key> {Qt::Key_Right, Qt::Key_Down} << QPoint(5, 3);
    QTest::newRow("from the last of several, which it replaces")
        << QList<QPoint> {{0, 0}, {3, 1}} << QList<Qt::Key> {Qt::Key_Left, Qt::Key_Up}
        << QPoint(2, 0);
}

void TestMyPaletteWidget::arrowKeysMoveTheSelection()
{
    QFETCH(QList<QPoint>, selected);
    QFETCH(QList<Qt::Key>, keys);
    QFETCH(QPoint, end);
    for (const QPoint &cell : selected)
        UserSettings::setMyPaletteSelected(cell, true);
    const auto palette = newPalette();
    QSignalSpy changed(palette.get(), &MyPaletteWidget::myPaletteSelectionChanged);
    for (const Qt::Key key : keys)
        QTest::keyClick(palette.get(), key);
    QCOMPARE(palette->selection(), QList<QPoint> {end});
    QCOMPARE(changed.count(), keys.size());
    for (const QPoint &cell : PaletteModel::cells())
        QCOMPARE(UserSettings::myPaletteSelected(cell), cell == end);
}

void TestMyPaletteWidget::deleteErasesTheSelectedCells()
{
    const auto palette = newPalette();
    QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->harbourRed, {0, 0}));
    QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->harbourBlue, {1, 0}));
    QSignalSpy changed(palette.get(), &MyPaletteWidget::myPaletteChanged);
    QTest::keyClick(palette.get(), Qt::Key_Delete);
    QCOMPARE(changed.count(), 0);
    click(*palette, {1, 0});
    QTest::keyClick(palette.get(), Qt::Key_Delete);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(UserSettings::myPaletteEntry({1, 0}), DB::ItemIndex());
    QCOMPARE(palette->colorIdAt({0, 0}), m_fixture->harbourRed.rowId);
}

void TestMyPaletteWidget::cellsAreAccessible()
{
    const auto palette = newPalette();
    QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->harbourRed, {2, 1}));
    click(*palette, {2, 1});
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(palette.get());
    QVERIFY(accessible);
    const int cells = PaletteModel::Rows * PaletteModel::Columns;
    // The buttons and the description field come before the cells.
    const int first = accessible->childCount() - cells;
    QVERIFY(first >= 5);
    QAccessibleInterface *red = accessible->child(first + 1 * PaletteModel::Columns + 2);
    QCOMPARE(red->role(), QAccessible::Cell);
    QCOMPARE(red->text(QAccessible::Name), QStringLiteral("H-101"));
    QCOMPARE(red->text(QAccessible::Description), QStringLiteral("Harbour, page 3, row 1"));
    QVERIFY(red->state().selected);
    const QRect rect = palette->cellRect({2, 1});
    QCOMPARE(red->rect(), QRect(palette->mapToGlobal(rect.topLeft()), rect.size()));
    QAccessibleInterface *empty = accessible->child(first + cells - 1);
    QCOMPARE(empty->text(QAccessible::Name), QStringLiteral("Empty cell, row 4, column 6"));
    QVERIFY(!empty->state().selected);
}

void TestMyPaletteWidget::buttonStates()
{
    const auto palette = newPalette();
    const auto states = [&palette] {
        return QList<bool> {button(*palette, "zoomButton")->isEnabled(),
                            button(*palette, "eraserButton")->isEnabled(),
                            button(*palette, "clearButton")->isEnabled(),
                            button(*palette, "gridButton")->isEnabled()};
    };
    QCOMPARE(states(), (QList<bool> {false, false, false, true}));
    click(*palette, {0, 0});
    QCOMPARE(states(), (QList<bool> {false, false, false, true}));
    QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->harbourRed, {1, 0}));
    QCOMPARE(states(), (QList<bool> {true, false, true, true}));
    click(*palette, {1, 0}, Qt::ControlModifier);
    QCOMPARE(states(), (QList<bool> {true, true, true, true}));
}

void TestMyPaletteWidget::contentPersistsAcrossInstances()
{
    {
        const auto palette = newPalette();
        QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->harbourGrey, {2, 3}));
        click(*palette, {2, 3});
        button(*palette, "gridButton")->click();
        palette->descriptionEdit()->setText(QStringLiteral("Hall"));
        emit palette->descriptionEdit()->editingFinished();
    }
    // A stored chip whose collection is gone shows empty and keeps its key.
    const DB::ItemIndex gone {QUuid::createUuid(), 1, 1};
    UserSettings::setMyPaletteEntry({0, 0}, gone);
    const auto palette = newPalette();
    QCOMPARE(palette->colorIdAt({2, 3}), m_fixture->harbourGrey.rowId);
    QCOMPARE(palette->colorAt({2, 3}), m_fixture->harbourGrey.color);
    QCOMPARE(palette->colorAt({0, 0}), QColor(Qt::transparent));
    QCOMPARE(UserSettings::myPaletteEntry({0, 0}), gone);
    QCOMPARE(palette->selection(), (QList<QPoint> {{2, 3}}));
    QVERIFY(!button(*palette, "gridButton")->isChecked());
    QCOMPARE(palette->description(), QStringLiteral("Hall"));
}

void TestMyPaletteWidget::loadingReplacesCellsButNotTheSelection()
{
    PaletteModel file;
    file.setDescription(QStringLiteral("From a file"));
    file.setEntry({4, 1}, m_fixture->quayRed.index());
    const QString path = m_folder.filePath(QStringLiteral("load.palette"));
    QVERIFY(savePaletteFile(file, PaletteXmlFile, path));
    const QString broken = m_folder.filePath(QStringLiteral("broken.palette"));
    QFile brokenFile(broken);
    QVERIFY(brokenFile.open(QIODevice::WriteOnly));
    brokenFile.write("<orvo-palette version=\"3.1\" system=\"multi-collection\"/>");
    brokenFile.close();

    const auto palette = newPalette();
    QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->harbourRed, {0, 0}));
    click(*palette, {0, 0});
    click(*palette, {5, 3}, Qt::ControlModifier);
    QSignalSpy changed(palette.get(), &MyPaletteWidget::myPaletteChanged);

    palette->loadPaletteFrom(PaletteXmlFile, broken);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(palette->colorIdAt({0, 0}), m_fixture->harbourRed.rowId);

    palette->loadPaletteFrom(PaletteXmlFile, m_folder.filePath(QStringLiteral("missing")));
    QCOMPARE(changed.count(), 1);

    palette->loadPaletteFrom(PaletteXmlFile, path);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(palette->palette().filledCells(), (QList<QPoint> {{4, 1}}));
    QCOMPARE(UserSettings::myPaletteEntry({0, 0}), DB::ItemIndex());
    QCOMPARE(UserSettings::myPaletteEntry({4, 1}), m_fixture->quayRed.index());
    QCOMPARE(palette->description(), QStringLiteral("From a file"));
    QCOMPARE(UserSettings::myPaletteDescription(), QStringLiteral("From a file"));
    QCOMPARE(palette->selection(), (QList<QPoint> {{0, 0}, {5, 3}}));
}

void TestMyPaletteWidget::failedSaveSaysSo()
{
    const auto palette = newPalette();
    QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->harbourRed, {0, 0}));
    const QString path = m_folder.filePath(QStringLiteral("gone/mine.palette"));
    QString said;
    answerNextMessageBox(QMessageBox::Ok, &said);
    palette->savePaletteTo(PaletteXmlFile, path);
    QVERIFY2(said.contains(path), qPrintable(said));
    // The fixture lacks the text; the built-in one stands in for the key.
    QVERIFY(said.contains(QStringLiteral("My Palette could not be saved.")));
}

void TestMyPaletteWidget::loadingSaysWhatHappened_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("said");
    QTest::addColumn<int>("filled");
    const QByteArray start("<orvo-palette version=\"3.0\" system=\"multi-collection\">");
    const QString chip
        = QStringLiteral("<chip row=\"0\" col=\"%1\"><entry uuid-of-collection=\"%2\" "
                         "page-index=\"3\" row-index=\"1\" color-code=\"H-101\"/></chip>");
    const QUuid gone = QUuid::createUuid();
    QTest::newRow("not XML") << QByteArray("ItemIndex(1,2,3)") << "not a palette file" << 1;
    QTest::newRow("another root") << QByteArray("<palette version=\"3.0\"/>")
                                  << "not a palette file" << 1;
    QTest::newRow("newer version") << QByteArray("<orvo-palette version=\"4.0\" system=\"x\"/>")
                                   << "version 4.0 is not supported" << 1;
    QTest::newRow("Latin-1") << start + "<description>Caf\xe9</description></orvo-palette>"
                             << "not UTF-8 text" << 1;
    QTest::newRow("broken off") << start + "\n<description>\n<chips>"
                                << "damaged XML at line 3" << 1;
    QTest::newRow("a collection not installed")
        << start + "<chips>" + chip.arg(0).arg(PaletteFixture::Harbour.toString()).toUtf8()
            + chip.arg(1).arg(gone.toString()).toUtf8() + chip.arg(2).arg(gone.toString()).toUtf8()
            + "</chips></orvo-palette>"
        << QStringLiteral("2 of the file's cells were left empty: their colours are not installed "
                          "here.\nCollections not installed: %1")
               .arg(gone.toString())
        << 1;
}

// A refused file changes nothing and says why; a file that leaves cells empty says how many.
void TestMyPaletteWidget::loadingSaysWhatHappened()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, said);
    QFETCH(int, filled);
    const QString path = m_folder.filePath(QStringLiteral("told.palette"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const auto palette = newPalette();
    QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->harbourBlue, {5, 3}));
    palette->loadPaletteFrom(PaletteXmlFile, path);
    const QList<QMessageBox *> boxes = palette->findChildren<QMessageBox *>();
    QCOMPARE(boxes.size(), 1);
    QVERIFY(boxes.first()->isVisible());
    const QString shown = boxes.first()->text() + u'\n' + boxes.first()->informativeText();
    QVERIFY2(shown.contains(said), qPrintable(shown));
    QCOMPARE(palette->palette().filledCells().size(), filled);
}

void TestMyPaletteWidget::paintsChipsAndSelection()
{
    const auto palette = newPalette();
    QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->harbourBlue, {1, 2}));
    click(*palette, {1, 2});
    const QImage image = palette->grab().toImage();
    const QRect cell = palette->cellRect({1, 2});
    QCOMPARE(image.pixelColor(centreOf(cell)), m_fixture->harbourBlue.color);
    // The selection frame lies just right of the cell; grid lines outline empty cells too.
    QVERIFY(qGray(image.pixel(cell.right() + 2, cell.center().y())) > 240);
    QCOMPARE(image.pixelColor(palette->cellRect({4, 0}).topLeft()), QColor(64, 64, 64));
}

void TestMyPaletteWidget::enlargedViewPaintsStoredChips()
{
    UserSettings::setMyPaletteEntry({0, 0}, m_fixture->quayGreen.index());
    UserSettings::setMyPaletteEntry({1, 0}, {QUuid::createUuid(), 1, 1});
    UserSettings::setMyPaletteFullBackgroundColor(120);
    MyPaletteFullWidget full;
    full.resize(800, 600);
    full.show();
    QSignalSpy back(&full, &MyPaletteFullWidget::backButtonClicked);
    QCOMPARE(full.backgroundSlider()->value(), 120);
    QCOMPARE(full.cellRect({0, 0}).size(), QSize(112, 62));

    QImage image = full.grab().toImage();
    QCOMPARE(image.pixelColor(centreOf(full.cellRect({0, 0}))), m_fixture->quayGreen.color);
    QCOMPARE(image.pixelColor(centreOf(full.cellRect({1, 0}))), QColor(Qt::white));

    QTest::mouseClick(&full, Qt::LeftButton, {}, centreOf(full.cellRect({0, 0})));
    QCOMPARE(full.magnifiedColor(), std::optional<QColor>(m_fixture->quayGreen.color));
    image = full.grab().toImage();
    QCOMPARE(image.pixelColor(centreOf(full.cellRect({5, 3}))), m_fixture->quayGreen.color);
    QTest::mouseClick(&full, Qt::LeftButton, {}, QPoint(5, 300));
    QVERIFY(!full.magnifiedColor());

    full.backgroundSlider()->setValue(40);
    QCOMPARE(UserSettings::myPaletteFullBackgroundColor(), 40);
    QCOMPARE(full.grab().toImage().pixelColor(5, 300), QColor(40, 40, 40));
    QTest::mouseClick(&full, Qt::LeftButton, {}, centreOf(full.cellRect({0, 0})));
    full.findChild<ImageButton *>()->click();
    QVERIFY(!full.magnifiedColor());
    QCOMPARE(back.count(), 1);
}

void TestMyPaletteWidget::enlargedViewShowsTheDockedPalettesChanges()
{
    const auto palette = newPalette();
    MyPaletteFullWidget full(nullptr, palette->model());
    full.resize(800, 600);
    QVERIFY(dropChip(*palette, CardRollerDndSource, m_fixture->harbourRed, {3, 2}));
    QCOMPARE(full.grab().toImage().pixelColor(centreOf(full.cellRect({3, 2}))),
             m_fixture->harbourRed.color);
}

// A stored cell whose page is not its chip's, or not its collection's, names no chip: it is
// drawn, saved and exported as empty, however its row ID would read alone.
void TestMyPaletteWidget::ghostCellsAreEmptyEverywhere()
{
    const DB::ItemIndex ghost {PaletteFixture::Harbour, m_fixture->harbourRed.pageId + 1000,
                               m_fixture->harbourRed.rowId};
    UserSettings::setMyPaletteEntry({0, 0}, ghost);
    UserSettings::setMyPaletteEntry({1, 0}, m_fixture->harbourBlue.index());
    const auto palette = newPalette();
    QCOMPARE(palette->colorAt({0, 0}), QColor(Qt::transparent));
    const QImage image = palette->grab().toImage();
    QCOMPARE(image.pixelColor(centreOf(palette->cellRect({0, 0}))),
             image.pixelColor(centreOf(palette->cellRect({2, 0}))));
    MyPaletteFullWidget full;
    full.resize(800, 600);
    QCOMPARE(full.grab().toImage().pixelColor(centreOf(full.cellRect({0, 0}))), QColor(Qt::white));

    PaletteModel model;
    model.setEntry({0, 0}, ghost);
    model.setEntry({1, 0}, m_fixture->harbourBlue.index());
    QCOMPARE(exportColors(model, false).size(), 1);
    const QByteArray file = paletteFileBytes(model, PaletteXmlFile);
    QVERIFY(file.contains("H-102"));
    QCOMPARE(file.count("<chip "), 1);
}

QTEST_MAIN(TestMyPaletteWidget)
#include "tst_mypalettewidget.moc"
