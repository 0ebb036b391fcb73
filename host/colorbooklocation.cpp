#include "host/colorbooklocation.h"

#include "core/platformpaths.h"

#include <aced.h>
#include <acutads.h>
#include <dbapserv.h>
#include <windows.h>

#include <memory>
#include <vector>

namespace Sorven::Host {

namespace {

const DWORD ValueBufferBytes = 2048;
const DWORD ExpandedCharacters = 1024;

struct KeyCloser
{
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using OpenKey = std::unique_ptr<HKEY__, KeyCloser>;

QString currentProfile()
{
    resbuf value;
    if (acedGetVar(L"CPROFILE", &value) != RTNORM || value.restype != RTSTR)
        return {};
    const QString profile = QString::fromWCharArray(value.resval.rstring);
    acutDelString(value.resval.rstring);
    return profile;
}

OpenKey openProfileGeneralKey()
{
    const QString profile = currentProfile();
    if (profile.isEmpty())
        return {};
    const QString path
        = QStringLiteral("%1\\Profiles\\%2\\General")
              .arg(QString::fromWCharArray(
                       acdbHostApplicationServices()->getUserRegistryProductRootKey()),
                   profile);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.toStdWString().c_str(), 0, KEY_READ, &key)
        != ERROR_SUCCESS)
        return {};
    return OpenKey(key);
}

// A value too long for the buffer, or one that grows too long when expanded, counts as missing
// rather than being cut into a wrong folder.
QString profileColorBookLocation()
{
    const OpenKey key = openProfileGeneralKey();
    if (!key)
        return {};
    std::vector<wchar_t> value(ValueBufferBytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = ValueBufferBytes;
    DWORD type = 0;
    if (RegQueryValueExW(key.get(), L"ColorBookLocation", nullptr, &type,
                         reinterpret_cast<LPBYTE>(value.data()), &size)
            != ERROR_SUCCESS
        || (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    std::vector<wchar_t> expanded(ExpandedCharacters, L'\0');
    const DWORD length
        = ExpandEnvironmentStringsW(value.data(), expanded.data(), ExpandedCharacters);
    if (length == 0 || length > ExpandedCharacters)
        return {};
    return QString::fromWCharArray(expanded.data());
}

} // namespace

QStringList colorBookFolders()
{
    const QStringList folders = profileColorBookLocation().split(u';', Qt::SkipEmptyParts);
    return folders.isEmpty() ? QStringList {Platform::documentsFolder()} : folders;
}

} // namespace Sorven::Host
