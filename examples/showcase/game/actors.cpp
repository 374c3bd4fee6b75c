#include "game/actors.h"

#include "game/sound_effects.h"
#include "game/world.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kHeroSpeed = 3;
constexpr int kShotCooldown = 8;
constexpr int kBoltLife = 50;
constexpr int kBlastLife = 24;
constexpr int kEnemyKinds = 6;
constexpr int kEnemiesPerKind = 3;

const int kStepX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
const int kStepY[8] = {0, 1, 1, 1, 0, -1, -1, -1};

// Every way the library can draw an RLE image, one per kind of wisp.
BLITMODE modeOfKind(Game& g, int kind)
{
    BLITMODE m{};
    switch (kind) {
    case 0: m.mode = BLITMODE_NORMAL; break;
    case 1: m.mode = BLITMODE_HALF; break;
    case 2: m.mode = BLITMODE_SHADOW; break;
    case 3: m.mode = BLITMODE_FADE; m.level = 160; break;
    case 4: m.mode = BLITMODE_BLEND; m.level = 110; break;
    default:
        m.mode = BLITMODE_COLOR;
        m.color = g.gfx->packColor(255, 60, 40);
        m.colorLevel = 150;
    }
    return m;
}

bool freeSpot(Game& g, int x, int y) { return walkable(g, x, y, kEnemySize); }

void placeEnemy(Game& g, Enemy& e, unsigned seed)
{
    // Somewhere open, a little way off the hero, so there is always a fight
    // in sight.
    for (unsigned attempt = 0; attempt < 200; ++attempt) {
        const unsigned h = (seed * 2654435761u + attempt * 40503u) ^ (attempt << 7);
        const double angle = (h % 6283) / 1000.0, distance = 200 + (h >> 13) % 260;
        const int x = heroCentreX(g) + static_cast<int>(std::cos(angle) * distance);
        const int y = heroCentreY(g) + static_cast<int>(std::sin(angle) * distance * 0.75);
        if (freeSpot(g, x, y)) {
            e.x = x;
            e.y = y;
            break;
        }
    }
    e.sprite.setX(static_cast<long>(e.x), false);
    e.sprite.setY(static_cast<long>(e.y), false);
}

void blast(Game& g, int x, int y)
{
    g.blasts.push_back(Blast{x, y, 0});
    playEffect(g, EffectBoom);
}
} // namespace

int directionOf(int dx, int dy)
{
    for (int d = 0; d < 8; ++d)
        if (kStepX[d] == dx && kStepY[d] == dy)
            return d;
    return -1;
}

void placeHero(Game& g)
{
    Sprite& s = g.hero.sprite;
    s.bind(&g.assets.hero);
    s.setAction(HeroStand, static_cast<unsigned short>(g.hero.direction));
    // Beside the first clearing, so the sand patches are in sight at once;
    // a guest starts a little to the host's right, so that two players
    // see each other from the start instead of standing on one spot.
    s.setX((g.options.joinAddress.empty() ? 18 : 20) * kCell, false);
    s.setY(13 * kCell, false);
    g.stats.heroStartX = s.getX();
    g.stats.heroStartY = s.getY();
    g.partner.bind(&g.assets.hero);
    g.partner.setAction(HeroStand, 2);
    g.partner.blitMode.color = g.gfx->packColor(kPartnerRed, kPartnerGreen, kPartnerBlue);
    g.partner.blitMode.colorLevel = 120;
}

void spawnEnemies(Game& g)
{
    g.enemies.assign(kEnemyKinds * kEnemiesPerKind, Enemy{});
    for (size_t i = 0; i < g.enemies.size(); ++i) {
        Enemy& e = g.enemies[i];
        e.sprite.bind(&g.assets.enemy);
        e.sprite.setAction(0, 0);
        e.sprite.setBitmap(static_cast<unsigned short>(i % 4));
        e.sprite.blitMode = modeOfKind(g, static_cast<int>(i % kEnemyKinds));
        e.phase = static_cast<double>(i);
        placeEnemy(g, e, static_cast<unsigned>(i + 1));
    }
}

void moveHero(Game& g, const Command& c)
{
    Hero& h = g.hero;
    Sprite& s = h.sprite;
    const int d = directionOf(c.dx, c.dy);
    if (d >= 0) {
        h.direction = d;
        // Slide along walls: try the whole step, then each axis alone.
        const int x = s.getX(), y = s.getY();
        const int nx = x + c.dx * kHeroSpeed, ny = y + c.dy * kHeroSpeed;
        if (walkable(g, nx, ny, kHeroSize)) {
            s.setX(nx, false);
            s.setY(ny, false);
        } else if (walkable(g, nx, y, kHeroSize)) {
            s.setX(nx, false);
        } else if (walkable(g, x, ny, kHeroSize)) {
            s.setY(ny, false);
        }
        if (s.getAction() != HeroWalk || s.getDirection() != d)
            s.setAction(HeroWalk, static_cast<unsigned short>(d));
        else if (g.tick % 4 == 0)
            s.advance();
    } else if (s.getAction() != HeroStand) {
        s.setAction(HeroStand, static_cast<unsigned short>(h.direction));
    }

    if (h.cooldown > 0)
        --h.cooldown;
    if ((c.fire || c.aim) && h.cooldown == 0) {
        double dx = kStepX[h.direction], dy = kStepY[h.direction];
        if (c.aim) {
            dx = c.aimX + g.cameraX - heroCentreX(g);
            dy = c.aimY + g.cameraY - heroCentreY(g);
        }
        const double length = std::hypot(dx, dy);
        if (length > 0.5) {
            fireBolt(g, heroCentreX(g), heroCentreY(g), dx / length, dy / length, false);
            h.cooldown = kShotCooldown;
        }
    }
    if (h.hurt > 0)
        --h.hurt;
}

void moveEnemies(Game& g)
{
    const int hx = heroCentreX(g), hy = heroCentreY(g);
    for (size_t i = 0; i < g.enemies.size(); ++i) {
        Enemy& e = g.enemies[i];
        if (!e.alive) {
            if (--e.respawn <= 0) {
                e.alive = true;
                placeEnemy(g, e, static_cast<unsigned>(g.tick + i));
            }
            continue;
        }
        e.phase += 0.05;
        const double cx = e.x + kEnemySize / 2, cy = e.y + kEnemySize / 2;
        const double distance = std::hypot(hx - cx, hy - cy);
        // Drift towards the hero when near (once the game's calm start is
        // over), wander in slow circles otherwise.
        double vx = std::cos(e.phase + i) * 0.8, vy = std::sin(e.phase * 1.3 + i) * 0.8;
        if (g.tick >= g.chaseFrom && distance < 260 && distance > 1) {
            vx += (hx - cx) / distance * 0.8;
            vy += (hy - cy) / distance * 0.8;
        }
        if (walkable(g, static_cast<int>(e.x + vx), static_cast<int>(e.y + vy), kEnemySize)) {
            e.x += vx;
            e.y += vy;
        }
        e.sprite.setX(static_cast<long>(e.x), false);
        e.sprite.setY(static_cast<long>(e.y), false);
        if (g.tick % 6 == i % 6)
            e.sprite.advance();
        // The fading wisp breathes.
        if (e.sprite.blitMode.mode == BLITMODE_FADE)
            e.sprite.blitMode.level = static_cast<unsigned char>(150 + 100 * std::sin(e.phase * 2));
        if (distance < 20 && g.hero.hurt == 0) {
            g.hero.hurt = 60;
            playEffect(g, EffectHit);
            ++g.stats.livesLost;
            if (--g.lives <= 0) {
                g.lives = kMaxLives;
                g.score = 0;
                g.chaseFrom = g.tick + kCalmTicks;
                showMessage(g, "The wisps got you - a new game begins");
            }
            e.x -= (hx - cx) / std::max(distance, 1.0) * 40;
            e.y -= (hy - cy) / std::max(distance, 1.0) * 40;
        }
    }
}

void fireBolt(Game& g, int x, int y, double dx, double dy, bool remote)
{
    g.bolts.push_back(Bolt{static_cast<double>(x), static_cast<double>(y), dx * kBoltSpeed, dy * kBoltSpeed,
                           kBoltLife, remote});
    if (!remote)
        ++g.stats.shots;
    playEffect(g, EffectShot);
}

void moveBolts(Game& g)
{
    for (Bolt& b : g.bolts) {
        b.x += b.dx;
        b.y += b.dy;
        --b.life;
        const int cx = static_cast<int>(b.x) / kCell, cy = static_cast<int>(b.y) / kCell;
        if (b.x < 0 || b.y < 0 || cx >= kMapWidth || cy >= kMapHeight || g.ground[cy][cx] == Rock) {
            b.life = 0;
            continue;
        }
        for (Enemy& e : g.enemies)
            if (e.alive && std::hypot(b.x - (e.x + kEnemySize / 2), b.y - (e.y + kEnemySize / 2)) < 16) {
                e.alive = false;
                e.respawn = 120;
                b.life = 0;
                if (!b.remote) {
                    g.score += 10;
                    ++g.stats.hits;
                }
                blast(g, static_cast<int>(e.x) + kEnemySize / 2, static_cast<int>(e.y) + kEnemySize / 2);
                break;
            }
    }
    g.bolts.erase(std::remove_if(g.bolts.begin(), g.bolts.end(), [](const Bolt& b) { return b.life <= 0; }),
                  g.bolts.end());
    for (Blast& b : g.blasts)
        ++b.age;
    g.blasts.erase(std::remove_if(g.blasts.begin(), g.blasts.end(), [](const Blast& b) { return b.age > kBlastLife; }),
                   g.blasts.end());
}

void followCamera(Game& g)
{
    const int maxX = std::max(0, mapPixelWidth() - g.width), maxY = std::max(0, mapPixelHeight() - g.height);
    g.cameraX = std::clamp(heroCentreX(g) - g.width / 2, 0, maxX);
    g.cameraY = std::clamp(heroCentreY(g) - g.height / 2, 0, maxY);
}
