#pragma once

#include "AdAChar.h"

class AcDbHostApplicationServices
{
public:
    virtual ~AcDbHostApplicationServices() = default;

    // The running product's key below HKEY_CURRENT_USER, without a trailing separator; its
    // "Profiles" subkey holds one key per profile.
    virtual const ACHAR *getUserRegistryProductRootKey();
};

AcDbHostApplicationServices *acdbHostApplicationServices();
