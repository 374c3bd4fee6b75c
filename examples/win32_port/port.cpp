// MAZERUN - a tiny maze runner.
//
// This file is written the way a game for the Windows version was written:
// WinMain, <windows.h>, <ddraw.h>, an INI file beside the program, a
// timeGetTime frame loop, DWORD colours, data files named the DOS way.  It
// builds unchanged with the Vantrel::win32 target (see docs/porting.md).
#include <windows.h>
#include <mmsystem.h>
#include <ddraw.h>
#include <stdio.h>

#include <vantrel.h>

#define MAP_W 16
#define MAP_H 9
#define TILE 16

// ---- Globals ---------------------------------------------------------------
static DXWindow* g_pWindow = NULL;
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
    wsprintf(szText, "Step %d / %d  frame %lu", g_nStep + 1, g_nPathLen, g_dwFrame);
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
        OutputDebugString("MAZERUN: exit reached\r\n");
    }
    if (g_dwMaxFrames && g_dwFrame >= g_dwMaxFrames)
        PostMessage(g_pWindow->hwnd(), WM_CLOSE, 0, 0);
}

// ---- Window ----------------------------------------------------------------
LRESULT CALLBACK WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            PostMessage(hWnd, WM_CLOSE, 0, 0);
        return 0;
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

    if (!LoadLevel("Data\\Level1.dat") || !FindPath()) {
        MessageBox(NULL, "Cannot load Data\\Level1.dat", "MAZERUN", MB_OK | MB_ICONERROR);
        return 1;
    }

    DXWindow window(hInstance, "MazeRunClass", "MAZERUN");
    g_pWindow = &window;
    if (!window.doReg(WndProc, 0, 0, 0) || !window.createWindow(nWidth, nHeight))
        return 1;
    window.show(nCmdShow);

    g_gfx.gfxSetup(window.hwnd(), (unsigned short)nWidth, (unsigned short)nHeight, (unsigned char)nDepth);
    if (g_gfx.gfxBegin() != 1)
        return 1;

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
    DWORD dwLast = timeGetTime();
    MSG msg;
    ZeroMemory(&msg, sizeof(msg));
    for (;;) {
        if (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                break;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
            continue;
        }
        DWORD dwNow = timeGetTime();
        if (dwNow - dwLast < dwFrameMs) {
            Sleep(1);
            continue;
        }
        dwLast = dwNow;
        UpdateGame();
        DrawFrame();
    }
    timeEndPeriod(1);

    g_back.release();
    g_gfx.gfxEnd();
    window.unReg();

    char szDone[80];
    wsprintf(szDone, "MAZERUN: %lu frames, exit %s\n", g_dwFrame, g_bDone ? "reached" : "not reached");
    printf("%s", szDone);
    return g_bDone ? (int)msg.wParam : 2;
}
