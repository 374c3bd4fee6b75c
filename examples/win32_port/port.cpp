// MAZERUN - a tiny maze runner.
//
// This file is written the way a game for the Windows version was written:
// WinMain, <windows.h>, <ddraw.h>, <dinput.h>, an INI file beside the
// program, its run count in the registry, its icon, texts, start box and
// exit sound in a resource script (port.rc), a multimedia-timer tick,
// DWORD colours, data files named the DOS way.  It builds unchanged with
// the Vantrel::win32 target (see docs/porting.md).
#define DIRECTINPUT_VERSION 0x0500
#include <windows.h>
#include <mmsystem.h>
#include <ddraw.h>
#include <dinput.h>
#include <stdio.h>

#include <vantrel.h>

#include "resource.h"

#define REG_KEY "Software\\Mazeworks\\MAZERUN"

#define MAP_W 16
#define MAP_H 9
#define TILE 16

// ---- Globals ---------------------------------------------------------------
static HINSTANCE g_hInst = NULL;
static DXWindow* g_pWindow = NULL;
static LPDIRECTINPUT g_pDI = NULL;
static LPDIRECTINPUTDEVICE g_pKeyboard = NULL;
static HANDLE g_hTick = NULL;
static char g_szStatus[64];
static DWORD g_dwRuns = 0;
static UINT g_uStartBoxMs = 0;
static VTLHND g_gfx;
static BITPLANEFX g_back;
static char g_szIni[MAX_PATH];
static char g_map[MAP_H][MAP_W + 1];
static int g_nPathLen = 0;
static POINT g_path[MAP_W * MAP_H];
static DWORD g_dwFrame = 0;
static DWORD g_dwMaxFrames = 0;
static int g_nStep = 0;
static BOOL g_bDone = FALSE;

static DWORD g_dwWall, g_dwFloor, g_dwRunner, g_dwExit, g_dwBar;

// ---- Level -----------------------------------------------------------------
static BOOL LoadLevel(LPCSTR szFile)
{
    HANDLE hFile = CreateFile(szFile, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;

    char buf[1024];
    DWORD dwSize = GetFileSize(hFile, NULL);
    DWORD dwRead = 0;
    if (dwSize >= sizeof(buf) || !ReadFile(hFile, buf, dwSize, &dwRead, NULL) || dwRead != dwSize) {
        CloseHandle(hFile);
        return FALSE;
    }
    CloseHandle(hFile);
    buf[dwRead] = 0;

    int row = 0, col = 0;
    for (DWORD i = 0; i < dwRead && row < MAP_H; i++) {
        if (buf[i] == '\r')
            continue;
        if (buf[i] == '\n') {
            g_map[row][col] = 0;
            row++;
            col = 0;
            continue;
        }
        if (col < MAP_W)
            g_map[row][col++] = buf[i];
    }
    return row == MAP_H;
}

// Walks the corridor from S to E (it never branches), recording each tile.
static BOOL FindPath()
{
    int x = 0, y = 0;
    for (int j = 0; j < MAP_H; j++)
        for (int i = 0; i < MAP_W; i++)
            if (g_map[j][i] == 'S') {
                x = i;
                y = j;
            }
    int px = -1, py = -1;
    g_nPathLen = 0;
    while (g_nPathLen < MAP_W * MAP_H) {
        g_path[g_nPathLen].x = x;
        g_path[g_nPathLen].y = y;
        g_nPathLen++;
        if (g_map[y][x] == 'E')
            return TRUE;
        static const int dx[4] = {1, 0, -1, 0};
        static const int dy[4] = {0, 1, 0, -1};
        BOOL bMoved = FALSE;
        for (int d = 0; d < 4 && !bMoved; d++) {
            int nx = x + dx[d], ny = y + dy[d];
            if ((nx != px || ny != py) && g_map[ny][nx] != '#') {
                px = x;
                py = y;
                x = nx;
                y = ny;
                bMoved = TRUE;
            }
        }
        if (!bMoved)
            return FALSE;
    }
    return FALSE;
}

// ---- Drawing ---------------------------------------------------------------
static void PutPixel(BITPLANEFX* s, int x, int y, DWORD dwColor)
{
    LPBYTE p = s->pixels + y * s->pitch + x * s->bytesPerPixel;
    for (int i = 0; i < s->bytesPerPixel; i++)
        p[i] = (BYTE)(dwColor >> (8 * i));
}

static void FillTile(int tx, int ty, DWORD dwColor)
{
    for (int y = 1; y < TILE - 1; y++)
        for (int x = 1; x < TILE - 1; x++)
            PutPixel(&g_back, tx * TILE + x + 32, ty * TILE + y + 40, dwColor);
}

static void DrawFrame()
{
    g_gfx.gfxClearSystemBuffer(&g_back);
    for (int j = 0; j < MAP_H; j++) {
        for (int i = 0; i < MAP_W; i++) {
            char c = g_map[j][i];
            FillTile(i, j, c == '#' ? g_dwWall : c == 'E' ? g_dwExit : g_dwFloor);
        }
    }
    FillTile(g_path[g_nStep].x, g_path[g_nStep].y, g_dwRunner);
    g_gfx.gfxCopyBackBuffer(&g_back);

    // The progress bar goes straight into the back buffer.
    DDSURFACEDESC ddsd;
    ZeroMemory(&ddsd, sizeof(ddsd));
    ddsd.dwSize = sizeof(ddsd);
    if (g_gfx.backBuffer && g_gfx.backBuffer->Lock(NULL, &ddsd, DDLOCK_WAIT, NULL) == DD_OK) {
        int w = (int)(g_gfx.width * (g_nStep + 1) / g_nPathLen);
        for (int y = 8; y < 16; y++) {
            LPBYTE row = (LPBYTE)ddsd.lpSurface + y * ddsd.lPitch;
            for (int x = 0; x < w; x++)
                for (int b = 0; b < g_gfx.bytesPerPixel; b++)
                    row[x * g_gfx.bytesPerPixel + b] = (BYTE)(g_dwBar >> (8 * b));
        }
        g_gfx.backBuffer->Unlock(ddsd.lpSurface);
    }

    char szText[64];
    wsprintf(szText, g_szStatus, g_nStep + 1, g_nPathLen, g_dwFrame);
    g_gfx.gfxString(szText, NULL, RGB(255, 255, 255), 32, 200, 0);
    g_gfx.gfxSwapBuffers();
}

static void UpdateGame()
{
    g_dwFrame++;
    if (g_dwFrame % 4 == 0 && g_nStep < g_nPathLen - 1)
        g_nStep++;
    if (g_nStep == g_nPathLen - 1 && !g_bDone) {
        g_bDone = TRUE;
        char szNum[16];
        wsprintf(szNum, "%lu", g_dwFrame);
        DWORD dwBest = GetPrivateProfileInt("Scores", "Best", 0, g_szIni);
        if (dwBest == 0 || g_dwFrame < dwBest)
            WritePrivateProfileString("Scores", "Best", szNum, g_szIni);
        PlaySound(MAKEINTRESOURCE(IDW_EXIT), g_hInst, SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
        OutputDebugString("MAZERUN: exit reached\r\n");
    }
    if (g_dwMaxFrames && g_dwFrame >= g_dwMaxFrames)
        PostMessage(g_pWindow->hwnd(), WM_CLOSE, 0, 0);
}

// ---- Keyboard --------------------------------------------------------------
static BOOL InitKeyboard(HINSTANCE hInstance, HWND hWnd)
{
    if (DirectInputCreate(hInstance, DIRECTINPUT_VERSION, &g_pDI, NULL) != DI_OK)
        return FALSE;
    if (g_pDI->CreateDevice(GUID_SysKeyboard, &g_pKeyboard, NULL) != DI_OK)
        return FALSE;
    if (g_pKeyboard->SetDataFormat(&c_dfDIKeyboard) != DI_OK)
        return FALSE;
    // Background: the demo runs on whether or not its window has the focus.
    if (g_pKeyboard->SetCooperativeLevel(hWnd, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND) != DI_OK)
        return FALSE;
    g_pKeyboard->Acquire();
    return TRUE;
}

static void ReadKeyboard()
{
    BYTE keys[256];
    HRESULT hr = g_pKeyboard->GetDeviceState(sizeof(keys), keys);
    if (hr == DIERR_INPUTLOST || hr == DIERR_NOTACQUIRED) {
        g_pKeyboard->Acquire();
        hr = g_pKeyboard->GetDeviceState(sizeof(keys), keys);
    }
    if (hr == DI_OK && (keys[DIK_ESCAPE] & 0x80))
        PostMessage(g_pWindow->hwnd(), WM_CLOSE, 0, 0);
}

static void ReleaseKeyboard()
{
    if (g_pKeyboard) {
        g_pKeyboard->Unacquire();
        g_pKeyboard->Release();
        g_pKeyboard = NULL;
    }
    if (g_pDI) {
        g_pDI->Release();
        g_pDI = NULL;
    }
}

// ---- Tick ------------------------------------------------------------------
// The multimedia timer paces the frames; the game itself steps once a frame,
// so a late tick slows the run down but never changes its course.
static void CALLBACK TickProc(UINT uTimerID, UINT uMsg, DWORD_PTR dwUser, DWORD_PTR dw1, DWORD_PTR dw2)
{
    (void)uTimerID;
    (void)uMsg;
    (void)dwUser;
    (void)dw1;
    (void)dw2;
    SetEvent(g_hTick);
}

// ---- Registry --------------------------------------------------------------
static DWORD ReadRuns()
{
    HKEY hKey;
    DWORD dwRuns = 0;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, REG_KEY, 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
        DWORD dwType, dwSize = sizeof(dwRuns);
        if (RegQueryValueEx(hKey, "Runs", NULL, &dwType, (LPBYTE)&dwRuns, &dwSize) != ERROR_SUCCESS ||
            dwType != REG_DWORD)
            dwRuns = 0;
        RegCloseKey(hKey);
    }
    return dwRuns;
}

static void WriteRuns(DWORD dwRuns)
{
    HKEY hKey;
    DWORD dwDisp;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, REG_KEY, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL, &hKey,
                       &dwDisp) == ERROR_SUCCESS) {
        RegSetValueEx(hKey, "Runs", 0, REG_DWORD, (const BYTE*)&dwRuns, sizeof(dwRuns));
        RegCloseKey(hKey);
    }
}

// ---- Start box -------------------------------------------------------------
// In a demo run (PORT.INI's Demo Frames) the box presses Play by itself.
INT_PTR CALLBACK StartProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (uMsg) {
    case WM_INITDIALOG: {
        char szRuns[64];
        wsprintf(szRuns, "Runs so far: %lu", g_dwRuns);
        SetWindowText(GetDlgItem(hDlg, IDC_RUNS), szRuns);
        if (g_dwMaxFrames)
            SetTimer(hDlg, 1, g_uStartBoxMs, NULL);
        return TRUE;
    }
    case WM_TIMER:
        KillTimer(hDlg, 1);
        EndDialog(hDlg, IDOK);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(hDlg, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

// ---- Window ----------------------------------------------------------------
// In a window the frame is copied to the client area, wherever it is now.
static void SetGameRect(HWND hWnd)
{
    RECT rc;
    POINT pt = {0, 0};
    GetClientRect(hWnd, &rc);
    ClientToScreen(hWnd, &pt);
    OffsetRect(&rc, pt.x, pt.y);
    g_gfx.gfxSetWindowRect(&rc);
}

LRESULT CALLBACK WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_MOVE:
    case WM_SIZE:
        SetGameRect(hWnd);
        break;
    case WM_CLOSE:
        // Through the DXWindow, so that unReg at the end finds no window
        // left and can unregister the class.
        g_pWindow->destroy();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProc(hWnd, uMsg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    (void)hPrevInstance;
    (void)lpCmdLine;
    g_hInst = hInstance;

    // Without its resources the program is damaged: no text to say so in.
    char szTitle[32];
    if (!LoadString(hInstance, IDS_TITLE, szTitle, sizeof(szTitle)))
        return 1;
    LoadString(hInstance, IDS_STATUS, g_szStatus, sizeof(g_szStatus));

    // PORT.INI lives beside the program.
    GetModuleFileName(NULL, g_szIni, MAX_PATH);
    char* pSlash = strrchr(g_szIni, '\\');
    if (pSlash)
        pSlash[1] = 0;
    lstrcat(g_szIni, "PORT.INI");

    int nWidth = GetPrivateProfileInt("Video", "Width", 320, g_szIni);
    int nHeight = GetPrivateProfileInt("Video", "Height", 240, g_szIni);
    int nDepth = GetPrivateProfileInt("Video", "Depth", 16, g_szIni);
    DWORD dwFrameMs = GetPrivateProfileInt("Video", "FrameMs", 33, g_szIni);
    g_dwMaxFrames = GetPrivateProfileInt("Demo", "Frames", 0, g_szIni);
    g_uStartBoxMs = GetPrivateProfileInt("Demo", "StartBoxMs", 1000, g_szIni);
    g_dwRuns = ReadRuns();

    char szError[64];
    if (!LoadLevel("Data\\Level1.dat") || !FindPath()) {
        LoadString(hInstance, IDS_NOLEVEL, szError, sizeof(szError));
        MessageBox(NULL, szError, szTitle, MB_OK | MB_ICONERROR);
        return 1;
    }

    DXWindow window(hInstance, "MazeRunClass", szTitle);
    g_pWindow = &window;
    if (!window.doReg(WndProc, 0, IDI_MAZERUN, 0) || !window.createWindow(nWidth, nHeight))
        return 1;
    window.show(nCmdShow);

    if (DialogBox(hInstance, MAKEINTRESOURCE(IDD_START), window.hwnd(), StartProc) != IDOK) {
        window.destroy();
        window.unReg();
        return 0;
    }

    if (!InitKeyboard(hInstance, window.hwnd())) {
        LoadString(hInstance, IDS_NOINPUT, szError, sizeof(szError));
        MessageBox(window.hwnd(), szError, szTitle, MB_OK | MB_ICONERROR);
        ReleaseKeyboard();
        return 1;
    }

    g_gfx.gfxSetup(window.hwnd(), (unsigned short)nWidth, (unsigned short)nHeight, (unsigned char)nDepth);
    if (g_gfx.gfxBegin() != 1)
        return 1;
    SetGameRect(window.hwnd());

    ZeroMemory(&g_back, sizeof(g_back));
    g_back.format = g_gfx.formatCode;
    g_back.bitsPerPixel = g_gfx.bitsPerPixel;
    g_back.bytesPerPixel = g_gfx.bytesPerPixel;
    if (!g_back.create(nWidth, nHeight, false))
        return 1;
    g_dwWall = g_gfx.packColor(90, 60, 40);
    g_dwFloor = g_gfx.packColor(20, 20, 40);
    g_dwRunner = g_gfx.packColor(255, 220, 0);
    g_dwExit = g_gfx.packColor(0, 200, 80);
    g_dwBar = g_gfx.packColor(200, 40, 40);

    timeBeginPeriod(1);
    g_hTick = CreateEvent(NULL, FALSE, FALSE, NULL);
    MMRESULT uTimer = timeSetEvent(dwFrameMs, 1, TickProc, 0, TIME_PERIODIC);
    if (!g_hTick || !uTimer)
        return 1;
    MSG msg;
    ZeroMemory(&msg, sizeof(msg));
    BOOL bQuit = FALSE;
    while (!bQuit) {
        while (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                bQuit = TRUE;
                break;
            }
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        if (bQuit)
            break;
        if (MsgWaitForMultipleObjects(1, &g_hTick, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0) {
            ReadKeyboard();
            UpdateGame();
            DrawFrame();
        }
    }
    timeKillEvent(uTimer);
    CloseHandle(g_hTick);
    timeEndPeriod(1);

    PlaySound(NULL, NULL, 0);
    WriteRuns(g_dwRuns + 1);

    ReleaseKeyboard();
    g_back.release();
    g_gfx.gfxEnd();
    window.unReg();

    char szDone[80];
    wsprintf(szDone, "MAZERUN: %lu frames, exit %s\n", g_dwFrame, g_bDone ? "reached" : "not reached");
    printf("%s", szDone);
    return g_bDone ? (int)msg.wParam : 2;
}
