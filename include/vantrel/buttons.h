// Image buttons, shaped buttons drawn from RLE images.
#ifndef VANTREL_BUTTONS_H
#define VANTREL_BUTTONS_H

#include <vantrel/win32/types.h>


#endif
