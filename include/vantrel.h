// Vantrel: the whole public interface.
#ifndef VANTREL_H
#define VANTREL_H

#include <vantrel/win32/types.h>
#include <vantrel/win32/debug.h>
#include <vantrel/win32/window.h>
#include <vantrel/win32/gdi.h>
#include <vantrel/win32/ddraw.h>

#include <vantrel/core.h>
#include <vantrel/pixelformat.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/fastfile.h>
#include <vantrel/bitplanefx.h>
#include <vantrel/rlefx.h>
#include <vantrel/alphafx.h>
#include <vantrel/lutfx.h>
#include <vantrel/animation.h>
#include <vantrel/dxwindow.h>
#include <vantrel/buttons.h>
#include <vantrel/audio.h>
#include <vantrel/udp.h>
#include <vantrel/joystick.h>

#endif
