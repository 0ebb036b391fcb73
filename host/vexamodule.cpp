#include "host/vexamodule.h"

#include "core/usersettings.h"

#include <adui.h>

#include <QApplication>
#include <QDir>

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

// The host process has no Qt of its own: create the application and let the host's message
// loop deliver Qt's posted events.
void bootstrapQt()
{
    if (QCoreApplication::instance())
        return;
    SetWindowsHookExW(WH_GETMESSAGE, deliverPostedEvents, nullptr, GetCurrentThreadId());
    static int argc = 0;
    static char *argv[] = {nullptr};
    new QApplication(argc, argv);
    // Cleared only now: the platform plug-in has been loaded, and nothing later comes from
    // other Qt installations in the host's process.
    QCoreApplication::setLibraryPaths({});
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
