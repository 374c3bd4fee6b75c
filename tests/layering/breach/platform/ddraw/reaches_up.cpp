// Platform code reaching up into the library, by its public headers or its
// folders: the layering check must refuse it.  The platform's own public
// headers are fine.
#include <vantrel/seam/window_backend.h>
#include <vantrel/win32/pixel_format.h>
#include <vantrel/pixelformat.h>
#include <vantrel.h>
#include "surface/blit_pixel.h"
