#pragma once

// The part of the platform's system interface the palette module calls, with the platform's
// names and shapes, offered on top of Qt. Strings are wide; sizes of registry data are in
// bytes, sizes of expanded strings in characters. A window handle names a Qt widget; modules
// are shared objects mapped with dlopen, whose DllMain the loader calls as the platform does.

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

// Windows, messages, modules, hooks and icons.
using BOOL = int;
using WORD = unsigned short;
using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LONG_PTR = std::intptr_t;
using LPVOID = void *;
using LPCSTR = const char *;

struct HWND__;
struct HINSTANCE__;
struct HICON__;
struct HHOOK__;
using HWND = HWND__ *;
using HINSTANCE = HINSTANCE__ *;
using HMODULE = HINSTANCE;
using HICON = HICON__ *;
using HANDLE = void *;
using HHOOK = HHOOK__ *;

#define TRUE 1
#define FALSE 0
#define WINAPI
#define CALLBACK
#define MAX_PATH 260

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1

#define WM_SIZE 0x0005
#define WM_SETFOCUS 0x0007
#define WM_PAINT 0x000F
#define WM_GETMINMAXINFO 0x0024
#define WM_SETICON 0x0080
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_MOUSEWHEEL 0x020A
#define WM_USER 0x0400

#define ICON_SMALL 0
#define ICON_BIG 1
#define IMAGE_ICON 1
#define WH_GETMESSAGE 3
#define GWL_STYLE (-16)
#define GWLP_WNDPROC (-4)

#define WS_CHILD 0x40000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L

#define RDW_INVALIDATE 0x0001
#define RDW_UPDATENOW 0x0100
#define RDW_ALLCHILDREN 0x0080
#define RDW_FRAME 0x0400

#define LOWORD(l) (static_cast<WORD>(static_cast<std::uintptr_t>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<std::uintptr_t>(l) >> 16) & 0xffff))
#define MAKELPARAM(l, h) (static_cast<LPARAM>((static_cast<DWORD>(h) << 16) | (l & 0xffff)))
#define MAKEINTRESOURCEW(i) (reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(i)))

struct POINT
{
    LONG x;
    LONG y;
};

struct RECT
{
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT *;

struct MINMAXINFO
{
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using HOOKPROC = LRESULT (*)(int, WPARAM, LPARAM);

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LONG_PTR GetWindowLongPtrW(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
HWND SetParent(HWND child, HWND parent);
HWND GetFocus();
HWND SetFocus(HWND hwnd);
BOOL GetWindowRect(HWND hwnd, LPRECT rect);
BOOL GetClientRect(HWND hwnd, LPRECT rect);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL IsWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const RECT *update, void *region, UINT flags);
short GetKeyState(int virtualKey);
#define VK_SHIFT 0x10

HICON LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height, UINT flags);

HMODULE LoadLibraryA(LPCSTR fileName);
HMODULE LoadLibraryW(LPCWSTR fileName);
BOOL FreeLibrary(HMODULE module);
void *GetProcAddress(HMODULE module, LPCSTR name);
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
BOOL DisableThreadLibraryCalls(HMODULE module);

DWORD GetCurrentThreadId();
HHOOK SetWindowsHookExW(int type, HOOKPROC procedure, HINSTANCE module, DWORD threadId);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
