#include "standinhost.h"
#include "windows.h"

#include <QSettings>
#include <QStandardPaths>
#include <QString>

#include <cstring>

// An open key: its path in the settings file, the root's name first.
struct HKEY__
{
    QString path;
};

namespace {

const QString CurrentUserRoot = QStringLiteral("HKEY_CURRENT_USER");
const QString DefaultValueName = QStringLiteral("@");

QString registryFile()
{
    const QString overridden = qEnvironmentVariable("VEXA_STANDIN_REGISTRY");
    if (!overridden.isEmpty())
        return overridden;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Stand-in CAD/registry.ini");
}

QString fromWide(LPCWSTR text)
{
    return text ? QString::fromWCharArray(text) : QString();
}

QString keyPath(HKEY key)
{
    if (key == HKEY_CURRENT_USER)
        return CurrentUserRoot;
    return key ? key->path : QString();
}

// Registry paths separate keys with backslashes; the settings file with slashes.
QString childPath(const QString &parent, LPCWSTR subKey)
{
    QStringList parts = fromWide(subKey).split(u'\\', Qt::SkipEmptyParts);
    parts.prepend(parent);
    return parts.join(u'/');
}

QString valuePath(HKEY key, LPCWSTR valueName)
{
    const QString name = fromWide(valueName);
    return keyPath(key) + u'/' + (name.isEmpty() ? DefaultValueName : name);
}

bool keyExists(const QString &path)
{
    if (path == CurrentUserRoot)
        return true;
    QSettings settings(registryFile(), QSettings::IniFormat);
    settings.beginGroup(path);
    return !settings.childKeys().isEmpty() || !settings.childGroups().isEmpty();
}

LONG openKey(HKEY key, LPCWSTR subKey, PHKEY result, bool create)
{
    if (!result || keyPath(key).isEmpty())
        return ERROR_INVALID_HANDLE;
    *result = nullptr;
    const QString path = childPath(keyPath(key), subKey);
    if (!create && !keyExists(path))
        return ERROR_FILE_NOT_FOUND;
    *result = new HKEY__ {path};
    return ERROR_SUCCESS;
}

} // namespace

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, PHKEY result)
{
    return openKey(key, subKey, result, false);
}

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM, const void *,
                     PHKEY result, LPDWORD)
{
    return openKey(key, subKey, result, true);
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize)
{
    if (keyPath(key).isEmpty())
        return ERROR_INVALID_HANDLE;
    QSettings settings(registryFile(), QSettings::IniFormat);
    const QString path = valuePath(key, valueName);
    if (!settings.contains(path))
        return ERROR_FILE_NOT_FOUND;
    const std::wstring value = settings.value(path).toString().toStdWString();
    const DWORD needed = DWORD((value.size() + 1) * sizeof(wchar_t));
    if (type)
        *type = REG_SZ;
    if (data && (!dataSize || *dataSize < needed)) {
        if (dataSize)
            *dataSize = needed;
        return ERROR_MORE_DATA;
    }
    if (data)
        std::memcpy(data, value.c_str(), needed);
    if (dataSize)
        *dataSize = needed;
    return ERROR_SUCCESS;
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD, DWORD type, LPCBYTE data, DWORD dataSize)
{
    if (keyPath(key).isEmpty())
        return ERROR_INVALID_HANDLE;
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || (!data && dataSize > 0))
        return ERROR_INVALID_PARAMETER;
    std::wstring value(dataSize / sizeof(wchar_t), L'\0');
    if (dataSize > 0)
        std::memcpy(value.data(), data, value.size() * sizeof(wchar_t));
    value.resize(std::wcslen(value.c_str()));
    QSettings settings(registryFile(), QSettings::IniFormat);
    settings.setValue(valuePath(key, valueName), QString::fromStdWString(value));
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    if (key == HKEY_CURRENT_USER)
        return ERROR_SUCCESS;
    if (!key)
        return ERROR_INVALID_HANDLE;
    delete key;
    return ERROR_SUCCESS;
}

std::wstring standInRegistryFile()
{
    return registryFile().toStdWString();
}
