// Two players over UDP.  One game hosts (--host PORT), the other joins it
// (--join ADDRESS:PORT); from then on each sends its hero's state every tick
// and the other draws that hero, tinted, and its bolts, which hit the wisps
// on both screens.
//
// State datagram (24 bytes, little-endian): "VTD1", x and y (32-bit), the
// direction and action (16-bit each), the number of bolts fired so far
// (32-bit), the last bolt's direction in thousandths (16-bit each).
#ifndef SHOWCASE_NETWORK_H
#define SHOWCASE_NETWORK_H

#include "game/game.h"

// Starts hosting or the look-up of the host; false when the socket cannot
// be opened.  Does nothing without --host or --join.
bool startNetwork(Game& g);
void stopNetwork(Game& g);
// The window messages of the socket and the look-up.
void onSocketMessage(Game& g, LPARAM lParam);
void onLookupMessage(Game& g, LPARAM lParam);
// Sends this tick's state to the other player, once there is one.
void sendState(Game& g);
// "hosting on port 5000, waiting", "joined 127.0.0.1", ... or null.
const char* networkStatus(const Game& g);

#endif
