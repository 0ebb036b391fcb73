// Module loading as Windows does it: a reference count per module file, DllMain called when
// the file is first mapped and when the last reference goes.
#include "iconhandle.h"

#include <windows.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QPixmap>
#include <QString>
#include <QThread>

#include <algorithm>
#include <map>

#include <dlfcn.h>

namespace {

struct LoadedModule
{
    void *library = nullptr;
    QString fileName;
    int references = 0;
};

QHash<HMODULE, LoadedModule> &modules()
{
    static QHash<HMODULE, LoadedModule> table;
    return table;
}

using DllMainFunction = BOOL (*)(HINSTANCE, DWORD, LPVOID);

BOOL callDllMain(HMODULE module, DWORD reason)
{
    const auto dllMain = reinterpret_cast<DllMainFunction>(GetProcAddress(module, "DllMain"));
    return dllMain ? dllMain(module, reason, nullptr) : TRUE;
}

HMODULE load(const QString &fileName)
{
    const QString canonical = QFileInfo(fileName).canonicalFilePath();
    if (canonical.isEmpty())
        return nullptr;
    void *library = dlopen(QFile::encodeName(canonical).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return nullptr;
    const HMODULE module = reinterpret_cast<HMODULE>(library);
    LoadedModule &entry = modules()[module];
    if (entry.references++ > 0) {
        dlclose(library);
        return module;
    }
    entry.library = library;
    entry.fileName = canonical;
    if (!callDllMain(module, DLL_PROCESS_ATTACH)) {
        modules().remove(module);
        dlclose(library);
        return nullptr;
    }
    return module;
}

} // namespace

HMODULE LoadLibraryA(LPCSTR fileName)
{
    return fileName ? load(QString::fromLocal8Bit(fileName)) : nullptr;
}

HMODULE LoadLibraryW(LPCWSTR fileName)
{
    return fileName ? load(QString::fromWCharArray(fileName)) : nullptr;
}

BOOL FreeLibrary(HMODULE module)
{
    const auto found = modules().find(module);
    if (found == modules().end())
        return FALSE;
    if (--found->references > 0)
        return TRUE;
    callDllMain(module, DLL_PROCESS_DETACH);
    void *library = found->library;
    modules().erase(found);
    return dlclose(library) == 0;
}

void *GetProcAddress(HMODULE module, LPCSTR name)
{
    return module ? dlsym(reinterpret_cast<void *>(module), name) : nullptr;
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size)
{
    const auto found = modules().constFind(module);
    if (found == modules().constEnd() || size == 0)
        return 0;
    const std::wstring name = found->fileName.toStdWString();
    const DWORD length = std::min(static_cast<DWORD>(name.size()), size - 1);
    name.copy(fileName, length);
    fileName[length] = L'\0';
    return length;
}

BOOL DisableThreadLibraryCalls(HMODULE)
{
    return TRUE;
}

DWORD GetCurrentThreadId()
{
    return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(QThread::currentThreadId()));
}

HHOOK SetWindowsHookExW(int, HOOKPROC procedure, HINSTANCE, DWORD)
{
    // Qt's own event loop already delivers posted events here, so the hook is kept but never
    // needs to run.
    static int hooks = 0;
    return procedure ? reinterpret_cast<HHOOK>(static_cast<std::uintptr_t>(++hooks)) : nullptr;
}

LRESULT CallNextHookEx(HHOOK, int, WPARAM, LPARAM)
{
    return 0;
}

HICON LoadImageW(HINSTANCE, LPCWSTR name, UINT type, int width, int height, UINT)
{
    // Resources are Qt resources named after the numeric resource id.
    const auto id = reinterpret_cast<std::uintptr_t>(name);
    if (type != IMAGE_ICON || id > 0xffff)
        return nullptr;
    const QString path = QStringLiteral(":/win32/icon/%1.png").arg(id);
    if (!QFileInfo::exists(path))
        return nullptr;
    static std::map<QString, HICON__> icons;
    if (icons.empty())
        qAddPostRoutine([] { icons.clear(); });
    const auto [icon, added]
        = icons.try_emplace(QStringLiteral("%1@%2x%3").arg(path).arg(width).arg(height));
    if (added)
        icon->second.icon = QIcon(
            QPixmap(path).scaled(width, height, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return &icon->second;
}
