#include <rxregsvc.h>

#include <QSet>

#include <cstring>

namespace {

struct Applications
{
    QSet<void *> unlocked;
    QSet<void *> mdiAware;
};

Applications &applications()
{
    static Applications state;
    return state;
}

} // namespace

AcRxDynamicLinker *AcRxDynamicLinker::cast(AcRxObject *object)
{
    return dynamic_cast<AcRxDynamicLinker *>(object);
}

bool AcRxDynamicLinker::unlockApplication(void *appId)
{
    applications().unlocked.insert(appId);
    return appId != nullptr;
}

bool AcRxDynamicLinker::lockApplication(void *appId)
{
    applications().unlocked.remove(appId);
    return appId != nullptr;
}

bool AcRxDynamicLinker::isApplicationLocked(void *appId) const
{
    return !applications().unlocked.contains(appId);
}

bool AcRxDynamicLinker::registerAppMDIAware(void *appId)
{
    applications().mdiAware.insert(appId);
    return appId != nullptr;
}

bool AcRxDynamicLinker::isAppMDIAware(void *appId) const
{
    return applications().mdiAware.contains(appId);
}

AcRxObject *AcRxDictionary::at(const char *key) const
{
    static AcRxDynamicLinker linker;
    return key && std::strcmp(key, ACRX_DYNAMIC_LINKER) == 0 ? &linker : nullptr;
}

AcRxDictionary *acrxSysRegistry()
{
    static AcRxDictionary registry;
    return &registry;
}
