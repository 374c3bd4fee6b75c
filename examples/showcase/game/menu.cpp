#include "game/menu.h"

#include "game/sound_effects.h"

namespace {
constexpr int kButton = 40;
constexpr int kItems = 4;
const unsigned short kItemIds[kItems] = {IdResume, IdSound, IdZoom, IdQuit};
const ButtonKind kItemKinds[kItems] = {ButtonPlay, ButtonSound, ButtonZoom, ButtonQuit};

HWND makeButton(Game& g, unsigned short id, ButtonKind kind, int x, int y)
{
    // The rectangle's right and bottom are inclusive.
    RECT r = {x, y, x + kButton - 1, y + kButton - 1};
    RLEFX* faces = g.assets.buttons[kind];
    return VTLCreateRLEButton(g.gfx, GetModuleHandleA(nullptr), id, nullptr, &r, &faces[FaceNormal],
                              &faces[FaceHover], &faces[FacePressed], &g.screen);
}

int itemX(const Game& g) { return g.width / 2 - 90; }
int itemY(const Game& g, int i) { return g.height / 2 - 110 + i * 56; }
} // namespace

bool createMenuButton(Game& g)
{
    g.menuButton = makeButton(g, IdMenu, ButtonMenu, g.width - kButton - 8, 8);
    return g.menuButton != nullptr;
}

void openMenu(Game& g)
{
    if (g.menuOpen)
        return;
    g.menuOpen = true;
    ++g.stats.menuOpened;
    for (int i = 0; i < kItems; ++i)
        g.menuItems[i] = makeButton(g, kItemIds[i], kItemKinds[i], itemX(g), itemY(g, i));
}

void closeMenu(Game& g)
{
    if (!g.menuOpen)
        return;
    g.menuOpen = false;
    for (HWND& button : g.menuItems)
        if (button) {
            DestroyButton(button, GetModuleHandleA(nullptr));
            button = nullptr;
        }
}

void destroyMenu(Game& g)
{
    closeMenu(g);
    if (g.menuButton) {
        DestroyButton(g.menuButton, GetModuleHandleA(nullptr));
        g.menuButton = nullptr;
    }
}

bool menuCommand(Game& g, unsigned short id)
{
    switch (id) {
    // A button is not destroyed while it reports its own click: the menu
    // closes at the start of the next tick.
    case IdMenu:
        if (g.menuOpen)
            g.menuClosing = true;
        else
            openMenu(g);
        break;
    case IdResume:
        g.menuClosing = true;
        break;
    case IdSound:
        setSoundOn(g, !g.soundOn);
        break;
    case IdZoom:
        g.zoom = !g.zoom;
        break;
    case IdQuit:
        PostMessageA(g.hwnd, WM_KEYDOWN, VK_ESCAPE, 0); // leaves as Escape does
        break;
    default:
        return false;
    }
    playEffect(g, EffectClick);
    return true;
}

void drawMenuLabels(Game& g)
{
    if (!g.menuOpen)
        return;
    const char* labels[kItems] = {"Resume", g.soundOn ? "Sound: on" : "Sound: off", g.zoom ? "Magnifier: on" : "Magnifier: off",
                                  "Quit"};
    char title[] = "Paused";
    g.gfx->gfxString(title, g.font, RGB(255, 230, 140), static_cast<short>(g.width / 2),
                     static_cast<short>(itemY(g, 0) - 44), 1);
    for (int i = 0; i < kItems; ++i)
        g.gfx->gfxString(const_cast<char*>(labels[i]), g.font, RGB(235, 240, 255),
                         static_cast<short>(itemX(g) + kButton + 14), static_cast<short>(itemY(g, i) + 9), 0);
}
