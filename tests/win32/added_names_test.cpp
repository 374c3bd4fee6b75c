// Every name added for the system, rectangle, compiler-word, registry,
// library-loading and multimedia groups,
// called (or, where a call would end the test, bound to a pointer of its
// Windows type) from source that compiles unchanged against the real
// Windows headers and against the compatibility headers.
#include <windows.h>

#include "registry_keys.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

__declspec(selectany) int gSelectedOnce = 1;
__declspec(noreturn) void __cdecl addedNamesNeverReturns();
__declspec(dllexport) int __stdcall addedNamesExported(int value)
{
    return value + gSelectedOnce;
}

namespace {

int __fastcall fast(int value)
{
    return value * 2;
}
int _cdecl oldSpelling(int value)
{
    return value - 1;
}

int vformat(char* buffer, size_t size, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const int result = _vsnprintf(buffer, size, format, arguments);
    va_end(arguments);
    return result;
}

void CALLBACK addedNamesTick(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {}

} // namespace

TEST(AddedNames, SystemGroup)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    EXPECT_TRUE(GetVersionExA(&version));
    EXPECT_NE(GetVersion(), 0u);
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    MEMORYSTATUS status;
    GlobalMemoryStatus(&status);

    HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, 4);
    GlobalLock(global);
    GlobalUnlock(global);
    EXPECT_EQ(GlobalFlags(global), 0u);
    global = GlobalReAlloc(global, 8, GMEM_MOVEABLE);
    EXPECT_EQ(GlobalSize(global), 8u);
    EXPECT_EQ(GlobalHandle(GlobalLock(global)), global);
    GlobalUnlock(global);
    GlobalFree(global);
    HLOCAL local = LocalAlloc(LMEM_MOVEABLE, 4);
    LocalLock(local);
    LocalUnlock(local);
    EXPECT_EQ(LocalFlags(local), 0u);
    local = LocalReAlloc(local, 8, LMEM_MOVEABLE);
    EXPECT_EQ(LocalSize(local), 8u);
    EXPECT_EQ(LocalHandle(LocalLock(local)), local);
    LocalUnlock(local);
    LocalFree(local);

    HANDLE heap = HeapCreate(0, 0, 0);
    LPVOID block = HeapAlloc(heap, 0, 4);
    block = HeapReAlloc(heap, 0, block, 8);
    EXPECT_EQ(HeapSize(heap, 0, block), 8u);
    HeapFree(heap, 0, block);
    HeapDestroy(heap);
    EXPECT_NE(GetProcessHeap(), nullptr);

    LPVOID pages = VirtualAlloc(NULL, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    DWORD old;
    VirtualProtect(pages, 4096, PAGE_READONLY, &old);
    MEMORY_BASIC_INFORMATION info;
    VirtualQuery(pages, &info, sizeof info);
    VirtualFree(pages, 0, MEM_RELEASE);
    EXPECT_TRUE(IsBadReadPtr(NULL, 1));
    EXPECT_TRUE(IsBadWritePtr(NULL, 1));

    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    TryEnterCriticalSection(&section);
    LeaveCriticalSection(&section);
    LeaveCriticalSection(&section);
    DeleteCriticalSection(&section);
    EXPECT_TRUE(InitializeCriticalSectionAndSpinCount(&section, 4000));
    DeleteCriticalSection(&section);

    HANDLE mutex = CreateMutex(NULL, FALSE, NULL);
    WaitForSingleObject(mutex, 0);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    HANDLE semaphore = CreateSemaphore(NULL, 0, 1, NULL);
    LONG previous;
    ReleaseSemaphore(semaphore, 1, &previous);
    CloseHandle(semaphore);
    HANDLE event = CreateEvent(NULL, TRUE, FALSE, NULL);
    PulseEvent(event);
    CloseHandle(event);

    volatile LONG counter = 0;
    InterlockedIncrement(&counter);
    InterlockedDecrement(&counter);
    InterlockedExchange(&counter, 1);
    InterlockedExchangeAdd(&counter, 1);
    InterlockedCompareExchange(&counter, 0, 2);
    PVOID volatile pointer = NULL;
    InterlockedExchangePointer(&pointer, &section);
    InterlockedCompareExchangePointer(&pointer, NULL, &section);

    EXPECT_NE(GetCurrentThreadId(), 0u);
    EXPECT_NE(GetCurrentProcessId(), 0u);
    EXPECT_NE(GetCurrentProcess(), nullptr);
    EXPECT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL));
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_NORMAL);

    char text[256];
    FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, ERROR_INVALID_HANDLE,
                  MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, NULL);
    char user[257];
    DWORD userSize = sizeof user;
    EXPECT_TRUE(GetUserName(user, &userSize));
    SetEnvironmentVariable("VANTREL_ADDED_NAMES", "1");
    EXPECT_EQ(GetEnvironmentVariable("VANTREL_ADDED_NAMES", text, sizeof text), 1u);
    EXPECT_EQ(MulDiv(3, 4, 6), 2);
    SetErrorMode(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX));

    // These show a box (and end the process): bound, not called.
    void(WINAPI * fatalExit)(UINT, LPCSTR) = FatalAppExit;
    int(WINAPI * boxEx)(HWND, LPCSTR, LPCSTR, UINT, WORD) = MessageBoxEx;
    EXPECT_NE(fatalExit, nullptr);
    EXPECT_NE(boxEx, nullptr);
}

TEST(AddedNames, RectangleGroup)
{
    RECT a, b, r;
    SetRect(&a, 0, 0, 2, 2);
    CopyRect(&b, &a);
    OffsetRect(&b, 1, 1);
    InflateRect(&b, 1, 1);
    IntersectRect(&r, &a, &b);
    UnionRect(&r, &a, &b);
    SubtractRect(&r, &a, &b);
    POINT point = {1, 1};
    EXPECT_TRUE(PtInRect(&a, point));
    EXPECT_FALSE(EqualRect(&a, &b));
    SetRectEmpty(&r);
    EXPECT_TRUE(IsRectEmpty(&r));
}

TEST(AddedNames, CompilerWordsGroup)
{
    __int64 wide = 1;
    wide <<= 40;
    EXPECT_EQ(sizeof wide, 8u);
    EXPECT_EQ(addedNamesExported(1) + fast(1) + oldSpelling(1), 4);
    EXPECT_EQ(_stricmp("a", "A") + _strnicmp("ab", "AC", 1) + stricmp("b", "B") + strnicmp("x", "X", 1), 0);
    char text[_MAX_PATH] = "Mixed";
    char path[MAX_PATH];
    _strlwr(text);
    _strupr(text);
    char* copy = _strdup(text);
    free(copy);
    EXPECT_EQ(_snprintf(path, sizeof path, "%s", text), 5);
    EXPECT_EQ(vformat(path, sizeof path, "%d", 42), 2);
    _itoa(1, path, 10);
    _ltoa(1L, path, 10);
    _ultoa(1UL, path, 10);
}

TEST_F(RegistryTest, AddedNamesRegistryGroup)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    REGSAM access = KEY_ALL_ACCESS;
    LSTATUS status = RegCreateKeyEx(HKEY_CURRENT_USER, TEXT("Software\\VantrelTest\\Names"), 0, nullptr,
                                    REG_OPTION_NON_VOLATILE, access, nullptr, &key, &disposition);
    EXPECT_EQ(status, ERROR_SUCCESS);
    PHKEY out = &key;
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKey(*out, "Child", &child), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(child), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKey(key, "Child", &child), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(child), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyEx(key, "Child", 0, KEY_READ, &child), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(child), ERROR_SUCCESS);
    const DWORD one = 1;
    EXPECT_EQ(RegSetValueEx(key, "One", 0, REG_DWORD, (const BYTE*)&one, sizeof one), ERROR_SUCCESS);
    EXPECT_EQ(RegFlushKey(key), ERROR_SUCCESS);
    DWORD type = REG_NONE, size = 0;
    EXPECT_EQ(RegQueryValueEx(key, "One", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    char name[16];
    DWORD nameSize = sizeof name;
    FILETIME written;
    PFILETIME when = &written;
    EXPECT_EQ(RegEnumKeyEx(key, 0, name, &nameSize, nullptr, nullptr, nullptr, when), ERROR_SUCCESS);
    EXPECT_EQ(RegEnumKey(key, 0, name, sizeof name), ERROR_SUCCESS);
    nameSize = sizeof name;
    EXPECT_EQ(RegEnumValue(key, 0, name, &nameSize, nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, "One"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(key, "Child"), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST(AddedNames, LibraryLoadingGroup)
{
    HMODULE module = LoadLibrary("winmm.dll");
    ASSERT_NE(module, nullptr);
    FARPROC procedure = GetProcAddress(module, "timeGetTime");
    EXPECT_NE(procedure, nullptr);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(LoadLibraryA("no_such_library.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(ERROR_PROC_NOT_FOUND + ERROR_MORE_DATA + ERROR_NO_MORE_ITEMS + ERROR_KEY_DELETED + ERROR_BADKEY +
                  ERROR_BAD_PATHNAME + ERROR_CANTWRITE + ERROR_CANTREAD + REG_SZ + REG_EXPAND_SZ + REG_BINARY +
                  REG_MULTI_SZ + REG_DWORD_BIG_ENDIAN + REG_CREATED_NEW_KEY + REG_OPENED_EXISTING_KEY +
                  KEY_SET_VALUE + KEY_QUERY_VALUE + KEY_CREATE_SUB_KEY + KEY_ENUMERATE_SUB_KEYS + KEY_WRITE,
              127 + 234 + 259 + 1018 + 1010 + 161 + 1013 + 1012 + 1 + 2 + 3 + 7 + 5 + 1 + 2 + 2 + 1 + 4 + 8 +
                  0x20006);
    HKEY roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_CURRENT_CONFIG};
    EXPECT_NE(roots[0], roots[1]);
}

TEST(AddedNames, MultimediaGroup)
{
    const MMRESULT timer = timeSetEvent(1000, 10, addedNamesTick, 0, TIME_ONESHOT | TIME_CALLBACK_FUNCTION);
    EXPECT_EQ(timeKillEvent(timer), MMRESULT(TIMERR_NOERROR));
    LPTIMECALLBACK callback = addedNamesTick;
    EXPECT_NE(callback, nullptr);

    EXPECT_GE(joyGetNumDevs(), 2u);
    JOYCAPS caps;
    joyGetDevCaps(JOYSTICKID1, &caps, sizeof caps);
    JOYCAPSA capsA;
    joyGetDevCapsA(JOYSTICKID2, &capsA, sizeof capsA);
    JOYINFO info;
    joyGetPos(JOYSTICKID1, &info);
    JOYINFOEX infoEx = {};
    infoEx.dwSize = sizeof infoEx;
    infoEx.dwFlags = JOY_RETURNALL;
    joyGetPosEx(JOYSTICKID1, &infoEx);

    WAVEOUTCAPS outCaps;
    EXPECT_EQ(waveOutGetDevCaps(WAVE_MAPPER, &outCaps, sizeof outCaps), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_GE(waveOutGetNumDevs(), 1u);
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 11025;
    format.wBitsPerSample = 8;
    format.nBlockAlign = 1;
    format.nAvgBytesPerSec = 11025;
    HWAVEOUT device = nullptr;
    ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMRESULT(MMSYSERR_NOERROR));
    char samples[64] = {};
    WAVEHDR header = {};
    header.lpData = samples;
    header.dwBufferLength = sizeof samples;
    EXPECT_EQ(waveOutPrepareHeader(device, &header, sizeof header), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(waveOutPause(device), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(waveOutWrite(device, &header, sizeof header), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(waveOutRestart(device), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(waveOutReset(device), MMRESULT(MMSYSERR_NOERROR));
    MMTIME position = {};
    position.wType = TIME_BYTES;
    EXPECT_EQ(waveOutGetPosition(device, &position, sizeof position), MMRESULT(MMSYSERR_NOERROR));
    DWORD volume = 0;
    EXPECT_EQ(waveOutSetVolume(device, 0xFFFFFFFF), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(waveOutGetVolume(device, &volume), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(waveOutUnprepareHeader(device, &header, sizeof header), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(waveOutClose(device), MMRESULT(MMSYSERR_NOERROR));
    LPHWAVEOUT handleOut = &device;
    EXPECT_NE(handleOut, nullptr);
    EXPECT_EQ(UINT(WOM_DONE), UINT(MM_WOM_DONE));

    EXPECT_TRUE(PlaySound(NULL, NULL, SND_PURGE));
    EXPECT_TRUE(PlaySoundA(NULL, NULL, 0));
    EXPECT_TRUE(sndPlaySound(NULL, SND_ASYNC));
    EXPECT_TRUE(sndPlaySoundA(NULL, SND_ASYNC));
    char reply[16];
    EXPECT_EQ(mciSendString("close all", reply, sizeof reply, NULL), 0u);
    EXPECT_EQ(mciSendStringA("close all", NULL, 0, NULL), 0u);
    EXPECT_NE(UINT(MM_MCINOTIFY), UINT(MCI_NOTIFY_SUCCESSFUL));
    char text[MAXERRORLENGTH];
    EXPECT_TRUE(mciGetErrorString(MCIERR_HARDWARE, text, sizeof text));
    EXPECT_TRUE(mciGetErrorStringA(MCIERR_OUTOFRANGE, text, sizeof text));
}
