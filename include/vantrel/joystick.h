// Joysticks, reading and calibration.
//
// Up to two analogue sticks as the PC game port presents them: each axis is a
// timer count (larger = further right or down), each stick has two buttons.
// The functions keep process-wide, unguarded state; call them from one thread.
//
// Where the counts come from: the game port itself is gone from today's
// machines, so the library reads the first two SDL joysticks and turns each
// axis into the count a real port would give (about 24 at one end, 1124 at the
// other, centre near 574).  A stick that is not connected never ends its timer,
// so it times out after 8000 reads exactly as an unplugged stick did.  Without
// SDL (or with VANTREL_JOYSTICK=headless) no stick is connected.
//
// Stick numbers: 0 is stick 1, 1 is stick 2.  Any other number is ignored.
//
// Each function that stores 32-bit values through pointers also takes
// unsigned long* for DWORD* and long* for LONG* (see out32.h).
//
// Direction thresholds: a count reads as left when it is below the left
// threshold - 5 (and so on for the other three).  The thresholds are kept in
// the calibration file, and thresholds that came from the file stay as they
// are when the player calibrates again.  A stick that has none yet (all four
// 0, as before any file was loaded) gets the library's own: CalibCenter puts
// all four at the centre and CalibAdjust moves each one a quarter of the way
// from the centre towards the extreme seen so far, so a stick calibrated by
// the player has a dead zone of a quarter of its travel in every direction.
// Thresholds placed that way follow every later calibration too, until a
// file is loaded.
#ifndef VANTREL_JOYSTICK_H
#define VANTREL_JOYSTICK_H

#include <vantrel/out32.h>
#include <vantrel/win32/types.h>

// State word bits (ReadJoystick1 and ReadJoystick2).
#define VTL_JOY_UP 0x01
#define VTL_JOY_DOWN 0x02
#define VTL_JOY_LEFT 0x04
#define VTL_JOY_RIGHT 0x08
#define VTL_JOY_BUTTON1 0x10 // this stick's first button
#define VTL_JOY_BUTTON2 0x20 // this stick's second button
#define VTL_JOY_OTHER_BUTTON1 0x40 // the other stick's first button (mode not 0)
#define VTL_JOY_OTHER_BUTTON2 0x80 // the other stick's second button (mode not 0)

// Modes given to InstallJoystick.
//  0  two independent sticks with two buttons each;
//  1  two sticks, each word reporting all four buttons;
//  2  one stick with four buttons; stick 1's word gets 0x100 when the second
//     axis pair is pushed left or right and 0x200 when up or down;
//  3  as 2, with 0x100, 0x200, 0x400, 0x800 for the second pair's left, up,
//     right and down.
// In modes 2 and 3 only stick 1's word is filled.

// Sets the mode, loads the calibration from `fileName` (84 bytes), decides
// which sticks are usable and saves the file again.  A stick is unusable when
// its bit (1 for stick 1, 2 for stick 2) is set in `exclude`, or when it has
// no saved calibration, or when it reads off-centre in two successive reads
// (it needs calibrating).  Returns the mask of usable sticks.  A missing or
// unreadable file, one of the wrong length (which is deleted) or one saved in
// a mode of the other family (0-1 against 2-3) means both sticks need
// calibrating.  `font` and `area` are accepted for compatibility and unused.
//
// The file is replaced atomically: the new contents go to a temporary file in
// the same folder which is then renamed over the old one, so a crash while
// saving leaves either the old file or the new one, never a broken one.
VANTREL_API BYTE InstallJoystick(HFONT font, RECT area, BYTE mode, BYTE exclude, const char* fileName);

// Reads the sticks and returns stick 1's state word and its axes in percent of
// the calibrated travel (-100 at the calibrated minimum, 0 at the centre, 100
// at the maximum, beyond +-100 past the extremes).  Both axes are 0 while the
// calibration is not usable (an extreme within 5 counts of the centre).
// A stick that is not read (not present, timed out) has a state word of 0.
// Each pointer may be null.
VANTREL_API void ReadJoystick1(DWORD* state, LONG* x, LONG* y);
VANTREL_API void ReadJoystick1(VTLDwordOut state, VTLLongOut x, VTLLongOut y);
// Stick 2's state word and axes from the last ReadJoystick1 (it does not read
// the sticks itself).  The axes are signed percentages held in unsigned words:
// cast them to LONG.  Each pointer may be null.
VANTREL_API void ReadJoystick2(DWORD* state, DWORD* x, DWORD* y);
VANTREL_API void ReadJoystick2(VTLDwordOut state, VTLDwordOut x, VTLDwordOut y);

// Starts a calibration of `stick`: marks it present, reads it and takes the
// current position as its centre; the extremes are reset (minimum 32000,
// maximum 1).  Thresholds from a calibration file are kept; otherwise they
// are put at the centre (see above).
VANTREL_API void CalibCenter(BYTE stick);
// Reads the sticks and widens `stick`'s extremes to the current position
// (and moves the library's own thresholds with them, see above).
VANTREL_API void CalibAdjust(BYTE stick);
// Saves the calibration of the sticks that are present (those InstallJoystick
// found usable or CalibCenter started) to `fileName`, with the current mode,
// the way InstallJoystick saves it.  This is how a calibration made with
// CalibCenter/CalibAdjust is kept: InstallJoystick only re-saves a file that
// already holds a usable stick.  True when the file was written; false when no
// stick is present or the file could not be written (the old file is then
// left as it was).
VANTREL_API bool SaveJoystickCalibration(const char* fileName);

// The extremes seen so far; each pointer may be null.
VANTREL_API void GetMaxMin(BYTE stick, DWORD* minX, DWORD* minY, DWORD* maxX, DWORD* maxY);
VANTREL_API void GetMaxMin(BYTE stick, VTLDwordOut minX, VTLDwordOut minY, VTLDwordOut maxX, VTLDwordOut maxY);
// The centre; each pointer may be null.
VANTREL_API void GetCenter(BYTE stick, DWORD* x, DWORD* y);
VANTREL_API void GetCenter(BYTE stick, VTLDwordOut x, VTLDwordOut y);

#endif
