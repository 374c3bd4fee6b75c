// LoadLibrary and GetProcAddress over the platform's own libraries.  A
// module handle is the address of its library's entry below: distinct per
// library, never null, and recognised by GetProcAddress and FreeLibrary
// without a lookup in the host's loader, which knows none of these names.
// The libraries are part of the program, as a DLL the program imports is on
// Windows, where such a DLL stays loaded whatever FreeLibrary is called: so
// no load count is kept.
#include <vantrel/win32/cursor.h>
#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/debug.h>
#include <vantrel/win32/dinput.h>
#include <vantrel/win32/dsound.h>
#include <vantrel/win32/files.h>
#include <vantrel/win32/gdi.h>
#include <vantrel/win32/memory.h>
#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/modules.h>
#include <vantrel/win32/strings.h>
#include <vantrel/win32/synch.h>
#include <vantrel/win32/system.h>
#include <vantrel/win32/timing.h>
#include <vantrel/win32/window.h>
#include <vantrel/win32/winsock.h>

#include "platform/kernel/ascii_case.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <atomic>
#include <cstring>
#include <vector>
#include <string>
#include <utility>

namespace {

using Export = std::pair<const char*, FARPROC>;

// Through void(*)(), the type that stands for "any function" in a cast, as
// the caller's cast back to the real type undoes it.
template <class Function>
Export exported(const char* name, Function* function)
{
    return {name, reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function))};
}
#define VTL_EXPORT(name) exported(#name, &::name)

struct Library {
    const char* name; // without ".dll"
    std::vector<Export> exports;
};

Library gLibraries[] = {
    {"ddraw",
     {VTL_EXPORT(DirectDrawCreate), VTL_EXPORT(DirectDrawCreateEx), VTL_EXPORT(DirectDrawCreateClipper),
      VTL_EXPORT(DirectDrawEnumerateA)}},
    {"dsound", {VTL_EXPORT(DirectSoundCreate)}},
    {"dinput", {VTL_EXPORT(DirectInputCreateA), VTL_EXPORT(DirectInputCreateEx)}},
    {"winmm",
     {VTL_EXPORT(timeGetTime), VTL_EXPORT(timeBeginPeriod), VTL_EXPORT(timeEndPeriod), VTL_EXPORT(timeGetDevCaps),
      VTL_EXPORT(mciSendCommandA), VTL_EXPORT(mmioOpenA), VTL_EXPORT(mmioClose), VTL_EXPORT(mmioRead),
      VTL_EXPORT(mmioSeek), VTL_EXPORT(mmioDescend), VTL_EXPORT(mmioAscend)}},
    {"wsock32",
     {VTL_EXPORT(WSAStartup), VTL_EXPORT(WSACleanup), VTL_EXPORT(WSAGetLastError), VTL_EXPORT(WSASetLastError),
      VTL_EXPORT(closesocket), VTL_EXPORT(ioctlsocket), VTL_EXPORT(WSAAsyncSelect),
      VTL_EXPORT(WSAAsyncGetHostByName), VTL_EXPORT(WSAAsyncGetHostByAddr), VTL_EXPORT(WSACancelAsyncRequest)}},
    {"user32",
     {VTL_EXPORT(RegisterClassExA), VTL_EXPORT(UnregisterClassA), VTL_EXPORT(CreateWindowExA),
      VTL_EXPORT(DestroyWindow), VTL_EXPORT(ShowWindow), VTL_EXPORT(UpdateWindow), VTL_EXPORT(SetWindowPos),
      VTL_EXPORT(GetClientRect), VTL_EXPORT(GetWindowRect), VTL_EXPORT(AdjustWindowRectEx),
      VTL_EXPORT(GetSystemMetrics), VTL_EXPORT(SystemParametersInfoA), VTL_EXPORT(GetMessageA),
      VTL_EXPORT(PeekMessageA), VTL_EXPORT(TranslateMessage), VTL_EXPORT(DispatchMessageA),
      VTL_EXPORT(PostMessageA), VTL_EXPORT(SendMessageA), VTL_EXPORT(PostQuitMessage), VTL_EXPORT(DefWindowProcA),
      VTL_EXPORT(SetTimer), VTL_EXPORT(KillTimer), VTL_EXPORT(MessageBoxA), VTL_EXPORT(MessageBoxExA),
      VTL_EXPORT(ShowCursor), VTL_EXPORT(SetCursorPos), VTL_EXPORT(GetCursorPos), VTL_EXPORT(GetAsyncKeyState),
      VTL_EXPORT(GetKeyState), VTL_EXPORT(SetForegroundWindow), VTL_EXPORT(GetForegroundWindow),
      VTL_EXPORT(FindWindowA), VTL_EXPORT(GetDC), VTL_EXPORT(ReleaseDC), VTL_EXPORT(wsprintfA),
      VTL_EXPORT(wvsprintfA), VTL_EXPORT(CharUpperA), VTL_EXPORT(CharLowerA)}},
    {"kernel32",
     {VTL_EXPORT(GetVersionExA), VTL_EXPORT(GetVersion), VTL_EXPORT(GetSystemInfo), VTL_EXPORT(GlobalMemoryStatus),
      VTL_EXPORT(GetTickCount), VTL_EXPORT(Sleep), VTL_EXPORT(QueryPerformanceCounter),
      VTL_EXPORT(QueryPerformanceFrequency), VTL_EXPORT(GetSystemTime), VTL_EXPORT(GetLocalTime),
      VTL_EXPORT(OutputDebugStringA), VTL_EXPORT(CreateFileA), VTL_EXPORT(ReadFile), VTL_EXPORT(WriteFile),
      VTL_EXPORT(CloseHandle), VTL_EXPORT(DeleteFileA), VTL_EXPORT(GetModuleHandleA),
      VTL_EXPORT(GetModuleFileNameA), VTL_EXPORT(GetWindowsDirectoryA), VTL_EXPORT(LoadLibraryA),
      VTL_EXPORT(FreeLibrary), VTL_EXPORT(GetProcAddress), VTL_EXPORT(GlobalAlloc), VTL_EXPORT(GlobalFree),
      VTL_EXPORT(HeapAlloc), VTL_EXPORT(HeapFree), VTL_EXPORT(VirtualAlloc), VTL_EXPORT(VirtualFree),
      VTL_EXPORT(CreateEventA), VTL_EXPORT(SetEvent), VTL_EXPORT(WaitForSingleObject), VTL_EXPORT(CreateThread),
      VTL_EXPORT(InitializeCriticalSection), VTL_EXPORT(EnterCriticalSection),
      VTL_EXPORT(LeaveCriticalSection), VTL_EXPORT(DeleteCriticalSection), VTL_EXPORT(lstrcpyA),
      VTL_EXPORT(lstrlenA), VTL_EXPORT(lstrcmpiA), VTL_EXPORT(MulDiv), VTL_EXPORT(SetErrorMode)}},
};
#undef VTL_EXPORT

// "C:\WINDOWS\SYSTEM\DDRAW.DLL" and "ddraw" both name ddraw; ".dll" is
// what Windows appends to a name without an extension.
Library* libraryNamed(const char* fileName)
{
    std::string name(fileName);
    const size_t slash = name.find_last_of("\\/:");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    if (name.size() > 4 && vtl::equalNoCase(name.c_str() + name.size() - 4, ".dll"))
        name.resize(name.size() - 4);
    for (Library& library : gLibraries)
        if (vtl::equalNoCase(name.c_str(), library.name))
            return &library;
    return nullptr;
}

Library* libraryOf(HMODULE module)
{
    for (Library& library : gLibraries)
        if (reinterpret_cast<HMODULE>(&library) == module)
            return &library;
    return nullptr;
}

} // namespace

HMODULE LoadLibraryA(LPCSTR fileName)
{
    VTL_TRACE(kernel, "LoadLibraryA", fileName);
    if (!fileName || !*fileName) {
        vtl::setError(fileName ? ERROR_MOD_NOT_FOUND : ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
    Library* library = libraryNamed(fileName);
    if (!library) {
        VTL_UNSUPPORTED("LoadLibraryA of a library other than the platform's own", "fails");
        vtl::setError(ERROR_MOD_NOT_FOUND);
        return vtlTraceCall_.result(nullptr);
    }
    return vtlTraceCall_.result(reinterpret_cast<HMODULE>(library));
}

BOOL FreeLibrary(HMODULE module)
{
    VTL_TRACE(kernel, "FreeLibrary", module);
    if (!libraryOf(module)) {
        vtl::setError(ERROR_MOD_NOT_FOUND);
        return vtlTraceCall_.result(FALSE);
    }
    return vtlTraceCall_.result(TRUE);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name)
{
    VTL_TRACE(kernel, "GetProcAddress", module);
    const Library* library = libraryOf(module);
    if (!library) {
        vtl::setError(ERROR_MOD_NOT_FOUND);
        return vtlTraceCall_.result(nullptr);
    }
    if (!IS_INTRESOURCE(name))
        for (const Export& entry : library->exports)
            if (std::strcmp(entry.first, name) == 0)
                return vtlTraceCall_.result(entry.second);
    vtl::setError(ERROR_PROC_NOT_FOUND);
    return vtlTraceCall_.result(nullptr);
}
