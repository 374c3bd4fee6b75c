// Any bytes as an archive: FastFileInit must refuse them or accept a
// directory whose every entry can be opened, locked whole and read to its
// last byte without leaving the bytes given.
#include <vantrel/fastfile.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/debug.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {
void quiet(const char*, void*) {}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VTLSetDebugReceiver(quiet, nullptr);
    // A copy of exactly `size` bytes, so that any read past them is caught.
    std::vector<unsigned char> bytes(data, data + size);
    VTLEmbeddedArchive archive{"FUZZ", bytes.data(), static_cast<DWORD>(size), nullptr};
    VTLRegisterEmbeddedArchive(&archive);
    {
        VTLHND handle;
        if (handle.FastFileInit(const_cast<char*>("FUZZ"))) {
            const unsigned char* record = static_cast<const unsigned char*>(handle.directory);
            volatile unsigned sum = 0;
            for (DWORD i = 0; i < handle.entryCount; ++i, record += 17) {
                char name[14] = {};
                std::memcpy(name, record + 4, 13);
                FastFile file{};
                if (!file.open(&handle, name))
                    continue;
                const unsigned char* entry = static_cast<unsigned char*>(file.lock(0, LONG(file.fSize())));
                if (entry && file.fSize() > 0)
                    sum = sum + entry[0] + entry[file.fSize() - 1];
                unsigned char buffer[8];
                file.seek(0, 2);
                file.read(buffer, 1);
                file.seek(-8, 1);
                file.read(buffer, 8);
                file.close();
            }
            handle.FastFileData(const_cast<char*>("A.BMP"));
        }
    }
    VTLUnregisterEmbeddedArchive(&archive);
    return 0;
}
