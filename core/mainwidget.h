#pragma once

#include "core/enumerations.h"
#include "db/colorentry.h"
#include "palette/swatchfile.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QMetaObject>
#include <QRect>
#include <QString>
#include <QUuid>
#include <QWidget>

#include <functional>

class QFileSystemWatcher;
class QLabel;
class QPropertyAnimation;
class QTemporaryFile;
class QUrl;

namespace Sorven {

class CardRollerWidget;
class CollectionSelectWidget;
class ColorSchemerPolvaroneWidget;
class ColorSchemerWidget;
class ColorWheelWidget;
class EyedropperButton;
class MoodSelectWidget;
class MyPaletteFullWidget;
class MyPaletteWidget;
class ProductsWidget;
class SearchWidget;
class TabBarWidget;
class TaskButton;
class TexturesWidget;
class TrendoraWidget;

// The surface that fills the palette window. It creates and places every browsing widget, and
// it is the one receiver of their interactive changes: it stores the navigation state in the
// user settings, repaints and refreshes what depends on it, and switches collections.
class MainWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MainWidget)

public:
    // The platform's file dialog and desktop handler, replaceable so that nothing blocks or
    // launches where no user is present.
    using FileDialog
        = std::function<QString(QWidget *parent, const QString &caption, const QString &path,
                                const QString &filters, QString *selectedFilter)>;
    using UrlOpener = std::function<bool(const QUrl &url)>;

    // Task buttons the palette itself creates; the host adds the about button and ids from
    // FirstExtraTaskButton on.
    enum TaskButtonId : quint16 {
        SaveTaskButton = 1,
        LoadTaskButton = 2,
        HelpTaskButton = 3,
        AboutTaskButton = 4,
        ScheduleTaskButton = 5,
        FirstExtraTaskButton = 1000,
    };

    explicit MainWidget(QWidget *parent = nullptr);
    ~MainWidget() override;

    // The palette surface of the process, or null; set before any child widget is created.
    static MainWidget *instance();

    // The button with that id, or a hidden default button.
    TaskButton *taskButton(quint16 id) const;
    // The docked My Palette, which the colour book export reads.
    MyPaletteWidget *myPalette() const { return m_myPalette; }
    // Adds the button after afterId in the row (at the end when afterId is not there). An id
    // already present keeps its button.
    quint16 addTaskButton(quint16 id, int afterId);
    quint16 addAboutButton();
    quint16 addExtraTaskButton(int afterId);

    void setSaveFileDialog(FileDialog dialog);
    void setOpenFileDialog(FileDialog dialog);
    void setUrlOpener(UrlOpener opener);

signals:
    void selectedCollectionChanged(QUuid collectionId);
    void savePaletteTo(Sorven::PaletteFileFormat fileFormat, QString path);
    void exportPaletteTo(Sorven::SwatchFileFormat fileFormat, QString path);
    void loadPaletteFrom(Sorven::PaletteFileFormat expectedFileFormat, QString path);
    void onCapsureFileChanged(QString path);
    void myPaletteChanged();
    void myPaletteSelectionChanged();
    void anEditBoxGotFocus();
    void anEditBoxLostFocus();

public slots:
    void onMyPaletteChanged();
    void onMyPaletteSelectionChanged();
    void collectionChangedInteractively(QUuid collectionId);
    void segmentChangedInteractivelyByWheel(int newSegment);
    void moodFilterChangedInteractively(Sorven::Mood mood);
    void exteriorFilterChangedInteractively(bool exterior);
    void showMtoChangedInteractively(bool showMto);
    void rollCards(Sorven::Direction dir);
    void pageChangedInteractively(int pageIndex);
    void rowChangedInteractively(int rowIndex);
    void searchForPhrase(QString phrase);
    void tabPageSelected(Sorven::TabBarPage page);
    void schemeKindChangedInteractively(Sorven::SchemeKind kind);
    void schemeNeutralSubKindChangedInteractively(Sorven::SchemeKind kind);
    void saveButtonClicked();
    void loadButtonClicked();
    void scheduleButtonClicked();
    void helpButtonClicked();
    void capsureDirectoryChanged(QString path);
    void capsureFileChanged(QString path);
    void capsureItemSelectedInteractively(QUuid collectionId, Sorven::DB::ColorEntry colorEntry);
    void linkActivated(QString link);
    void zoomMyPaletteClicked();
    void unzoomMyPaletteClicked();
    void unzoomMyPaletteAnimationFinished();
    void onKeyboardFocusChanged(QWidget *old, QWidget *now);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TaskButton *createTaskButton(quint16 id, int afterId);
    void createChildren();
    void connectChildren();
    QLabel *createLinkLabel();
    void setTaskButtonTexts(const QUuid &uuid);
    void prepareForCollection(const QUuid &uuid);
    void resolveCapsurePaths(const QUuid &uuid);
    void layoutContents();
    QRect layoutLabels(QRect content);
    void layoutTaskButtons();
    void showTabPage(TabBarPage page);
    QWidget *activeSchemer() const;
    void refreshDetailPanes();
    bool storeSegment(const QUuid &uuid, int segment);
    void applyFilters(const QUuid &uuid);
    QString paletteStartPath(const QUuid &uuid) const;
    void refreshSaveButton();
    QTemporaryFile *linkDocument(const QString &link);
    void openUrl(const QUrl &url);
    void setupCapsureWatch();
    void loadCollection(const QUuid &uuid);
    void refuseCollection(const QString &problem);
    void showReadState(const QUuid &uuid, const QString &problem);
    bool isShownUnavailable() const;
    void recheckCollection();
    void watchDatabase(const QUuid &uuid);

    QImage m_background;
    QImage m_banner;
    QRect m_bannerRect;
    QString m_headerLink;
    // Owned through parentage; removed from disk with the widget.
    QHash<QString, QTemporaryFile *> m_linkDocuments;
    CollectionSelectWidget *m_collectionSelect = nullptr;
    ColorWheelWidget *m_colorWheel = nullptr;
    MoodSelectWidget *m_moodSelect = nullptr;
    SearchWidget *m_search = nullptr;
    EyedropperButton *m_eyedropper = nullptr;
    CardRollerWidget *m_cardRoller = nullptr;
    TabBarWidget *m_tabBar = nullptr;
    ColorSchemerWidget *m_colorSchemer = nullptr;
    ColorSchemerPolvaroneWidget *m_polvaroneSchemer = nullptr;
    TrendoraWidget *m_trendora = nullptr;
    TexturesWidget *m_textures = nullptr;
    ProductsWidget *m_products = nullptr;
    MyPaletteWidget *m_myPalette = nullptr;
    MyPaletteFullWidget *m_myPaletteFull = nullptr;
    QPropertyAnimation *m_myPaletteAnimation = nullptr;
    QMetaObject::Connection m_unzoomFinished;
    TaskButton *m_defaultTaskButton = nullptr;
    QHash<quint16, TaskButton *> m_taskButtons;
    QList<quint16> m_taskButtonOrder;
    QLabel *m_noticeLabel = nullptr;
    QLabel *m_mottoLabel = nullptr;
    QFileSystemWatcher *m_capsureWatcher = nullptr;
    // Where the panes are while the collection's database cannot be read: the reason.
    QLabel *m_unavailableLabel = nullptr;
    // The collection's database file, so that a file that reads again is used again.
    QFileSystemWatcher *m_databaseWatcher = nullptr;
    QString m_capsureFolder;
    QString m_capsureFile;
    // The palette file and the text list in PaletteFileFormat order, then the swatch exports in
    // SwatchFileFormat order.
    QStringList m_saveFileFilters;
    FileDialog m_saveFileDialog;
    FileDialog m_openFileDialog;
    UrlOpener m_urlOpener;
};

} // namespace Sorven
