// Loading DirectX and the system's libraries by name, as a game does to run
// without them or to reach an entry point its import library lacks.
#include <windows.h>
#include <ddraw.h>

#include <gtest/gtest.h>

#include <string>

namespace {

typedef HRESULT(WINAPI* DirectDrawCreateCall)(GUID*, LPDIRECTDRAW*, IUnknown*);
typedef DWORD(WINAPI* TimeGetTimeCall)();

// A game casts GetProcAddress's answer to the function's type; through
// void(*)() so that -Wcast-function-type lets it (on mingw-w64 as here).
template <class Call>
Call procedure(HMODULE module, const char* name)
{
    return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace

TEST(LoadedLibraries, OneLibraryByEveryNameAGameUses)
{
    const HMODULE ddraw = LoadLibraryA("ddraw.dll");
    ASSERT_NE(ddraw, nullptr);
    char folder[MAX_PATH];
    ASSERT_NE(GetWindowsDirectoryA(folder, sizeof folder), 0u);
    const std::string inSystemFolder = std::string(folder) + "\\system32\\DDRAW.DLL";
    EXPECT_EQ(LoadLibraryA(inSystemFolder.c_str()), ddraw);
    EXPECT_EQ(LoadLibrary("DDraw"), ddraw);
    EXPECT_NE(LoadLibraryA("dsound.dll"), ddraw);

    const DirectDrawCreateCall create = procedure<DirectDrawCreateCall>(ddraw, "DirectDrawCreate");
    ASSERT_NE(create, nullptr);
    LPDIRECTDRAW directDraw = nullptr;
    ASSERT_EQ(create(nullptr, &directDraw, nullptr), DD_OK);
    directDraw->Release();
    EXPECT_TRUE(FreeLibrary(ddraw));
    EXPECT_TRUE(FreeLibrary(ddraw));
    EXPECT_TRUE(FreeLibrary(ddraw));
}

TEST(LoadedLibraries, EachLibraryHasItsOwnFunctions)
{
    const HMODULE winmm = LoadLibraryA("WINMM.DLL");
    ASSERT_NE(winmm, nullptr);
    const TimeGetTimeCall now = procedure<TimeGetTimeCall>(winmm, "timeGetTime");
    ASSERT_NE(now, nullptr);
    const DWORD before = timeGetTime();
    EXPECT_LE(now() - before, 1000u);

    for (const char* library : {"dsound.dll", "dinput.dll", "wsock32.dll", "user32.dll", "kernel32.dll"})
        EXPECT_NE(LoadLibraryA(library), nullptr) << library;
    EXPECT_NE(GetProcAddress(LoadLibraryA("dsound"), "DirectSoundCreate"), nullptr);
    EXPECT_NE(GetProcAddress(LoadLibraryA("kernel32"), "GetTickCount"), nullptr);
    EXPECT_NE(GetProcAddress(LoadLibraryA("user32"), "PeekMessageA"), nullptr);
    EXPECT_NE(GetProcAddress(LoadLibraryA("wsock32"), "WSAStartup"), nullptr);
    FreeLibrary(winmm);
}

TEST(LoadedLibraries, WhatIsNotThereFailsAsOnWindows)
{
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA("no_such_library.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

    const HMODULE ddraw = LoadLibraryA("ddraw.dll");
    ASSERT_NE(ddraw, nullptr);
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(ddraw, "NoSuchCall"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    // Names are exact: case matters, and a library has only its own.
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(ddraw, "directdrawcreate"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(ddraw, "timeGetTime"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    FreeLibrary(ddraw);
}
