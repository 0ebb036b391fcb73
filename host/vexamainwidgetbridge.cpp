#include "host/vexamainwidgetbridge.h"

#include "core/aboutbox.h"
#include "core/mainwidget.h"
#include "core/usersettings.h"
#include "db/lookups.h"
#include "host/vexacolorbookhost.h"
#include "host/vexapaletteset.h"
#include "palette/colorbookexport.h"
#include "palette/mypalettewidget.h"
#include "widgets/taskbutton.h"

#include <QApplication>
#include <QDialog>

namespace {

VexaMainWidgetBridge *s_bridge = nullptr;

// Across windows too: a dialog's parent may be another dialog.
bool descendsFrom(const QWidget *widget, const QWidget *ancestor)
{
    for (; widget; widget = widget->parentWidget()) {
        if (widget == ancestor)
            return true;
    }
    return false;
}

} // namespace

VexaMainWidgetBridge::VexaMainWidgetBridge(VexaPaletteSet *paletteSet, Qt::WindowFlags flags)
    : QWinWidget(paletteSet, nullptr, flags), m_paletteSet(paletteSet)
{
    m_mainWidget = new Sorven::MainWidget(this);
    s_bridge = this;
    m_mainWidget->addAboutButton();
    m_colorBookButtonId = m_mainWidget->addExtraTaskButton(Sorven::MainWidget::LoadTaskButton);
    selectedCollectionChanged(Sorven::UserSettings::lastUsedCollection());
    myPaletteChanged();

    connect(m_mainWidget, &Sorven::MainWidget::selectedCollectionChanged, this,
            &VexaMainWidgetBridge::selectedCollectionChanged);
    connect(m_mainWidget, &Sorven::MainWidget::myPaletteChanged, this,
            &VexaMainWidgetBridge::myPaletteChanged);
    connect(m_mainWidget, &Sorven::MainWidget::myPaletteSelectionChanged, this,
            &VexaMainWidgetBridge::myPaletteChanged);
    connect(m_mainWidget->taskButton(m_colorBookButtonId), &QPushButton::clicked, this,
            &VexaMainWidgetBridge::createColorBookClicked);
    connect(m_mainWidget->taskButton(Sorven::MainWidget::AboutTaskButton), &QPushButton::clicked,
            this, &VexaMainWidgetBridge::aboutClicked);
    connect(m_mainWidget, &Sorven::MainWidget::anEditBoxGotFocus, this,
            &VexaMainWidgetBridge::anEditBoxGotFocus);
    connect(m_mainWidget, &Sorven::MainWidget::anEditBoxLostFocus, this,
            &VexaMainWidgetBridge::anEditBoxLostFocus);
}

VexaMainWidgetBridge::~VexaMainWidgetBridge()
{
    if (s_bridge == this)
        s_bridge = nullptr;
}

VexaMainWidgetBridge *VexaMainWidgetBridge::instance()
{
    return s_bridge;
}

bool VexaMainWidgetBridge::closeDialogsAndDetach()
{
    bool dialogWasOpen = false;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *dialog = qobject_cast<QDialog *>(window);
        if (dialog && dialog->isVisible() && descendsFrom(dialog, this)) {
            dialog->reject();
            dialogWasOpen = true;
        }
    }
    // Deleting the tree moves the focus; widgets half destroyed must not hear of it.
    QObject::disconnect(qApp, nullptr, this, nullptr);
    for (QObject *object : findChildren<QObject *>())
        QObject::disconnect(qApp, nullptr, object, nullptr);
    return dialogWasOpen;
}

void VexaMainWidgetBridge::selectedCollectionChanged(QUuid collectionUuid)
{
    const QString caption
        = Sorven::DB::localeString(collectionUuid, QStringLiteral("color.palette.caption"));
    m_paletteSet->SetName(caption.toStdWString().c_str());
    m_mainWidget->taskButton(m_colorBookButtonId)
        ->setText(Sorven::DB::localeString(collectionUuid,
                                           QStringLiteral("autocad.createcolorbook.button")));
}

void VexaMainWidgetBridge::myPaletteChanged()
{
    // By the chips that load, as Save and zoom go: a stored key whose database is gone exports
    // nothing.
    m_mainWidget->taskButton(m_colorBookButtonId)
        ->setEnabled(!m_mainWidget->myPalette()->model()->isEmpty());
}

void VexaMainWidgetBridge::createColorBookClicked()
{
    Sorven::exportColorBook(*m_mainWidget->myPalette(), this, VexaColorBookHost());
}

void VexaMainWidgetBridge::aboutClicked()
{
    Sorven::AboutBox aboutBox(m_mainWidget, QString());
    aboutBox.exec();
}

void VexaMainWidgetBridge::anEditBoxGotFocus()
{
    SendMessageW(m_paletteSet->GetSafeHwnd(), WM_USER, 1, 0);
}

void VexaMainWidgetBridge::anEditBoxLostFocus()
{
    SendMessageW(m_paletteSet->GetSafeHwnd(), WM_USER, 0, 0);
}
