// The picture of each native window, kept as SDL window data so that it
// goes with the window.  Presents may come from another thread than the
// window's events, hence the lock.
#include "platform/backends/sdl/sdl_picture.h"

#include <algorithm>
#include <mutex>

namespace vtl {
namespace {

constexpr const char* kKey = "vantrel.picture";
std::mutex gPictureLock;

} // namespace

SDL_Rect fitPicture(int gameWidth, int gameHeight, int areaWidth, int areaHeight, bool wholeMultiples)
{
    SDL_Rect r{0, 0, areaWidth, areaHeight};
    if (gameWidth <= 0 || gameHeight <= 0)
        return r;
    const int whole = std::min(areaWidth / gameWidth, areaHeight / gameHeight);
    if (wholeMultiples && whole >= 1) {
        r.w = gameWidth * whole;
        r.h = gameHeight * whole;
    } else if (static_cast<long long>(areaWidth) * gameHeight <= static_cast<long long>(areaHeight) * gameWidth) {
        r.w = areaWidth;
        r.h = static_cast<int>(static_cast<long long>(areaWidth) * gameHeight / gameWidth);
    } else {
        r.h = areaHeight;
        r.w = static_cast<int>(static_cast<long long>(areaHeight) * gameWidth / gameHeight);
    }
    r.x = (areaWidth - r.w) / 2;
    r.y = (areaHeight - r.h) / 2;
    return r;
}

void setPicture(SDL_Window* window, const Picture& picture)
{
    std::lock_guard<std::mutex> lock(gPictureLock);
    Picture* p = static_cast<Picture*>(SDL_GetWindowData(window, kKey));
    if (!p) {
        p = new Picture;
        SDL_SetWindowData(window, kKey, p);
    }
    *p = picture;
}

void clearPicture(SDL_Window* window)
{
    std::lock_guard<std::mutex> lock(gPictureLock);
    delete static_cast<Picture*>(SDL_SetWindowData(window, kKey, nullptr));
}

bool pictureOf(SDL_Window* window, Picture* picture)
{
    std::lock_guard<std::mutex> lock(gPictureLock);
    const Picture* p = static_cast<const Picture*>(SDL_GetWindowData(window, kKey));
    if (!p || p->shown.w <= 0 || p->shown.h <= 0)
        return false;
    *picture = *p;
    return true;
}

bool toGamePoint(SDL_Window* window, int x, int y, int* gameX, int* gameY)
{
    Picture p;
    if (!window || !pictureOf(window, &p)) {
        *gameX = x;
        *gameY = y;
        return true;
    }
    // The game pixel whose scaled square holds the point: floor division,
    // so that a bar's pixels fall outside 0 .. size - 1.
    auto map = [](int v, int from, int span, int size) {
        const long long offset = static_cast<long long>(v - from) * size;
        return static_cast<int>(offset >= 0 ? offset / span : -((-offset + span - 1) / span));
    };
    const int gx = map(x, p.shown.x, p.shown.w, p.gameWidth);
    const int gy = map(y, p.shown.y, p.shown.h, p.gameHeight);
    *gameX = std::clamp(gx, 0, p.gameWidth - 1);
    *gameY = std::clamp(gy, 0, p.gameHeight - 1);
    return gx == *gameX && gy == *gameY;
}

void toNativePoint(SDL_Window* window, int gameX, int gameY, int* x, int* y)
{
    Picture p;
    if (!window || !pictureOf(window, &p)) {
        *x = gameX;
        *y = gameY;
        return;
    }
    // The smallest native offset whose floor division lands on the game
    // pixel: ceil(game * span / size).
    auto map = [](int g, int from, int span, int size) {
        const long long scaled = static_cast<long long>(g) * span;
        const long long offset = scaled >= 0 ? (scaled + size - 1) / size : -(-scaled / size);
        return from + static_cast<int>(offset);
    };
    *x = map(gameX, p.shown.x, p.shown.w, p.gameWidth);
    *y = map(gameY, p.shown.y, p.shown.h, p.gameHeight);
}

} // namespace vtl
