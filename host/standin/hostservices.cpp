#include "aced.h"
#include "acutads.h"
#include "dbapserv.h"
#include "windows.h"

#include <cwchar>
#include <string>

namespace {

const wchar_t ProductRootKey[] = L"Software\\Stand-in CAD\\R19.0\\Host";
const wchar_t DefaultProfile[] = L"<<Unnamed Profile>>";

// The host keeps the current profile's name as the default value of its "Profiles" key.
std::wstring currentProfile()
{
    const std::wstring profiles = std::wstring(ProductRootKey) + L"\\Profiles";
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, profiles.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return DefaultProfile;
    std::wstring name(256, L'\0');
    DWORD size = DWORD(name.size() * sizeof(wchar_t));
    DWORD type = 0;
    const LONG result = RegQueryValueExW(key, nullptr, nullptr, &type,
                                         reinterpret_cast<LPBYTE>(name.data()), &size);
    RegCloseKey(key);
    name.resize(std::wcslen(name.c_str()));
    return result == ERROR_SUCCESS && !name.empty() ? name : DefaultProfile;
}

ACHAR *newString(const std::wstring &text)
{
    auto *copy = new ACHAR[text.size() + 1];
    std::wmemcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

} // namespace

int acedGetVar(const ACHAR *name, resbuf *result)
{
    if (!name || !result || std::wcscmp(name, L"CPROFILE") != 0)
        return RTREJ;
    result->restype = RTSTR;
    result->resval.rstring = newString(currentProfile());
    return RTNORM;
}

void acutDelString(ACHAR *&string)
{
    delete[] string;
    string = nullptr;
}

const ACHAR *AcDbHostApplicationServices::getUserRegistryProductRootKey()
{
    return ProductRootKey;
}

AcDbHostApplicationServices *acdbHostApplicationServices()
{
    static AcDbHostApplicationServices services;
    return &services;
}
