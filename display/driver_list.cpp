#include "display/driver_list.h"

#include <vantrel/vtlhnd.h>

#include <cstring>

namespace {
vtl::DriverList gDrivers;

void copyText(char* to, const char* from)
{
    std::strncpy(to, from ? from : "", 127);
    to[127] = '\0';
}
} // namespace

vtl::DriverList& vtl::driverList() { return gDrivers; }

BOOL WINAPI vtl::addDriver(GUID* guid, LPSTR description, LPSTR name, LPVOID)
{
    if (gDrivers.count >= kMaxDrivers)
        return static_cast<BOOL>(E_FAIL);
    DriverRecord& r = gDrivers.records[gDrivers.count];
    if (guid == nullptr || guid == emulationOnlyDriver()) {
        r.guidPointer = guid;
    } else {
        r.guid = *guid;
        r.guidPointer = &r.guid;
    }
    copyText(r.description, description);
    copyText(r.name, name);
    ++gDrivers.count;
    return TRUE;
}

BOOL vtl::addEmulationDriver(LPVOID context)
{
    char description[] = "Hardware Emulation Layer";
    char name[] = "Software";
    return addDriver(emulationOnlyDriver(), description, name, context);
}

GUID* vtl::driverGuid(unsigned index)
{
    return index < static_cast<unsigned>(gDrivers.count) ? gDrivers.records[index].guidPointer : nullptr;
}

void vtl::resetDriverList() { std::memset(&gDrivers, 0, sizeof gDrivers); }

void EnumDrivers()
{
    if (gDrivers.built)
        return;
    DirectDrawEnumerateA(vtl::addDriver, nullptr);
    vtl::addEmulationDriver(nullptr);
    gDrivers.built = true;
}
