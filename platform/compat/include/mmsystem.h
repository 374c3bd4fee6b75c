// <mmsystem.h>: WAV files through mmio, the CD audio device and the
// multimedia timer.
#ifndef VANTREL_COMPAT_MMSYSTEM_H
#define VANTREL_COMPAT_MMSYSTEM_H

#include <vantrel/win32/types.h>
#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/timing.h>

#endif
