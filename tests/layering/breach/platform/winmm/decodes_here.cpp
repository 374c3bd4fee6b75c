// The track decoder's library outside its folder: the layering check must
// refuse it.
#include <sndfile.h>
