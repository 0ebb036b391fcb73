#include "core/mainwidget.h"

#include "core/collectionsettings.h"
#include "core/interfacefonts.h"
#include "core/linktargets.h"
#include "core/platformpaths.h"
#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/displaytext.h"
#include "db/lookups.h"
#include "db/search.h"
#include "harmonizer/colorschemerpolvaronewidget.h"
#include "harmonizer/colorschemerwidget.h"
#include "palette/collectioncolortable.h"
#include "palette/colorscheduleexport.h"
#include "palette/mypalettefullwidget.h"
#include "palette/mypalettemodel.h"
#include "palette/mypalettewidget.h"
#include "palette/savefailuremessage.h"
#include "widgets/aboutbutton.h"
#include "widgets/cardrollerwidget.h"
#include "widgets/collectionselectwidget.h"
#include "widgets/colorwheelwidget.h"
#include "widgets/equivalentsmenu.h"
#include "widgets/eyedropperbutton.h"
#include "widgets/helpbutton.h"
#include "widgets/moodselectwidget.h"
#include "widgets/painting.h"
#include "widgets/productswidget.h"
#include "widgets/searchwidget.h"
#include "widgets/tabbarwidget.h"
#include "widgets/taskbutton.h"
#include "widgets/textureswidget.h"
#include "widgets/trendorawidget.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QTemporaryFile>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace Sorven {

namespace {

const QSize SurfaceSize(800, 600);
const int BannerHeight = 70;
const int SchemerHeight = 226;
const int MaximumTaskButtonHeight = 23;
const int TaskButtonGap = 4;

const QString CopyrightLink = QStringLiteral("links/copyright");
const QString MottoLink = QStringLiteral("links/motto");
const QString HeaderLink = QStringLiteral("links/header");

MainWidget *s_instance = nullptr;

QString linkLabelText(const QString &link, const QString &html)
{
    return QStringLiteral("<a href=\"%1\"><span style=\"text-decoration: none; color: "
                          "#ffffff;\">%2</span></a>")
        .arg(link, html);
}

// Shows a collection's text in a link label on one line: its inline formatting made inert, so
// the label loads no image or other resource the text names; a text with a line break or wider
// than room shows as elided plain text. Answers the size the shown text needs.
QSize showLinkText(QLabel *label, const QString &link, const QString &text, int room)
{
    const QFontMetrics metrics = label->fontMetrics();
    QString html = DB::inertRichText(DB::boundedDisplayText(text));
    QString plain = QTextDocumentFragment::fromHtml(html).toPlainText();
    if (plain.contains(u'\n') || metrics.horizontalAdvance(plain) > room) {
        plain = metrics.elidedText(plain.replace(u'\n', u' '), Qt::ElideRight, room);
        html = plain.toHtmlEscaped();
    }
    label->setText(linkLabelText(link, html));
    return metrics.size(Qt::TextSingleLine, plain);
}

bool isIconButton(quint16 id)
{
    return id == MainWidget::HelpTaskButton || id == MainWidget::AboutTaskButton;
}

// The first page of the collection's tab order that it offers.
TabBarPage firstAvailableTabPage(const QUuid &uuid)
{
    const TabBarPages available = CollectionSettings::availableTabBarPages(uuid);
    for (const TabBarPage page : CollectionSettings::tabBarPages(uuid)) {
        if ((available & page) == page && !(page == NoTabBarPage && available))
            return page;
    }
    return NoTabBarPage;
}

// The save dialog's filters: the palette's own two formats, then the swatch exports.
constexpr int FirstSwatchFilter = 2;

QString localizedFilter(const QUuid &uuid, const char *key, const char *pattern)
{
    return QStringLiteral("%1 (%2)").arg(DB::localeString(uuid, QString::fromLatin1(key)),
                                         QLatin1String(pattern));
}

} // namespace

MainWidget::MainWidget(QWidget *parent)
    : QWidget(parent),
      m_saveFileDialog([](QWidget *parent, const QString &caption, const QString &path,
                          const QString &filters, QString *selectedFilter) {
          return QFileDialog::getSaveFileName(parent, caption, path, filters, selectedFilter);
      }),
      m_openFileDialog([](QWidget *parent, const QString &caption, const QString &path,
                          const QString &filters, QString *selectedFilter) {
          return QFileDialog::getOpenFileName(parent, caption, path, filters, selectedFilter);
      }),
      m_urlOpener([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    // The nearest-chip search may run while the children are being built.
    s_instance = this;
    setObjectName(QStringLiteral("MainWidget"));
    setFixedSize(SurfaceSize);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFont(regularFont(2));
    m_defaultTaskButton = new TaskButton(this);
    m_defaultTaskButton->hide();
    createTaskButton(SaveTaskButton, 0);
    createTaskButton(LoadTaskButton, SaveTaskButton);
    createTaskButton(ScheduleTaskButton, LoadTaskButton);
    createTaskButton(HelpTaskButton, ScheduleTaskButton);

    const QUuid uuid = UserSettings::lastUsedCollection();
    prepareForCollection(uuid);
    QPalette palette = this->palette();
    palette.setBrush(QPalette::Window, QBrush(m_background));
    palette.setBrush(QPalette::Base, QBrush(m_background));
    setPalette(palette);
    createChildren();

    setTaskButtonTexts(uuid);
    refreshSaveButton();
    connect(taskButton(SaveTaskButton), &QPushButton::clicked, this,
            &MainWidget::saveButtonClicked);
    connect(taskButton(LoadTaskButton), &QPushButton::clicked, this,
            &MainWidget::loadButtonClicked);
    connect(taskButton(ScheduleTaskButton), &QPushButton::clicked, this,
            &MainWidget::scheduleButtonClicked);
    connect(taskButton(HelpTaskButton), &QPushButton::clicked, this,
            &MainWidget::helpButtonClicked);

    m_noticeLabel = createLinkLabel();
    m_mottoLabel = createLinkLabel();

    m_saveFileFilters = {
        localizedFilter(uuid, "common.filedialog.palettefile.filtername", "*.palette"),
        localizedFilter(uuid, "common.filedialog.textfile.filtername", "*.txt"),
        localizedFilter(uuid, "common.filedialog.gimpfile.filtername", "*.gpl"),
        localizedFilter(uuid, "common.filedialog.asefile.filtername", "*.ase"),
    };
    layoutContents();
    showTabPage(UserSettings::tabPageIndex(uuid));

    m_capsureWatcher = new QFileSystemWatcher(this);
    m_capsureWatcher->blockSignals(true);
    setupCapsureWatch();
    m_databaseWatcher = new QFileSystemWatcher(this);
    connect(m_databaseWatcher, &QFileSystemWatcher::fileChanged, this, [this] {
        watchDatabase(UserSettings::lastUsedCollection());
        recheckCollection();
    });
    watchDatabase(uuid);
    DB::selectCollection(uuid);
    showReadState(uuid, DB::collectionReadProblem(uuid));

    connectChildren();
    emit onCapsureFileChanged(m_capsureFile);
    // Told after the event that wrote, so that no drop or click is held up by the message.
    UserSettings::setWriteFailureHandler([this](const UserSettings::WriteFailure &failure) {
        QTimer::singleShot(0, this, [this, failure] {
            showSettingsFailure(this, UserSettings::lastUsedCollection(), failure);
        });
    });
}

MainWidget::~MainWidget()
{
    // Destroying the children moves the focus, which must not reach this half-destroyed widget.
    disconnect(qApp, &QApplication::focusChanged, this, &MainWidget::onKeyboardFocusChanged);
    UserSettings::setWriteFailureHandler({});
    if (s_instance == this)
        s_instance = nullptr;
    clearCollectionColorTable();
}

MainWidget *MainWidget::instance()
{
    return s_instance;
}

TaskButton *MainWidget::taskButton(quint16 id) const
{
    return m_taskButtons.value(id, m_defaultTaskButton);
}

quint16 MainWidget::addTaskButton(quint16 id, int afterId)
{
    createTaskButton(id, afterId);
    layoutTaskButtons();
    return id;
}

quint16 MainWidget::addAboutButton()
{
    return addTaskButton(AboutTaskButton, 0);
}

quint16 MainWidget::addExtraTaskButton(int afterId)
{
    quint16 largest = FirstExtraTaskButton - 1;
    for (const quint16 id : m_taskButtonOrder)
        largest = std::max(largest, id);
    return addTaskButton(largest + 1, afterId);
}

void MainWidget::setSaveFileDialog(FileDialog dialog)
{
    m_saveFileDialog = std::move(dialog);
}

void MainWidget::setOpenFileDialog(FileDialog dialog)
{
    m_openFileDialog = std::move(dialog);
}

void MainWidget::setUrlOpener(UrlOpener opener)
{
    m_urlOpener = std::move(opener);
}

void MainWidget::onMyPaletteChanged()
{
    refreshSaveButton();
    emit myPaletteChanged();
}

// An empty palette has nothing to save or list.
void MainWidget::refreshSaveButton()
{
    taskButton(SaveTaskButton)->setEnabled(!m_myPalette->isEmpty());
    taskButton(ScheduleTaskButton)->setEnabled(!m_myPalette->isEmpty());
}

void MainWidget::onMyPaletteSelectionChanged()
{
    emit myPaletteSelectionChanged();
}

// A collection whose database cannot be read is not switched to: nothing of it could be shown,
// and a position stored from it would be another collection's. Choosing the current collection
// again reads it again when it is shown as unavailable.
void MainWidget::collectionChangedInteractively(QUuid collectionId)
{
    if (!DB::availableCollections().contains(collectionId))
        return;
    const bool current = collectionId == UserSettings::lastUsedCollection();
    if (current && !isShownUnavailable())
        return;
    if (const QString problem = DB::collectionReadProblem(collectionId); !problem.isEmpty()) {
        if (current)
            showReadState(collectionId, problem);
        else
            refuseCollection(problem);
        return;
    }
    loadCollection(collectionId);
}

void MainWidget::loadCollection(const QUuid &collectionId)
{
    m_capsureFolder.clear();
    m_capsureFile.clear();
    setupCapsureWatch();
    UserSettings::setLastUsedCollection(collectionId);
    DB::selectCollection(collectionId);
    DB::loadNameOrders(collectionId);
    CollectionSettings::setCurrentCollection(collectionId);
    prepareForCollection(collectionId);

    // The children reload one after another; none of the half-done states is shown.
    setEnabled(false);
    setCursor(Qt::WaitCursor);
    setUpdatesEnabled(false);
    emit selectedCollectionChanged(collectionId);
    showTabPage(UserSettings::tabPageIndex(collectionId));
    setTaskButtonTexts(collectionId);
    layoutContents();
    setupCapsureWatch();
    emit onCapsureFileChanged(m_capsureFile);
    showReadState(collectionId, {});
    watchDatabase(collectionId);
    setUpdatesEnabled(true);
    setCursor(Qt::ArrowCursor);
    setEnabled(true);
}

void MainWidget::refuseCollection(const QString &problem)
{
    // The selector shows the collection in use again.
    m_collectionSelect->update();
    const QUuid current = UserSettings::lastUsedCollection();
    auto *box = new QMessageBox(
        QMessageBox::Warning,
        DB::localeString(current, QStringLiteral("common.error.dialog.caption")),
        DB::localeString(current, QStringLiteral("collection.unavailable.switch")).arg(problem),
        QMessageBox::Ok, this);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// One line in place of the panes; the browsing widgets take no input meanwhile, so that nothing
// is stored from what an unreadable database answers.
void MainWidget::showReadState(const QUuid &uuid, const QString &problem)
{
    const bool readable = problem.isEmpty();
    for (QWidget *widget : std::initializer_list<QWidget *> {
             m_colorWheel, m_moodSelect, m_search, m_cardRoller, m_tabBar, m_colorSchemer,
             m_polvaroneSchemer, m_trendora, m_textures, m_products})
        widget->setEnabled(readable);
    // The panes come back with the tab page shown when the collection is loaded again.
    m_tabBar->setVisible(readable);
    if (!readable) {
        for (QWidget *pane : std::initializer_list<QWidget *> {m_colorSchemer, m_polvaroneSchemer,
                                                               m_trendora, m_textures, m_products})
            pane->hide();
        m_unavailableLabel->setText(
            DB::localeString(uuid, QStringLiteral("collection.unavailable")).arg(problem));
    }
    m_unavailableLabel->setVisible(!readable);
    m_unavailableLabel->raise();
}

bool MainWidget::isShownUnavailable() const
{
    return m_unavailableLabel->isVisibleTo(this);
}

// A collection that reads again is loaded again, so that texts and images asked for while it
// could not be read are asked for anew.
void MainWidget::recheckCollection()
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    const QString problem = DB::collectionReadProblem(uuid);
    if (problem.isEmpty() && isShownUnavailable())
        loadCollection(uuid);
    else
        showReadState(uuid, problem);
}

// A file replaced by another one is a new file to the watcher, so the path is watched anew.
void MainWidget::watchDatabase(const QUuid &uuid)
{
    if (!m_databaseWatcher->files().isEmpty())
        m_databaseWatcher->removePaths(m_databaseWatcher->files());
    if (const DB::CollectionInfo *info = DB::collectionRegistry().find(uuid))
        m_databaseWatcher->addPath(info->databasePath);
}

void MainWidget::segmentChangedInteractivelyByWheel(int newSegment)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    if (!storeSegment(uuid, newSegment))
        return;
    int pageIndex = 0;
    if (DB::findFirstPageIndex(uuid, newSegment, UserSettings::moodFilter(uuid),
                               UserSettings::exteriorColors(uuid), pageIndex)
        == DB::Success) {
        UserSettings::setPageIndex(uuid, pageIndex);
        refreshDetailPanes();
    }
    m_cardRoller->update();
}

void MainWidget::moodFilterChangedInteractively(Mood mood)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    if (mood == UserSettings::moodFilter(uuid))
        return;
    UserSettings::setMoodFilter(uuid, mood);
    applyFilters(uuid);
}

void MainWidget::exteriorFilterChangedInteractively(bool exterior)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    if (exterior == UserSettings::exteriorColors(uuid))
        return;
    UserSettings::setExteriorColors(uuid, exterior);
    applyFilters(uuid);
}

void MainWidget::showMtoChangedInteractively(bool showMto)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    if (showMto == UserSettings::showMto(uuid))
        return;
    UserSettings::setShowMto(uuid, showMto);
    applyFilters(uuid);
}

void MainWidget::rollCards(Direction dir)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    const std::optional<DB::ColorPage> page = m_cardRoller->rollTarget(dir);
    if (!page || page->pageIndex == UserSettings::pageIndex(uuid))
        return;
    storeSegment(uuid, page->segment);
    UserSettings::setPageIndex(uuid, page->pageIndex);
    m_cardRoller->update();
    refreshDetailPanes();
}

void MainWidget::pageChangedInteractively(int pageIndex)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    if (pageIndex == UserSettings::pageIndex(uuid))
        return;
    UserSettings::setPageIndex(uuid, pageIndex);
    m_cardRoller->update();
    refreshDetailPanes();
}

void MainWidget::rowChangedInteractively(int rowIndex)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    if (rowIndex == UserSettings::rowIndex(uuid))
        return;
    UserSettings::setRowIndex(uuid, rowIndex);
    m_cardRoller->update();
    refreshDetailPanes();
}

void MainWidget::searchForPhrase(QString phrase)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    int pageIndex = 0;
    int rowIndex = 0;
    int segment = 0;
    int mood = 0;
    bool exterior = false;
    if (DB::findPhrase(uuid, phrase, pageIndex, rowIndex, segment, mood, exterior) != DB::Success)
        return;
    if (segment > 0)
        storeSegment(uuid, segment);

    bool filtersChanged = false;
    if (!exterior && UserSettings::exteriorColors(uuid)) {
        UserSettings::setExteriorColors(uuid, false);
        filtersChanged = true;
    }
    const Mood filter = UserSettings::moodFilter(uuid);
    Mood wanted = filter;
    // The all-moods filter leaves out offwhite and neutral pages, so a match there needs its
    // own mood as the filter.
    if (mood == MoodOffwhite || mood == MoodNeutral)
        wanted = static_cast<Mood>(mood);
    else if (filter != MoodAll && filter != mood)
        wanted = MoodAll;
    if (wanted != filter) {
        UserSettings::setMoodFilter(uuid, wanted);
        filtersChanged = true;
    }
    if (filtersChanged)
        m_moodSelect->update();

    bool positionChanged = false;
    if (pageIndex > 0 && pageIndex != UserSettings::pageIndex(uuid)) {
        UserSettings::setPageIndex(uuid, pageIndex);
        positionChanged = true;
    }
    if (rowIndex > 0 && rowIndex != UserSettings::rowIndex(uuid)) {
        UserSettings::setRowIndex(uuid, rowIndex);
        positionChanged = true;
    }
    if (positionChanged)
        refreshDetailPanes();
    if (positionChanged || filtersChanged)
        m_cardRoller->update();
}

void MainWidget::tabPageSelected(TabBarPage page)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    if (page == UserSettings::tabPageIndex(uuid))
        return;
    UserSettings::setTabPageIndex(uuid, page);
    m_tabBar->update();
    showTabPage(page);
}

void MainWidget::schemeKindChangedInteractively(SchemeKind kind)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    if (kind == UserSettings::schemeKind(uuid))
        return;
    UserSettings::setSchemeKind(uuid, kind);
    refreshDetailPanes();
}

void MainWidget::schemeNeutralSubKindChangedInteractively(SchemeKind kind)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    if (kind == UserSettings::schemeNeutralSubKind(uuid))
        return;
    UserSettings::setSchemeNeutralSubKind(uuid, kind);
    refreshDetailPanes();
}

void MainWidget::saveButtonClicked()
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    // The exports for other tools come with the text list: all of them give the colours away
    // outside the palette file.
    const bool textAllowed = CollectionSettings::savePaletteTextFormat(uuid, false);
    const QStringList filters = textAllowed ? m_saveFileFilters : m_saveFileFilters.mid(0, 1);
    QString selectedFilter = textAllowed && UserSettings::myPaletteSaveAsText()
        ? filters.at(PaletteTextFile)
        : filters.first();
    const QString path = m_saveFileDialog(
        this,
        DB::localeString(uuid, QStringLiteral("common.filedialog.palettefile.savedialogcaption")),
        paletteStartPath(uuid), filters.join(QStringLiteral(";;")), &selectedFilter);
    if (path.isEmpty())
        return;
    const auto filter = std::find_if(filters.cbegin(), filters.cend(), [&](const QString &offered) {
        return offered.compare(selectedFilter, Qt::CaseInsensitive) == 0;
    });
    const int chosen = filter == filters.cend() ? PaletteXmlFile : int(filter - filters.cbegin());
    if (chosen >= FirstSwatchFilter)
        emit exportPaletteTo(SwatchFileFormat(chosen - FirstSwatchFilter), path);
    else
        emit savePaletteTo(PaletteFileFormat(chosen), path);
    // Only the text list is remembered as a choice apart from the palette file.
    UserSettings::setMyPaletteSaveFileFormat(chosen == PaletteTextFile ? PaletteTextFile
                                                                       : PaletteXmlFile);
    UserSettings::setMyPaletteLastSavePath(path);
}

void MainWidget::loadButtonClicked()
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    QString selectedFilter = m_saveFileFilters.at(PaletteXmlFile);
    const QString path = m_openFileDialog(
        this,
        DB::localeString(uuid, QStringLiteral("common.filedialog.palettefile.opendialogcaption")),
        paletteStartPath(uuid), m_saveFileFilters.at(PaletteXmlFile), &selectedFilter);
    if (path.isEmpty())
        return;
    emit loadPaletteFrom(PaletteXmlFile, path);
    UserSettings::setMyPaletteSaveFileFormat(PaletteXmlFile);
    UserSettings::setMyPaletteLastSavePath(path);
}

void MainWidget::scheduleButtonClicked()
{
    exportColorSchedule(m_myPalette->model()->stored(), this,
                        [this](QWidget *parent, const QString &caption, const QString &path,
                               const QString &filter) {
                            QString selectedFilter = filter;
                            return m_saveFileDialog(parent, caption, path, filter, &selectedFilter);
                        });
}

void MainWidget::helpButtonClicked()
{
    const QUrl url
        = LinkTargets::helpLink(CollectionSettings::helpLink(UserSettings::lastUsedCollection()),
                                QFileInfo(DB::modulePath()).canonicalPath());
    if (!url.isEmpty())
        openUrl(url);
}

void MainWidget::capsureDirectoryChanged(QString)
{
    const QSignalBlocker blocker(m_capsureWatcher);
    const bool watched = m_capsureWatcher->files().contains(m_capsureFile);
    if (QFileInfo::exists(m_capsureFile) && !watched)
        m_capsureWatcher->addPath(m_capsureFile);
    else if (!QFileInfo::exists(m_capsureFile) && watched)
        m_capsureWatcher->removePath(m_capsureFile);
    emit onCapsureFileChanged(m_capsureFile);
}

void MainWidget::capsureFileChanged(QString)
{
    const QSignalBlocker blocker(m_capsureWatcher);
    emit onCapsureFileChanged(m_capsureFile);
}

void MainWidget::capsureItemSelectedInteractively(QUuid collectionId, DB::ColorEntry colorEntry)
{
    DB::ColorPage page;
    if (DB::loadPageById(collectionId, colorEntry.pageId, true, page) < 0)
        return;
    collectionChangedInteractively(collectionId);
    // A collection that could not be selected must not receive another one's position.
    if (UserSettings::lastUsedCollection() != collectionId)
        return;
    segmentChangedInteractivelyByWheel(page.segment);
    pageChangedInteractively(page.pageIndex);
    rowChangedInteractively(colorEntry.rowIndex);
}

void MainWidget::linkActivated(QString link)
{
    if (link == HeaderLink) {
        if (!m_headerLink.isEmpty())
            openUrl(QUrl(m_headerLink));
        return;
    }
    const QString key = link == CopyrightLink ? QStringLiteral("license.copyright")
        : link == MottoLink                   ? QStringLiteral("motto")
                                              : QString();
    if (key.isEmpty())
        return;
    QTemporaryFile *document = linkDocument(link);
    if (!document->open())
        return;
    // A shorter text than the last one must not leave the old tail behind.
    document->resize(0);
    document->write(DB::localeString(UserSettings::lastUsedCollection(), key).toUtf8());
    document->close();
    if (QFileInfo::exists(document->fileName()))
        openUrl(QUrl::fromLocalFile(document->fileName()));
}

void MainWidget::zoomMyPaletteClicked()
{
    disconnect(m_unzoomFinished);
    m_myPaletteAnimation->stop();
    m_myPaletteFull->raise();
    m_myPaletteFull->move(width(), 0);
    m_myPaletteFull->show();
    m_myPaletteAnimation->setStartValue(QPoint(width(), 0));
    m_myPaletteAnimation->setEndValue(QPoint(0, 0));
    m_myPaletteAnimation->start();
}

void MainWidget::unzoomMyPaletteClicked()
{
    disconnect(m_unzoomFinished);
    m_myPaletteAnimation->stop();
    m_myPaletteFull->raise();
    m_myPaletteAnimation->setStartValue(m_myPaletteFull->pos());
    m_myPaletteAnimation->setEndValue(QPoint(-width(), 0));
    m_unzoomFinished = connect(m_myPaletteAnimation, &QPropertyAnimation::finished, this,
                               &MainWidget::unzoomMyPaletteAnimationFinished);
    m_myPaletteAnimation->start();
}

void MainWidget::unzoomMyPaletteAnimationFinished()
{
    disconnect(m_unzoomFinished);
    m_myPaletteFull->hide();
}

void MainWidget::onKeyboardFocusChanged(QWidget *, QWidget *now)
{
    if (now && (now == m_search->phraseEdit() || now == m_myPalette->descriptionEdit()))
        emit anEditBoxGotFocus();
    else
        emit anEditBoxLostFocus();
}

void MainWidget::mouseMoveEvent(QMouseEvent *event)
{
    const bool overLink
        = !m_headerLink.isEmpty() && m_bannerRect.contains(event->position().toPoint());
    setCursor(overLink ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void MainWidget::mousePressEvent(QMouseEvent *event)
{
    if (!m_headerLink.isEmpty() && m_bannerRect.contains(event->position().toPoint()))
        linkActivated(HeaderLink);
}

void MainWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_background);
    if (!m_banner.isNull())
        painter.drawImage((width() - m_banner.width()) / 2, (BannerHeight - m_banner.height()) / 2,
                          m_banner);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Painting::SecondaryGrey);
    const QRect selector = m_collectionSelect->geometry();
    painter.drawLine(selector.right() + 1, selector.top(), selector.right() + 1, height());
}

void MainWidget::resizeEvent(QResizeEvent *)
{
    layoutContents();
}

TaskButton *MainWidget::createTaskButton(quint16 id, int afterId)
{
    if (TaskButton *existing = m_taskButtons.value(id))
        return existing;
    TaskButton *button = id == HelpTaskButton ? new HelpButton(this)
        : id == AboutTaskButton               ? new AboutButton(this)
                                              : new TaskButton(this);
    m_taskButtons.insert(id, button);
    const qsizetype after = afterId > 0 ? m_taskButtonOrder.indexOf(afterId) : -1;
    if (after < 0)
        m_taskButtonOrder.append(id);
    else
        m_taskButtonOrder.insert(after + 1, id);
    button->show();
    return button;
}

void MainWidget::createChildren()
{
    m_collectionSelect = new CollectionSelectWidget(this);
    m_colorWheel = new ColorWheelWidget(this);
    m_moodSelect = new MoodSelectWidget(this);
    m_search = new SearchWidget(this);
    m_eyedropper = new EyedropperButton(this);
    m_cardRoller = new CardRollerWidget(this);
    m_tabBar = new TabBarWidget(this);
    m_colorSchemer = new ColorSchemerWidget(this);
    m_polvaroneSchemer = new ColorSchemerPolvaroneWidget(this);
    m_trendora = new TrendoraWidget(this);
    m_textures = new TexturesWidget(this);
    m_products = new ProductsWidget(this);
    m_myPalette = new MyPaletteWidget(this);
    m_myPaletteFull = new MyPaletteFullWidget(this, m_myPalette->model());
    for (QWidget *pane :
         std::initializer_list<QWidget *> {m_colorSchemer, m_polvaroneSchemer, m_trendora,
                                           m_textures, m_products, m_myPaletteFull})
        pane->hide();
    m_unavailableLabel = new QLabel(this);
    m_unavailableLabel->setTextFormat(Qt::PlainText);
    m_unavailableLabel->setAlignment(Qt::AlignCenter);
    m_unavailableLabel->setWordWrap(true);
    m_unavailableLabel->setFont(regularFont(3));
    m_unavailableLabel->setStyleSheet(QStringLiteral("color: #ffffff;"));
    m_unavailableLabel->hide();
    m_myPaletteAnimation = new QPropertyAnimation(m_myPaletteFull, "pos", this);
    m_myPaletteAnimation->setDuration(350);
    m_myPaletteAnimation->setEasingCurve(QEasingCurve::OutQuart);
}

// The broadcast reaches the children in this order; the host connects after construction.
void MainWidget::connectChildren()
{
    connect(this, &MainWidget::selectedCollectionChanged, m_collectionSelect,
            &CollectionSelectWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_colorWheel,
            &ColorWheelWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_moodSelect,
            &MoodSelectWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_cardRoller,
            &CardRollerWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_search,
            &SearchWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_tabBar,
            &TabBarWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_colorSchemer,
            &ColorSchemerWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_polvaroneSchemer,
            &ColorSchemerPolvaroneWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_trendora,
            &TrendoraWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_textures,
            &TexturesWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_products,
            &ProductsWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_myPalette,
            &MyPaletteWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_eyedropper,
            &EyedropperButton::selectedCollectionChanged);
    connect(this, &MainWidget::savePaletteTo, m_myPalette, &MyPaletteWidget::savePaletteTo);
    connect(this, &MainWidget::exportPaletteTo, m_myPalette, &MyPaletteWidget::exportPaletteTo);
    connect(this, &MainWidget::loadPaletteFrom, m_myPalette, &MyPaletteWidget::loadPaletteFrom);
    connect(this, &MainWidget::onCapsureFileChanged, m_collectionSelect,
            &CollectionSelectWidget::capsureFileChanged);

    connect(m_myPalette, &MyPaletteWidget::myPaletteChanged, this, &MainWidget::onMyPaletteChanged);
    connect(m_myPalette, &MyPaletteWidget::myPaletteSelectionChanged, this,
            &MainWidget::onMyPaletteSelectionChanged);
    connect(m_collectionSelect, &CollectionSelectWidget::collectionSelectedInteractively, this,
            &MainWidget::collectionChangedInteractively);
    connect(m_cardRoller, &CardRollerWidget::collectionSelectedInteractively, this,
            &MainWidget::collectionChangedInteractively);
    connect(m_colorWheel, &ColorWheelWidget::segmentChangedInteractively, this,
            &MainWidget::segmentChangedInteractivelyByWheel);
    connect(m_moodSelect, &MoodSelectWidget::moodFilterChangedInteractively, this,
            &MainWidget::moodFilterChangedInteractively);
    connect(m_moodSelect, &MoodSelectWidget::exteriorFilterChangedInteractively, this,
            &MainWidget::exteriorFilterChangedInteractively);
    connect(m_moodSelect, &MoodSelectWidget::showMtoChangedInteractively, this,
            &MainWidget::showMtoChangedInteractively);
    connect(m_cardRoller, &CardRollerWidget::roll, this, &MainWidget::rollCards);
    connect(m_search, &SearchWidget::roll, this, &MainWidget::rollCards);
    connect(m_cardRoller, &CardRollerWidget::pageChangedInteractively, this,
            &MainWidget::pageChangedInteractively);
    connect(m_cardRoller, &CardRollerWidget::rowChangedInteractively, this,
            &MainWidget::rowChangedInteractively);
    connect(m_search, &SearchWidget::searchForPhrase, this, &MainWidget::searchForPhrase);
    connect(m_tabBar, &TabBarWidget::tabPageSelected, this, &MainWidget::tabPageSelected);
    connect(m_colorSchemer, &ColorSchemerWidget::schemeKindChangedInteractively, this,
            &MainWidget::schemeKindChangedInteractively);
    connect(m_colorSchemer, &ColorSchemerWidget::schemeNeutralSubKindChangedInteractively, this,
            &MainWidget::schemeNeutralSubKindChangedInteractively);
    connect(m_collectionSelect, &CollectionSelectWidget::capsureItemSelectedInteractively, this,
            &MainWidget::capsureItemSelectedInteractively);
    // A picked colour's chip is reached as a measured colour's chip is.
    connect(m_eyedropper, &EyedropperButton::chipSelectedInteractively, this,
            &MainWidget::capsureItemSelectedInteractively);
    // A chip's equivalents go where a measured colour's chosen chip goes.
    for (EquivalentsMenu *menu : findChildren<EquivalentsMenu *>())
        connect(menu, &EquivalentsMenu::chipChosen, this,
                &MainWidget::capsureItemSelectedInteractively);
    connect(m_noticeLabel, &QLabel::linkActivated, this, &MainWidget::linkActivated);
    connect(m_mottoLabel, &QLabel::linkActivated, this, &MainWidget::linkActivated);
    connect(m_myPalette, &MyPaletteWidget::zoomMyPaletteClicked, this,
            &MainWidget::zoomMyPaletteClicked);
    connect(m_myPaletteFull, &MyPaletteFullWidget::backButtonClicked, this,
            &MainWidget::unzoomMyPaletteClicked);
    connect(qApp, &QApplication::focusChanged, this, &MainWidget::onKeyboardFocusChanged);
}

QLabel *MainWidget::createLinkLabel()
{
    auto *label = new QLabel(this);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    label->setOpenExternalLinks(false);
    label->setFont(regularFont(1));
    label->show();
    return label;
}

void MainWidget::setTaskButtonTexts(const QUuid &uuid)
{
    taskButton(SaveTaskButton)
        ->setText(DB::localeString(uuid, QStringLiteral("mypalette.palette.save")));
    taskButton(LoadTaskButton)
        ->setText(DB::localeString(uuid, QStringLiteral("mypalette.palette.load")));
    taskButton(ScheduleTaskButton)
        ->setText(DB::localeString(uuid, QStringLiteral("mypalette.schedule.button")));
}

void MainWidget::prepareForCollection(const QUuid &uuid)
{
    m_background = DB::themeImage(DB::SystemWideCollectionUuid,
                                  QStringLiteral("image.widget.main.background"), size());
    m_banner = DB::themeImage(uuid, QStringLiteral("image.banner"), QSize(width(), BannerHeight));
    // Only a web link counts: the banner hands it to the desktop's opener.
    m_headerLink = LinkTargets::webLink(CollectionSettings::headerLink(uuid)).toString();
    if (UserSettings::tabPageIndex(uuid) == NoTabBarPage)
        UserSettings::setTabPageIndex(uuid, firstAvailableTabPage(uuid));
    if (UserSettings::schemeKind(uuid) == NoScheme)
        UserSettings::setSchemeKind(uuid, CollectionSettings::schemes(uuid).value(0, NoScheme));
    // A colour dropped on the roller is the first to need the table, so the repaint after a
    // change does not wait for it.
    loadCollectionColorTableLater(uuid);
    resolveCapsurePaths(uuid);
}

// A folder setting without a folder watches nothing; an empty folder would otherwise name the
// working directory.
void MainWidget::resolveCapsurePaths(const QUuid &uuid)
{
    m_capsureFolder.clear();
    m_capsureFile.clear();
    if (!CollectionSettings::capsureEnabled(uuid))
        return;
    m_capsureFolder = CollectionSettings::capsureFolderToWatch(uuid).replace(
        QStringLiteral("%PROGRAMDATA%"), Platform::commonAppDataFolder());
    if (!m_capsureFolder.isEmpty())
        m_capsureFile = m_capsureFolder + QDir::separator()
            + CollectionSettings::capsureFilenameToWatch(uuid);
}

void MainWidget::layoutContents()
{
    m_bannerRect = QRect(0, 0, width(), BannerHeight);
    m_myPaletteFull->setGeometry(rect());
    const QRect content = layoutLabels(rect().adjusted(0, BannerHeight + 1, 0, 0));

    m_collectionSelect->move(content.topLeft());
    const QRect selector = m_collectionSelect->geometry();
    m_colorWheel->move(selector.left() + (selector.width() - m_colorWheel->width()) / 2,
                       selector.bottom() + 1 + 10);
    QRect aboveRoller = m_colorWheel->geometry();
    const bool moodVisible = CollectionSettings::moodVisible(UserSettings::lastUsedCollection());
    m_moodSelect->setVisible(moodVisible);
    if (moodVisible) {
        const QSize mood = m_moodSelect->sizeHint();
        m_moodSelect->setGeometry(selector.left() + (selector.width() - mood.width()) / 2,
                                  aboveRoller.bottom() + 1 + 10, mood.width(), mood.height());
        aboveRoller = m_moodSelect->geometry();
    }

    m_search->move(content.left() + 12, content.bottom() - m_search->height());
    const QRect search = m_search->geometry();
    m_search->setBackgroundImage(m_background.copy(search));
    // The eyedropper takes the room between the search bar and the selector's edge.
    m_eyedropper->setGeometry(
        QRect(QPoint(search.right() + 1, search.top()), QPoint(selector.right(), search.bottom())));
    m_cardRoller->setGeometry(QRect(QPoint(search.left(), aboveRoller.bottom() + 1 + 6),
                                    QPoint(search.right(), search.top() - 1 - 7)));

    m_tabBar->setGeometry(QRect(QPoint(selector.right() + 1, selector.top()),
                                QPoint(width() - 1, selector.bottom())));
    const QRect tabBar = m_tabBar->geometry();
    const QRect pane(tabBar.left() + 1, tabBar.bottom() + 1, tabBar.width() - 1, SchemerHeight);
    for (QWidget *widget : std::initializer_list<QWidget *> {m_colorSchemer, m_polvaroneSchemer,
                                                             m_trendora, m_textures, m_products})
        widget->setGeometry(pane);
    m_unavailableLabel->setGeometry(tabBar.united(pane));
    m_myPalette->setGeometry(QRect(QPoint(pane.left(), pane.bottom() + 1),
                                   QPoint(pane.right(), m_cardRoller->geometry().bottom())));
    layoutTaskButtons();
}

// The motto sits at the bottom left and the notice at the bottom right, each in at most half
// the width; the rest of the content ends above them.
QRect MainWidget::layoutLabels(QRect content)
{
    const QUuid uuid = UserSettings::lastUsedCollection();
    const QFontMetrics metrics = m_mottoLabel->fontMetrics();
    const int room = content.width() / 2 - 25;
    const QSize motto
        = showLinkText(m_mottoLabel, MottoLink,
                       DB::localeString(uuid, QStringLiteral("color.palette.motto")), room);
    m_mottoLabel->setGeometry(12, content.bottom() - motto.height() - 8, motto.width() + 1,
                              motto.height() + 2);
    const QSize notice
        = showLinkText(m_noticeLabel, CopyrightLink,
                       DB::localeString(uuid, QStringLiteral("color.palette.copyright")), room);
    m_noticeLabel->setGeometry(content.right() - notice.width() - 13,
                               content.bottom() - (notice.height() + 2) - 6, notice.width() + 1,
                               notice.height() + 2);
    content.setBottom(content.bottom() - (metrics.height() + 12));
    return content;
}

// The row under My Palette, as high as the search bar allows: the round help and about
// buttons are square, the others share the remaining width.
void MainWidget::layoutTaskButtons()
{
    if (m_taskButtonOrder.isEmpty() || !m_myPalette)
        return;
    const QRect palette = m_myPalette->geometry();
    const QRect search = m_search->geometry();
    QRect band(QPoint(palette.left() + 12, search.top()),
               QPoint(palette.right() - 12, search.bottom()));
    while (band.height() > MaximumTaskButtonHeight)
        band.adjust(0, 1, 0, -1);
    const int iconSide = band.height() - 2;
    const auto icons
        = std::count_if(m_taskButtonOrder.cbegin(), m_taskButtonOrder.cend(), isIconButton);
    const auto others = m_taskButtonOrder.size() - icons;
    const int gaps = TaskButtonGap * int(m_taskButtonOrder.size() - 1);
    const int otherWidth
        = others > 0 ? (band.width() - gaps - int(icons) * iconSide) / int(others) : 0;
    int x = band.left();
    for (const quint16 id : m_taskButtonOrder) {
        TaskButton *button = m_taskButtons.value(id);
        if (isIconButton(id))
            button->setGeometry(x, band.top() + 1, iconSide, iconSide);
        else
            button->setGeometry(x, band.top(), otherWidth, band.height());
        x += button->width() + TaskButtonGap;
    }
}

void MainWidget::showTabPage(TabBarPage page)
{
    for (QWidget *widget : std::initializer_list<QWidget *> {m_colorSchemer, m_polvaroneSchemer,
                                                             m_trendora, m_textures, m_products})
        widget->hide();
    switch (page) {
    case ColorSchemes:
        if (QWidget *schemer = activeSchemer())
            schemer->show();
        break;
    case Products:
        m_products->show();
        break;
    case Trendora:
        m_trendora->show();
        m_trendora->layoutContents();
        break;
    case Textures:
        m_textures->show();
        m_textures->layoutContents();
        break;
    case NoTabBarPage:
        break;
    }
}

QWidget *MainWidget::activeSchemer() const
{
    switch (CollectionSettings::cardType(UserSettings::lastUsedCollection())) {
    case CollectionSettings::NormalCard:
        return m_colorSchemer;
    case CollectionSettings::PolvaronCard:
        return m_polvaroneSchemer;
    default:
        return nullptr;
    }
}

// Panes are refreshed when they are the shown tab, also while the whole palette is hidden, so
// that they are current when it shows again.
void MainWidget::refreshDetailPanes()
{
    recheckCollection();
    if (QWidget *schemer = activeSchemer(); schemer && schemer->isVisibleTo(this))
        schemer->update();
    if (m_products->isVisibleTo(this))
        m_products->selectedColorChanged();
    if (m_textures->isVisibleTo(this))
        m_textures->selectedPageChanged();
}

bool MainWidget::storeSegment(const QUuid &uuid, int segment)
{
    if (segment == UserSettings::segmentIndex(uuid))
        return false;
    UserSettings::setSegmentIndex(uuid, segment);
    m_colorWheel->update();
    return true;
}

// After a filter change the current page may no longer pass; move to the first page of the
// segment that does. The roller repaints in any case, since the filter changes the deck it
// shows.
void MainWidget::applyFilters(const QUuid &uuid)
{
    m_moodSelect->update();
    m_cardRoller->update();
    if (CollectionSettings::cardType(uuid) == CollectionSettings::PolvaronCard) {
        if (m_polvaroneSchemer->isVisibleTo(this))
            m_polvaroneSchemer->update();
        return;
    }
    DB::ColorPage page;
    if (DB::loadFirstPageInSegment(uuid, UserSettings::segmentIndex(uuid),
                                   UserSettings::moodFilter(uuid),
                                   UserSettings::exteriorColors(uuid), page)
        != DB::Success)
        return;
    storeSegment(uuid, page.segment);
    if (page.pageIndex == UserSettings::pageIndex(uuid))
        return;
    UserSettings::setPageIndex(uuid, page.pageIndex);
    refreshDetailPanes();
}

QString MainWidget::paletteStartPath(const QUuid &uuid) const
{
    const QString last = UserSettings::myPaletteLastSavePath();
    const QFileInfo file(last);
    if (!last.isEmpty() && file.exists() && file.absoluteDir().exists())
        return last;
    return Platform::documentsFolder() + QDir::separator()
        + DB::localeString(uuid, QStringLiteral("common.filedialog.palettefile.defaultfilename"));
}

QTemporaryFile *MainWidget::linkDocument(const QString &link)
{
    if (QTemporaryFile *document = m_linkDocuments.value(link))
        return document;
    const QString pattern
        = QStringLiteral("%1%2qt_temp_XXXXXX.html")
              .arg(QDir::toNativeSeparators(Platform::tempFolder()), QDir::separator());
    auto *document = new QTemporaryFile(pattern, this);
    m_linkDocuments.insert(link, document);
    return document;
}

void MainWidget::openUrl(const QUrl &url)
{
    if (m_urlOpener)
        m_urlOpener(url);
}

// Rebuilt with the watcher's signals blocked, so a change is never reported for a path that
// is on its way out. Without a capture folder nothing is watched.
void MainWidget::setupCapsureWatch()
{
    m_capsureWatcher->blockSignals(true);
    const QStringList watched = m_capsureWatcher->files() + m_capsureWatcher->directories();
    if (!watched.isEmpty())
        m_capsureWatcher->removePaths(watched);
    disconnect(m_capsureWatcher, nullptr, this, nullptr);
    if (m_capsureFolder.isEmpty() || !QFileInfo(m_capsureFolder).isDir())
        return;
    m_capsureWatcher->addPath(m_capsureFolder);
    if (QFileInfo::exists(m_capsureFile))
        m_capsureWatcher->addPath(m_capsureFile);
    connect(m_capsureWatcher, &QFileSystemWatcher::fileChanged, this,
            &MainWidget::capsureFileChanged);
    connect(m_capsureWatcher, &QFileSystemWatcher::directoryChanged, this,
            &MainWidget::capsureDirectoryChanged);
    m_capsureWatcher->blockSignals(false);
}

} // namespace Sorven
