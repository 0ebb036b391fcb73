#include "loadedmodule.h"

#include "core/usersettings.h"
#include "db/connections.h"
#include "tools/democollections.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWidget>

LoadedModule::LoadedModule() : m_module(LoadLibraryA(VEXA_MODULE_PATH)) { }

LoadedModule::~LoadedModule()
{
    if (m_module)
        FreeLibrary(m_module);
}

int LoadedModule::send(AcRx::AppMsgCode message)
{
    using EntryPoint = AcRx::AppRetCode (*)(AcRx::AppMsgCode, void *);
    const auto entryPoint
        = reinterpret_cast<EntryPoint>(GetProcAddress(m_module, "acrxEntryPoint"));
    return entryPoint ? entryPoint(message, &m_packet) : -1;
}

int LoadedModule::apiVersion() const
{
    using Version = int (*)();
    const auto version = reinterpret_cast<Version>(GetProcAddress(m_module, "acrxGetApiVersion"));
    return version ? version() : -1;
}

void installDemoCollections()
{
    static bool installed = false;
    if (installed)
        return;
    Sorven::UserSettings::setHostName(QStringLiteral("AutoCAD"));
    const auto result
        = Sorven::Demo::buildDemoCollections(qEnvironmentVariable("VEXA_COMMON_APPDATA"), {});
    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    installed = true;
}

QUuid demoCollection(int index)
{
    return Sorven::DB::availableCollections().value(index);
}

QWidget *paletteSurface()
{
    for (QWidget *widget : QApplication::allWidgets()) {
        if (widget->objectName() == QLatin1String("MainWidget"))
            return widget;
    }
    return nullptr;
}

QWidget *paletteFrame()
{
    QWidget *surface = paletteSurface();
    return surface ? surface->window() : nullptr;
}

QWidget *taskButtonWithText(const QString &text)
{
    QWidget *surface = paletteSurface();
    if (!surface)
        return nullptr;
    for (QPushButton *button : surface->findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

QWidget *paletteChild(const char *className)
{
    QWidget *surface = paletteSurface();
    if (!surface)
        return nullptr;
    for (QWidget *child : surface->findChildren<QWidget *>()) {
        if (qstrcmp(child->metaObject()->className(), className) == 0)
            return child;
    }
    return nullptr;
}
