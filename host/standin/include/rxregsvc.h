#pragma once

// The object system's entry-point protocol: message codes, answers, the system registry and
// its dynamic linker.
namespace AcRx {

enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
    kDependencyMsg = 10,
    kNoDependencyMsg = 11,
    kOleUnloadAppMsg = 12,
    kPreQuitMsg = 13,
    kInitDialogMsg = 14,
    kEndDialogMsg = 15,
    kSuspendMsg = 16,
};

enum AppRetCode { kRetOK = 0, kRetError = 3 };

} // namespace AcRx

#define ACRX_DYNAMIC_LINKER "DynamicLinker"

class AcRxObject
{
public:
    virtual ~AcRxObject() = default;
};

class AcRxDynamicLinker : public AcRxObject
{
public:
    static AcRxDynamicLinker *cast(AcRxObject *object);

    // The packet is the one the host passed with kInitAppMsg.
    bool unlockApplication(void *appId);
    bool lockApplication(void *appId);
    bool isApplicationLocked(void *appId) const;
    bool registerAppMDIAware(void *appId);
    bool isAppMDIAware(void *appId) const;
};

class AcRxDictionary
{
public:
    AcRxObject *at(const char *key) const;
};

AcRxDictionary *acrxSysRegistry();
