// <dsound.h>: the sound device and buffers, DirectSound-shaped.
#ifndef VANTREL_COMPAT_DSOUND_H
#define VANTREL_COMPAT_DSOUND_H

#include <windows.h>
#include <mmsystem.h>
#include <vantrel/win32/dsound.h>

#endif
