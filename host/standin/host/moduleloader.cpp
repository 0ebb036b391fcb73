#include "moduleloader.h"

#include <QDir>

ModuleLoader::ModuleLoader(Report report) : m_report(std::move(report)) { }

ModuleLoader::~ModuleLoader()
{
    quit();
}

bool ModuleLoader::load(const QString &path)
{
    if (m_module)
        return false;
    m_module = LoadLibraryW(QDir::toNativeSeparators(path).toStdWString().c_str());
    if (!m_module)
        return false;
    m_entryPoint
        = reinterpret_cast<decltype(m_entryPoint)>(GetProcAddress(m_module, "acrxEntryPoint"));
    if (!m_entryPoint || send(AcRx::kInitAppMsg) != AcRx::kRetOK) {
        release();
        return false;
    }
    return true;
}

void ModuleLoader::unload()
{
    if (!m_module)
        return;
    send(AcRx::kUnloadAppMsg);
    release();
}

void ModuleLoader::quit()
{
    if (!m_module)
        return;
    send(AcRx::kPreQuitMsg);
    send(AcRx::kQuitMsg);
    send(AcRx::kUnloadAppMsg);
    release();
}

int ModuleLoader::apiVersion() const
{
    using Version = int (*)();
    const auto version = reinterpret_cast<Version>(GetProcAddress(m_module, "acrxGetApiVersion"));
    return version ? version() : 0;
}

int ModuleLoader::send(AcRx::AppMsgCode message)
{
    const int answer = m_entryPoint(message, &m_packet);
    m_report(message, answer);
    return answer;
}

void ModuleLoader::release()
{
    FreeLibrary(m_module);
    m_module = nullptr;
    m_entryPoint = nullptr;
}
