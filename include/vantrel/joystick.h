// Joysticks, reading and calibration.
#ifndef VANTREL_JOYSTICK_H
#define VANTREL_JOYSTICK_H

#include <vantrel/win32/types.h>


#endif
