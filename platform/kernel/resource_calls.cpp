// FindResource, LoadResource and the calls beside them, over the resources
// modules registered (resource_table.h).  A loaded resource is its bytes in
// place: LoadResource hands out their address and LockResource returns it.
#include "platform/kernel/resource_table.h"

#include "platform/host/process.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/resources.h>

namespace vtl {
namespace {

HRSRC find(HMODULE module, LPCSTR type, LPCSTR name, WORD language)
{
    if (!type || !name) {
        setError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    const ResourceMatch m = findResource(resourceModule(module), resourceKey(type), resourceKey(name), language);
    switch (m.result) {
    case ResourceLookup::kFound: return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(m.entry));
    case ResourceLookup::kNoResources: setError(ERROR_RESOURCE_DATA_NOT_FOUND); break;
    case ResourceLookup::kNoType: setError(ERROR_RESOURCE_TYPE_NOT_FOUND); break;
    case ResourceLookup::kNoName: setError(ERROR_RESOURCE_NAME_NOT_FOUND); break;
    case ResourceLookup::kNoLanguage: setError(ERROR_RESOURCE_LANG_NOT_FOUND); break;
    }
    return nullptr;
}

const ResourceEntry* entryOf(HRSRC resource)
{
    return isResourceEntry(resource) ? reinterpret_cast<const ResourceEntry*>(resource) : nullptr;
}

} // namespace
} // namespace vtl

using namespace vtl;

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type)
{
    VTL_TRACE(kernel, "FindResourceA", module, trace::Atom{name}, trace::Atom{type});
    return vtlTraceCall_.result(find(module, type, name, 0));
}

HRSRC FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language)
{
    VTL_TRACE(kernel, "FindResourceExA", module, trace::Atom{type}, trace::Atom{name}, language);
    return vtlTraceCall_.result(find(module, type, name, language));
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource)
{
    VTL_TRACE(kernel, "LoadResource", module, resource);
    const ResourceEntry* e = entryOf(resource);
    if (!e) {
        setError(ERROR_INVALID_HANDLE);
        return vtlTraceCall_.result(HGLOBAL(nullptr));
    }
    return vtlTraceCall_.result(const_cast<HGLOBAL>(static_cast<const void*>(e->data)));
}

LPVOID LockResource(HGLOBAL loaded)
{
    VTL_TRACE(kernel, "LockResource", loaded);
    return vtlTraceCall_.result(static_cast<LPVOID>(loaded));
}

DWORD SizeofResource(HMODULE module, HRSRC resource)
{
    VTL_TRACE(kernel, "SizeofResource", module, resource);
    const ResourceEntry* e = entryOf(resource);
    if (!e) {
        setError(ERROR_INVALID_HANDLE);
        return vtlTraceCall_.result(DWORD(0));
    }
    return vtlTraceCall_.result(e->size);
}

BOOL FreeResource(HGLOBAL loaded)
{
    VTL_TRACE(kernel, "FreeResource", loaded);
    return vtlTraceCall_.result(FALSE);
}

BOOL VTLRegisterResources(const void* bytes, DWORD size, const void* moduleAddress)
{
    VTL_TRACE(kernel, "VTLRegisterResources", bytes, size, moduleAddress);
    const void* module = nullptr;
    if (moduleAddress)
        module = resourceModule(static_cast<HMODULE>(host::moduleContaining(moduleAddress)));
    std::vector<ResourceEntry> entries;
    if (!bytes || !parseResourceFile(static_cast<const unsigned char*>(bytes), size, module, entries)) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    registerResources(std::move(entries));
    return vtlTraceCall_.result(TRUE);
}
