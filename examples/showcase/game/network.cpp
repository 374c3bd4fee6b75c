#include "game/network.h"

#include "game/actors.h"

#include <cstdio>
#include <cstring>

struct Network {
    UDP udp{};
    bool hosting = false;
    // Where this game's datagrams go: the host's address once it is looked
    // up, the guest's once it has been heard from.
    bool addressed = false;
    unsigned long partner = 0; // network byte order
    // A join datagram goes out whether or not anyone hosts, so the other
    // player is there only while its datagrams arrive.
    bool present = false;
    DWORD lastHeard = 0;
    // Whether boltsSeen is this partner's count: a player who joins late, or
    // a new one, has fired bolts that are long gone.
    bool counting = false;
    unsigned long boltsSent = 0, boltsSeen = 0;
    double lastBoltX = 0, lastBoltY = 0;
    char status[96] = {};
};

namespace {
constexpr int kStateSize = 24;

void put(unsigned char* at, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<unsigned char>(v >> (8 * i));
}

uint32_t get(const unsigned char* at, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<uint32_t>(at[i]) << (8 * i);
    return v;
}

const char* dotted(unsigned long address)
{
    in_addr a;
    a.s_addr = static_cast<decltype(a.s_addr)>(address);
    return inet_ntoa(a);
}

// Every datagram from the other player; the first since it joined (or came
// back) makes it present.
void heardFrom(Game& g, unsigned long address)
{
    Network& n = *g.net;
    n.lastHeard = GetTickCount();
    if (n.present)
        return;
    n.partner = address;
    n.addressed = true;
    n.present = true;
    n.counting = false;
    if (n.hosting)
        std::snprintf(n.status, sizeof n.status, "player 2 joined from %s", dotted(address));
    else
        std::snprintf(n.status, sizeof n.status, "joined %s", g.options.joinAddress.c_str());
}

void readState(Game& g, const unsigned char* d)
{
    Network& n = *g.net;
    g.partner.setX(static_cast<int32_t>(get(d + 4, 4)), false);
    g.partner.setY(static_cast<int32_t>(get(d + 8, 4)), false);
    const auto direction = static_cast<unsigned short>(get(d + 12, 2) % 8);
    const auto action = static_cast<unsigned short>(get(d + 14, 2) == HeroWalk ? HeroWalk : HeroStand);
    if (g.partner.getAction() != action || g.partner.getDirection() != direction)
        g.partner.setAction(action, direction);
    else if (action == HeroWalk && g.tick % 4 == 0)
        g.partner.advance();
    g.partnerSeen = true;
    ++g.stats.partnerPackets;
    // Bolts fired since the last datagram come out of the partner's hero.
    const uint32_t fired = get(d + 16, 4);
    if (!n.counting) {
        n.boltsSeen = fired;
        n.counting = true;
    } else if (fired != n.boltsSeen) {
        n.boltsSeen = fired;
        const double dx = static_cast<int16_t>(get(d + 20, 2)) / 1000.0, dy = static_cast<int16_t>(get(d + 22, 2)) / 1000.0;
        fireBolt(g, g.partner.getX() + kHeroSize / 2, g.partner.getY() + kHeroSize / 2, dx, dy, true);
    }
}
} // namespace

bool startNetwork(Game& g)
{
    const Options& o = g.options;
    if (!o.hostPort && o.joinAddress.empty())
        return true;
    Network* n = new Network;
    g.net = n;
    if (!n->udp.init(g.hwnd))
        return false;
    if (o.hostPort) {
        n->hosting = true;
        if (!n->udp.host(o.hostPort))
            return false;
        std::snprintf(n->status, sizeof n->status, "hosting on port %u, waiting for player 2", o.hostPort);
    } else {
        if (!n->udp.resolve(o.joinAddress.c_str()))
            return false;
        std::snprintf(n->status, sizeof n->status, "looking up %s", o.joinAddress.c_str());
    }
    return true;
}

void stopNetwork(Game& g)
{
    if (!g.net)
        return;
    g.net->udp.quit();
    g.net->udp.destroy();
    delete g.net;
    g.net = nullptr;
}

void onSocketMessage(Game& g, LPARAM lParam)
{
    if (!g.net || WSAGETSELECTEVENT(lParam) != FD_READ)
        return;
    Network& n = *g.net;
    unsigned long from = 0;
    unsigned char data[64];
    int size = 0;
    while (n.udp.recv(&from, data, &size, sizeof data)) {
        const bool join = n.hosting && size == 56 && data[0] == 1 && data[2] == 2;
        const bool state = size == kStateSize && std::memcmp(data, "VTD1", 4) == 0;
        // A host without a partner takes the first player that joins, or
        // that sends its state (a guest started before the host sent its
        // join datagram to nobody); otherwise only the partner counts.
        const bool fromPartner = n.addressed && from == n.partner;
        const bool newcomer = n.hosting && !n.present;
        if (!(join || state) || !(fromPartner || newcomer))
            continue;
        heardFrom(g, from);
        if (state)
            readState(g, data);
    }
}

void watchPartner(Game& g)
{
    if (!g.net || !g.net->present)
        return;
    Network& n = *g.net;
    if (GetTickCount() - n.lastHeard < static_cast<DWORD>(g.options.silenceSeconds) * 1000)
        return;
    // Gone quiet: its hero leaves the map, and the next datagram is a
    // join again (a host takes whoever comes next).
    n.present = false;
    if (n.hosting)
        n.addressed = false;
    g.partnerSeen = false;
    std::snprintf(n.status, sizeof n.status, "%s left", n.hosting ? "player 2" : "player 1");
}

void onLookupMessage(Game& g, LPARAM lParam)
{
    if (!g.net)
        return;
    Network& n = *g.net;
    _HOSTDATA* host = n.udp.responce(WSAGETASYNCERROR(lParam));
    if (!host) {
        std::snprintf(n.status, sizeof n.status, "cannot find %s", g.options.joinAddress.c_str());
        return;
    }
    if (!n.udp.join(host->address, g.options.joinPort, "vantrel-demo", "player 2")) {
        std::snprintf(n.status, sizeof n.status, "cannot join %s", g.options.joinAddress.c_str());
        return;
    }
    // The state goes out from now on, so that a host started later still
    // finds this game; joined only once the host answers.
    n.partner = host->address;
    n.addressed = true;
    std::snprintf(n.status, sizeof n.status, "waiting for %s", g.options.joinAddress.c_str());
}

void sendState(Game& g)
{
    if (!g.net || !g.net->addressed)
        return;
    Network& n = *g.net;
    unsigned char d[kStateSize];
    std::memcpy(d, "VTD1", 4);
    put(d + 4, static_cast<uint32_t>(g.hero.sprite.getX()), 4);
    put(d + 8, static_cast<uint32_t>(g.hero.sprite.getY()), 4);
    put(d + 12, static_cast<uint32_t>(g.hero.direction), 2);
    put(d + 14, g.hero.sprite.getAction(), 2);
    // The newest local bolt, if one was fired since the last datagram.
    for (auto it = g.bolts.rbegin(); it != g.bolts.rend(); ++it)
        if (!it->remote) {
            n.lastBoltX = it->dx / kBoltSpeed;
            n.lastBoltY = it->dy / kBoltSpeed;
            break;
        }
    put(d + 16, static_cast<uint32_t>(g.stats.shots), 4);
    put(d + 20, static_cast<uint32_t>(static_cast<int16_t>(n.lastBoltX * 1000)), 2);
    put(d + 22, static_cast<uint32_t>(static_cast<int16_t>(n.lastBoltY * 1000)), 2);
    n.udp.send(n.partner, d, sizeof d);
}

const char* networkStatus(const Game& g) { return g.net && g.net->status[0] ? g.net->status : nullptr; }
