// fontconfig outside the font lookup's folder: the layering check must
// refuse it.
#include <fontconfig/fontconfig.h>
