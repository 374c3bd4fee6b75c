// The nine display formats, as a display reports them (depth and masks).
#ifndef VANTREL_TESTS_FORMATS_H
#define VANTREL_TESTS_FORMATS_H

#include <vantrel/pixelformat.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

struct DisplayFormat {
    const char* name;
    unsigned bits;
    DWORD red, green, blue;
    unsigned char expectedCode;
};

inline const DisplayFormat kDisplayFormats[] = {
    {"pal8", 8, 0, 0, 0, PF_PAL8},
    {"rgb555", 16, 0x7C00, 0x03E0, 0x001F, PF_RGB555},
    {"rgb565", 16, 0xF800, 0x07E0, 0x001F, PF_RGB565},
    {"bgr555", 16, 0x001F, 0x03E0, 0x7C00, PF_RGB555 | PF_BGR},
    {"bgr565", 16, 0x001F, 0x07E0, 0xF800, PF_RGB565 | PF_BGR},
    {"rgb24", 24, 0xFF0000, 0x00FF00, 0x0000FF, PF_RGB24},
    {"bgr24", 24, 0x0000FF, 0x00FF00, 0xFF0000, PF_RGB24 | PF_BGR},
    {"rgb32", 32, 0xFF0000, 0x00FF00, 0x0000FF, PF_RGB32},
    {"bgr32", 32, 0x0000FF, 0x00FF00, 0xFF0000, PF_RGB32 | PF_BGR},
};

inline std::ostream& operator<<(std::ostream& os, const DisplayFormat& f) { return os << f.name; }

inline std::string formatName(const testing::TestParamInfo<DisplayFormat>& info)
{
    return info.param.name;
}

#endif
