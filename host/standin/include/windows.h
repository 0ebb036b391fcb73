#pragma once

// The registry reading and environment expansion of the platform's system interface, with the
// platform's names and shapes. Strings are wide; sizes of registry data are in bytes, sizes of
// expanded strings in characters.

#include <cstdint>

typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef unsigned char BYTE;
typedef wchar_t WCHAR;
typedef DWORD *LPDWORD;
typedef BYTE *LPBYTE;
typedef const BYTE *LPCBYTE;
typedef WCHAR *LPWSTR;
typedef const WCHAR *LPCWSTR;
typedef DWORD REGSAM;

struct HKEY__;
typedef HKEY__ *HKEY;
typedef HKEY *PHKEY;

inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t(0x80000001));

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;

constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;

constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;

// Opens an existing key; a key exists while it or a key below it holds a value.
LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
// Opens a key, creating it when needed. Class, options, security and disposition are ignored.
LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options,
                     REGSAM access, const void *security, PHKEY result, LPDWORD disposition);
// An empty or null value name is the key's default value. Only string values are held.
LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize);
LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, LPCBYTE data,
                    DWORD dataSize);
LONG RegCloseKey(HKEY key);

// Replaces every %NAME% of a defined environment variable by its value. Answers the length of
// the result with its terminator; when that exceeds size, nothing is written. 0 on failure.
DWORD ExpandEnvironmentStringsW(LPCWSTR source, LPWSTR destination, DWORD size);
