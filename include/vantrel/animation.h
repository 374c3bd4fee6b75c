// Animation: frame sets (ANIMATIONFX), moving sprites (Sprite) and animated
// map cells (Tile).
//
// A frame set is a fixed table of slots, each holding one RLE image and the
// labels a Sprite or a Tile picks it by.  Frames of one action and direction
// stand in consecutive slots, in playing order.  Sets are made and released
// through the library handle:
//
//     ANIMATIONFX hero = {};
//     handle.create(&hero, "HERO.RLA");   // all frames from an RLA entry
//     ANIMATIONFX parts = {};
//     handle.create(&parts, (unsigned short)8);  // 8 empty slots, filled with blt*
//     ...
//     handle.release(&hero);
//
// gfxEnd does not release frame sets, but it frees every registered image,
// the frames of the sets among them: release the sets before gfxEnd.
//
// RLA file (little-endian, no padding): a 16-bit frame count N, then N
// records of { 32-bit length L, 16-bit action, 16-bit direction, L bytes of a
// complete RLE file }.  Frames loaded from it have hot-spot offsets 0.
#ifndef VANTREL_ANIMATION_H
#define VANTREL_ANIMATION_H

#include <vantrel/bitplanefx.h>
#include <vantrel/win32/types.h>

class VTLHND;
class RLEFX;

// One slot of a frame set.
struct ANIMFRAME {
    RLEFX* image;             // the frame; null marks a free slot
    unsigned short action;    // a Sprite groups frames by action and direction
    unsigned short direction; // (a Tile matches its type pair against these two)
    LONG xOffset;             // hot spot, drawn at the sprite's position
    LONG yOffset;
    unsigned char owned;      // 1: the set made the image and releases it; 0: lent by the caller
};

class VANTREL_API ANIMATIONFX {
public:
    unsigned short frameCount; // slots in the table (kept after release)
    ANIMFRAME* frames;         // the table, owned; null when the set has none
    ANIMATIONFX* next;         // older set in the owner's list
    ANIMATIONFX* prev;         // newer set in the owner's list
    VTLHND* owner;
    // The owner's pixel settings, written by VTLHND::create and copied into
    // every frame image the set makes.
    unsigned char format;
    unsigned char reserved;    // 0
    unsigned char bitsPerPixel;
    unsigned char bytesPerPixel;

    // Makes an empty table of `count` slots.  A table the set already had is
    // not released: call release() first.
    bool create(unsigned short count);

    // The three fillers take the first free slot.  A slot is free only while
    // its image is null: nothing ever frees a slot except release().
    //
    // blt lends the caller's image (it must outlive the set's use of it).
    bool blt(RLEFX* image, unsigned short action, unsigned short direction, short xOffset,
             short yOffset);
    // bltBmp and bltTga encode an archive entry into a new image that the set
    // owns and registers with the owner.  When the entry is missing or the
    // encoder fails, the new image is freed again and the slot stays free
    // (nothing is leaked and a later fill can use the slot).
    bool bltBmp(const char* fileName, unsigned short action, unsigned short direction, short xOffset,
                short yOffset);
    bool bltTga(const char* fileName, unsigned short action, unsigned short direction, short xOffset,
                short yOffset);

    // Replaces the whole table by the frames of an RLA archive entry; each
    // frame is decoded in the display's format and registered in the owner's
    // list of RLE images.  The file is checked before anything is made: a
    // record whose header or image data runs past the end of the entry, or
    // whose image data is too short to be an RLE file, refuses the file with
    // "ANIMATIONFX::loadRla() - Frame %u does not fit in the file." (bytes
    // after the last record are ignored).  When a frame fails to decode,
    // every frame made so far is released and the set is left without a table.
    bool loadRla(const char* fileName);

    // Releases the owned images (through the owner, which unregisters them)
    // and frees the table.  Lent images are left alone.
    bool release();

    ANIMATIONFX& operator=(const ANIMATIONFX&) = default; // shares the table and its images
};

// A moving, animated object bound to a frame set.  A plain object: declare
// it zero-filled, bind it, select an action, then on every tick call
// update(), advance() and draw().  It owns nothing.
//
// Movement: setDest starts a straight line from the current position; each
// update takes `velocity` whole-pixel steps along it (integer line stepping,
// major axis by the larger distance, ties to x).  Arrival is tested only
// before the first step of an update, so all `velocity` steps of one call are
// taken.
//
// Choices this library makes:
//  - Neither setDest nor bind touches the line-stepping accumulator `error`:
//    it starts at whatever the game put there (0 in a zero-filled sprite).
//    With 0 the minor axis steps only once the accumulator has reached the
//    major distance, so a move that changes both coordinates can pass beside
//    its destination without standing on it, and then keeps going along the
//    line; a velocity that does not divide the major distance passes the
//    destination too.  Stopping is the game's: compare getX()/getY() with
//    `destX`/`destY`, or call setDest again.  A game that wants the sprite to
//    land exactly on the line's rounded points sets `error` to the minor
//    distance plus half the major one after setDest.
//  - advance() backwards from a frame outside the current group (after bind,
//    or a setBitmap past the group) goes to the group's last frame; with no
//    group at all the frame stays where it is.  The frame is thus always a
//    valid slot of the group whenever the group exists.
//  - An unbound sprite, or one whose set has no table, is handled safely:
//    setAction/setBitmap return false, advance and draw do nothing (draw
//    also skips a frame outside the table or a free slot).
class VANTREL_API Sprite {
public:
    LONG x;              // world position of the hot spot
    LONG y;
    BLITMODE blitMode;   // effect used by draw; set it directly
    ANIMATIONFX* animation;
    unsigned short frame;     // absolute slot index in the set's table
    unsigned short action;
    unsigned short direction;
    unsigned char forward;    // 1: advance plays forwards
    LONG startX;         // position at the last setDest (not read by the library)
    LONG startY;
    LONG destX;          // target of the movement
    LONG destY;
    LONG distX;          // |destination - position| at setDest
    LONG distY;
    LONG stepX;          // +1 or -1
    LONG stepY;
    LONG error;          // line-stepping accumulator
    unsigned char velocity; // steps per update

    // Binds a set: position (0,0), frame/action/direction 0, forward.  The
    // blit mode, velocity and movement are left as they are.
    void bind(ANIMATIONFX* animation);
    void release();

    void setX(long value, bool relative);
    void setY(long value, bool relative);
    long getX();
    long getY();
    void setVel(long velocity); // keeps the low 8 bits
    unsigned long getVel();
    void setForward(bool forward);
    bool getForward();

    // Selects the group of an action and direction (0xFFFF: keep the current
    // direction) at its first frame.  False, changing nothing, when no slot
    // carries the pair.
    bool setAction(unsigned short action, unsigned short direction);
    unsigned short getAction();
    unsigned short getDirection();
    // The n-th frame of the current group (n is not checked against its
    // length); getBitmap is the current frame's place in the group.
    bool setBitmap(unsigned short n);
    unsigned short getBitmap();
    // One frame on, in the playing direction, wrapping within the group.
    bool advance();

    void setDest(long x, long y);
    void update();
    // Draws the current frame with the blit mode at the hot spot minus the
    // frame's offset minus the origin (the world point at the target's 0,0).
    bool draw(BITPLANEFX* target, int originX, int originY);

    Sprite& operator=(const Sprite&) = default;
};

// An animated map cell: a type pair picks its starting frame, and advance
// cycles over the whole table.  Made on the library heap by createTile.
//
// draw shows frames 0 to 24 only; set examines slots 0 to 26 only.  draw
// also skips an unbound tile, a set without a table, a frame outside the
// table and a free slot.
class VANTREL_API Tile {
public:
    ANIMATIONFX* animation;
    unsigned short frame;     // slot index in the set's table
    unsigned short type;      // matched against a slot's action
    unsigned short secondary; // matched against a slot's direction
    unsigned char forward;    // 1: advance steps forwards

    // Binds a set at frame 0, forwards; the type pair is kept.
    void bind(ANIMATIONFX* animation);
    void release();
    // Frame of the first slot carrying the pair (0xFFFF in either: keep the
    // stored value), or 0 when none does.  Always true.
    bool set(unsigned short type, unsigned short secondary);
    unsigned short getType();
    unsigned short getSecondary();
    void setForward(bool forward);
    bool getForward();
    void setBitmap(unsigned short frame); // unchecked
    unsigned short getBitmap();
    void advance();
    // Plain RLE blit of the current frame at `point`, no hot-spot offset.
    bool draw(BITPLANEFX* target, POINT point);
};

// A zero-filled tile from MemAlloc ("tile in CreateTile" and null when memory
// runs out); destroyTile frees it ("tile in destroyTile" for null).
VANTREL_API Tile* createTile();
VANTREL_API void destroyTile(Tile* tile);

#endif
