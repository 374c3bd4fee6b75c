// The memory macros of the Windows headers.
#ifndef VANTREL_WIN32_MEMORY_H
#define VANTREL_WIN32_MEMORY_H

#include <cstring>

#define ZeroMemory(destination, length) std::memset((destination), 0, (length))
#define CopyMemory(destination, source, length) std::memcpy((destination), (source), (length))
#define MoveMemory(destination, source, length) std::memmove((destination), (source), (length))
#define FillMemory(destination, length, fill) std::memset((destination), (fill), (length))
#define RtlZeroMemory ZeroMemory
#define RtlCopyMemory CopyMemory
#define RtlMoveMemory MoveMemory
#define RtlFillMemory FillMemory

#endif
