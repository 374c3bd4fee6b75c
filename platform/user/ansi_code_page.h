// The emulation's ANSI code page, Windows-1252: what the narrow ("A") calls
// turn wide text into, as Windows does through its code page.
#ifndef VANTREL_PLATFORM_USER_ANSI_CODE_PAGE_H
#define VANTREL_PLATFORM_USER_ANSI_CODE_PAGE_H

#include <cstdint>

namespace vtl {

// The Windows-1252 byte of a Unicode character; '?' for a character the
// code page has no byte for, as WideCharToMultiByte's default character.
char ansiFromUnicode(uint32_t character);

} // namespace vtl

#endif
