#pragma once

#include <rxregsvc.h>
#include <windows.h>

#include <QString>

#include <functional>

// Loads a palette module as the CAD program does: maps the file, then talks to it only through
// its exported entry point, reporting every message and answer.
class ModuleLoader
{
public:
    using Report = std::function<void(int message, int answer)>;

    explicit ModuleLoader(Report report);
    ~ModuleLoader();
    ModuleLoader(const ModuleLoader &) = delete;
    ModuleLoader &operator=(const ModuleLoader &) = delete;

    bool isLoaded() const { return m_module != nullptr; }
    // False when the file cannot be mapped, has no entry point, or refuses to start.
    bool load(const QString &path);
    void unload();
    // The messages a closing host sends before it lets the module go.
    void quit();
    int apiVersion() const;

private:
    int send(AcRx::AppMsgCode message);
    void release();

    Report m_report;
    HMODULE m_module = nullptr;
    AcRx::AppRetCode (*m_entryPoint)(AcRx::AppMsgCode, void *) = nullptr;
    // The application packet the host hands to the module.
    int m_packet = 0;
};
