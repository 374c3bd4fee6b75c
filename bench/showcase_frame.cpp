// The showcase game's busiest frame: every wisp on the screen, bolts in the
// air, blasts with their glows, the fog, the magnifier and the panel, drawn
// into the system buffer stage by stage and copied to the back buffer, on
// the headless backend in full screen at 640x480 and 800x600 in 8, 16 and 32
// bits.  Reported: frames per second, and each stage's share of the frame
// (the copy to the back buffer included) in per cent.
//
// showcaseFrameOnPath: the 640x480 16-bit frame with every kernel family
// forced onto one code path (<vantrel/seam/code_path.h>: 0 plain ... 4
// WebAssembly SIMD), skipped where the processor has no such path; the
// web build's benchmark compares its SIMD frame with its plain one.
#ifdef VANTREL_HAVE_SHOWCASE
#include "game/actors.h"
#include "game/scene.h"
#include "game/world.h"

#include <vantrel/seam/code_path_testing.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

LRESULT CALLBACK sceneProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND sceneWindow()
{
    static HWND window = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = sceneProcedure;
        wc.lpszClassName = "VantrelShowcaseBench";
        RegisterClassExA(&wc);
        return CreateWindowExA(0, "VantrelShowcaseBench", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
    }();
    return window;
}

// Every wisp in a ring around the hero, bolts flying out, blasts going off.
void crowd(Game& g)
{
    g.tick = 500; // past the title
    g.zoom = true;
    g.mouseX = g.width / 2 + 80;
    g.mouseY = g.height / 2 - 40;
    followCamera(g);
    for (size_t i = 0; i < g.enemies.size(); ++i) {
        const double a = i * 6.2831853 / g.enemies.size();
        Enemy& e = g.enemies[i];
        e.x = heroCentreX(g) + std::cos(a) * g.width * 0.35;
        e.y = heroCentreY(g) + std::sin(a) * g.height * 0.35;
        e.sprite.setX(static_cast<long>(e.x), false);
        e.sprite.setY(static_cast<long>(e.y), false);
    }
    for (int i = 0; i < 10; ++i) {
        const double a = i * 0.628;
        g.bolts.push_back(Bolt{heroCentreX(g) + std::cos(a) * 60, heroCentreY(g) + std::sin(a) * 60,
                               std::cos(a) * kBoltSpeed, std::sin(a) * kBoltSpeed, 40, i % 2 == 1});
    }
    for (int i = 0; i < 4; ++i)
        g.blasts.push_back(Blast{heroCentreX(g) - 150 + i * 100, heroCentreY(g) + 90, i * 5});
}

void showcaseFrame(benchmark::State& state)
{
    setenv("VANTREL_VIDEO", "headless", 0);
    setenv("VANTREL_AUDIO", "headless", 0);
    Game* game = new Game;
    Game& g = *game;
    g.width = static_cast<int>(state.range(0));
    g.height = static_cast<int>(state.range(1));
    VTLHND* gfx = new VTLHND;
    g.gfx = gfx;
    g.hwnd = sceneWindow();
    gfx->gfxSetup(g.hwnd, static_cast<unsigned short>(g.width), static_cast<unsigned short>(g.height),
                  static_cast<unsigned char>(state.range(2)));
    gfx->Override();
    gfx->isFullscreen = true;
    const char* missing = nullptr;
    bool ready = gfx->FastFileInit(const_cast<char*>("SHOWCASE")) && gfx->gfxBegin() == 1 &&
                 loadAssets(*gfx, g.assets, missing) && buildWorld(g) && prepareScene(g);
    if (ready) {
        placeHero(g);
        spawnEnemies(g);
        crowd(g);
        using Clock = std::chrono::steady_clock;
        std::vector<double> seconds(kSceneStageCount + 1, 0.0);
        for (auto _ : state) {
            gfx->gfxClearSystemBuffer(&g.screen);
            for (int i = 0; i < kSceneStageCount; ++i) {
                const auto start = Clock::now();
                kSceneStages[i].draw(g);
                seconds[i] += std::chrono::duration<double>(Clock::now() - start).count();
            }
            const auto start = Clock::now();
            gfx->gfxCopyBackBuffer(&g.screen);
            seconds[kSceneStageCount] += std::chrono::duration<double>(Clock::now() - start).count();
            benchmark::DoNotOptimize(g.screen.pixels[0]);
        }
        double total = 0;
        for (double s : seconds)
            total += s;
        for (int i = 0; i <= kSceneStageCount; ++i)
            state.counters[std::string(i < kSceneStageCount ? kSceneStages[i].name : "copy to back buffer") + " %"] =
                total > 0 ? 100 * seconds[i] / total : 0;
        state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    } else {
        state.SkipWithError(missing ? missing : "the display or the archive did not open");
    }
    destroyWorld(g);
    releaseScene(g);
    releaseFrameSets(*gfx, g.assets);
    gfx->gfxEnd();
    gfx->FastFileFini();
    delete gfx;
    delete game;
}

void showcaseFrameOnPath(benchmark::State& state)
{
    if (!vtl::testing::codepath::force(vtl::kCodePaths[state.range(3)])) {
        state.SkipWithError("path not supported by this processor");
        return;
    }
    showcaseFrame(state);
    vtl::testing::codepath::reset();
}

BENCHMARK(showcaseFrame)
    ->ArgNames({"width", "height", "bits"})
    ->ArgsProduct({{640}, {480}, {8, 16, 32}})
    ->ArgsProduct({{800}, {600}, {8, 16, 32}})
    ->Unit(benchmark::kMillisecond);

BENCHMARK(showcaseFrameOnPath)
    ->ArgNames({"width", "height", "bits", "path"})
    ->ArgsProduct({{640}, {480}, {16}, benchmark::CreateDenseRange(0, static_cast<int>(vtl::kCodePathCount) - 1, 1)})
    ->Unit(benchmark::kMillisecond);

} // namespace
#endif
