#include "host/vexamodule.h"

#include "core/usersettings.h"

#include <adui.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <array>

namespace {

HINSTANCE s_instance = nullptr;
std::array<wchar_t, MAX_PATH + 1> s_fileName {};

LRESULT CALLBACK deliverPostedEvents(int code, WPARAM wParam, LPARAM lParam)
{
    if (QCoreApplication::instance())
        QCoreApplication::sendPostedEvents(nullptr, -1);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The plug-ins the module was built with sit in plugins/ beside its file; another Qt
// installation on the machine (or one the host's environment names) may not match ours.
void useOwnPluginsOnly()
{
    QCoreApplication::setLibraryPaths(
        {QFileInfo(VexaModule::fileName()).absolutePath() + QStringLiteral("/plugins")});
}

// The host process has no Qt of its own: create the application and let the host's message
// loop deliver Qt's posted events.
void bootstrapQt()
{
    if (QCoreApplication::instance())
        return;
    SetWindowsHookExW(WH_GETMESSAGE, deliverPostedEvents, nullptr, GetCurrentThreadId());
    static int argc = 0;
    static char *argv[] = {nullptr};
    // Before construction, so that the platform plug-in comes from our folder; again after,
    // because construction adds the host program's folder, and the SQLite driver is looked
    // up only at the first connection.
    useOwnPluginsOnly();
    new QApplication(argc, argv);
    useOwnPluginsOnly();
}

// Qt keeps pointers into this file (meta-types, connections, the application itself when we
// created it), so it stays mapped for the life of the process even when the host unloads us.
void keepMapped()
{
    LoadLibraryA(qPrintable(QDir::toNativeSeparators(VexaModule::fileName())));
}

} // namespace

namespace VexaModule {

HINSTANCE instance()
{
    return s_instance;
}

QString fileName()
{
    return QString::fromWCharArray(s_fileName.data());
}

} // namespace VexaModule

extern "C" Q_DECL_EXPORT BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    s_instance = instance;
    DisableThreadLibraryCalls(instance);
    GetModuleFileNameW(instance, s_fileName.data(), MAX_PATH);
    InitAcUiDLL();
    Sorven::UserSettings::setHostName(QStringLiteral("AutoCAD"));
    bootstrapQt();
    keepMapped();
    return TRUE;
}
