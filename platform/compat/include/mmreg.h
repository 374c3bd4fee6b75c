// <mmreg.h>: wave format tags; the format record itself is in <mmsystem.h>.
#ifndef VANTREL_COMPAT_MMREG_H
#define VANTREL_COMPAT_MMREG_H

#include <mmsystem.h>

#ifndef WAVE_FORMAT_ADPCM
#define WAVE_FORMAT_ADPCM 0x0002
#endif
#ifndef WAVE_FORMAT_ALAW
#define WAVE_FORMAT_ALAW 0x0006
#define WAVE_FORMAT_MULAW 0x0007
#endif

#endif
