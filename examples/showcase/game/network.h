// Two players over UDP.  One game hosts (--host PORT), the other joins it
// (--join ADDRESS:PORT); from then on each sends its hero's state every tick
// and the other draws that hero, tinted, and its bolts, which hit the wisps
// on both screens.  UDP has no connection: each side counts the other as
// there from its first datagram until it falls silent.
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
// Once per tick: the other player has left when nothing came from it for
// --silence seconds.
void watchPartner(Game& g);
// Sends this tick's state to the other player, once its address is known.
void sendState(Game& g);
// "hosting on port 5000, waiting for player 2", "waiting for HOST",
// "joined HOST", "player 2 left", ... or null without --host or --join.
const char* networkStatus(const Game& g);

#endif
