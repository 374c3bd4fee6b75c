// The process-wide list of display drivers: filled once per process, by
// EnumDrivers or by the configuration dialog, whichever runs first, and read
// by DDEnable to pick the driver of VTLHND::driverIndex.
#ifndef VANTREL_DISPLAY_DRIVER_LIST_H
#define VANTREL_DISPLAY_DRIVER_LIST_H

#include <vantrel/win32/ddraw.h>

namespace vtl {

constexpr int kMaxDrivers = 15;

// DDCREATE_EMULATIONONLY as a GUID pointer: Microsoft's headers define it as
// one, mingw-w64's as the number 2.
inline GUID* emulationOnlyDriver()
{
    // A C cast goes through ULONG_PTR from either.
    return (GUID*)(ULONG_PTR)(DDCREATE_EMULATIONONLY);
}

struct DriverRecord {
    // Null for the primary display driver, DDCREATE_EMULATIONONLY for the
    // emulation pseudo driver, else &guid.
    GUID* guidPointer;
    GUID guid;
    char description[128];
    char name[128];
};

struct DriverList {
    DriverRecord records[kMaxDrivers];
    int count;
    bool built;
};

DriverList& driverList();

// The enumeration callback: appends one driver, or returns E_FAIL when the
// list is full (which the enumerator takes as "go on", so every later driver
// is dropped as well).
BOOL WINAPI addDriver(GUID* guid, LPSTR description, LPSTR name, LPVOID context);

// Appends the emulation pseudo driver ("Hardware Emulation Layer",
// "Software") through the same callback.
BOOL addEmulationDriver(LPVOID context);

// The GUID pointer DirectDrawCreate takes for driver `index`; the primary
// display driver (null) for an index the list does not hold.
GUID* driverGuid(unsigned index);

// Forgets the list, so that the next EnumDrivers enumerates again (tests).
void resetDriverList();

} // namespace vtl

#endif
