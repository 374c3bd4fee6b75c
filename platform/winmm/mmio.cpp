// mmio: buffered, read-only RIFF file reading over standard files.  Handles
// are 32-bit numbers looked up in a table of open files, as a game may keep
// one in a DWORD; an unknown or closed handle fails cleanly.
#include <vantrel/win32/mmsystem.h>
#include <vantrel/seam/game_paths.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <mutex>
#include <new>

#include "platform/kernel/trace.h"

struct HMMIO__ {
    std::FILE* file;
};

namespace {

struct OpenFiles {
    std::mutex mutex;
    std::map<uint32_t, HMMIO__*> files;
    uint32_t last = 0xc;
};

OpenFiles& openFiles()
{
    static auto* t = new OpenFiles;
    return *t;
}

// Numbers go up in steps of 4 and wrap below bit 31, skipping those in use.
HMMIO numberFor(HMMIO__* open)
{
    OpenFiles& t = openFiles();
    std::lock_guard<std::mutex> lock(t.mutex);
    do
        t.last = t.last >= 0x7ffffffcu ? 0x10 : t.last + 4;
    while (t.files.count(t.last));
    t.files[t.last] = open;
    return reinterpret_cast<HMMIO>(static_cast<uintptr_t>(t.last));
}

// The open file a handle names (also when it was cut to 32 bits and widened
// again), or null.
HMMIO__* opened(HMMIO handle, bool forget = false)
{
    const uint64_t value = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
    const uint32_t high = static_cast<uint32_t>(value >> 32);
    if (high != 0 && high != 0xffffffffu)
        return nullptr;
    OpenFiles& t = openFiles();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.files.find(static_cast<uint32_t>(value));
    if (it == t.files.end())
        return nullptr;
    HMMIO__* open = it->second;
    if (forget)
        t.files.erase(it);
    return open;
}

bool readDword(std::FILE* file, DWORD* value)
{
    unsigned char b[4];
    if (std::fread(b, 1, 4, file) != 4)
        return false;
    *value = DWORD(b[0]) | DWORD(b[1]) << 8 | DWORD(b[2]) << 16 | DWORD(b[3]) << 24;
    return true;
}

// Reads a chunk header at the current offset; for RIFF and LIST chunks also
// the form type.
bool readHeader(std::FILE* file, MMCKINFO* chunk)
{
    long start = std::ftell(file);
    if (start < 0 || !readDword(file, &chunk->ckid) || !readDword(file, &chunk->cksize))
        return false;
    chunk->fccType = 0;
    chunk->dwFlags = 0;
    DWORD dataOffset = DWORD(start) + 8;
    if (chunk->ckid == mmioFOURCC('R', 'I', 'F', 'F') || chunk->ckid == mmioFOURCC('L', 'I', 'S', 'T')) {
        if (!readDword(file, &chunk->fccType))
            return false;
    }
    chunk->dwDataOffset = dataOffset;
    return true;
}

long chunkEnd(const MMCKINFO& chunk)
{
    return long(chunk.dwDataOffset) + long(chunk.cksize) + long(chunk.cksize & 1);
}

} // namespace

HMMIO mmioOpenA(LPCSTR fileName, LPMMIOINFO info, DWORD flags)
{
    VTL_TRACE(winmm, "mmioOpenA", fileName, info, flags);
    if (!fileName || info || (flags & (MMIO_WRITE | MMIO_READWRITE | MMIO_CREATE)))
        return vtlTraceCall_.result(nullptr);
    std::FILE* file = std::fopen(vtl::resolveGamePath(fileName).c_str(), "rb");
    if (!file)
        return vtlTraceCall_.result(nullptr);
    HMMIO__* open = new (std::nothrow) HMMIO__{file};
    if (!open) {
        std::fclose(file);
        return vtlTraceCall_.result(nullptr);
    }
    return vtlTraceCall_.result(numberFor(open));
}

MMRESULT mmioClose(HMMIO handle, UINT)
{
    VTL_TRACE(winmm, "mmioClose", handle);
    HMMIO__* file = opened(handle, true);
    if (!file)
        return vtlTraceCall_.result(MMSYSERR_INVALHANDLE);
    std::fclose(file->file);
    delete file;
    return vtlTraceCall_.result(MMSYSERR_NOERROR);
}

LONG mmioRead(HMMIO handle, HPSTR buffer, LONG count)
{
    VTL_TRACE(winmm, "mmioRead", handle, static_cast<const void*>(buffer), count);
    HMMIO__* file = opened(handle);
    if (!file || count < 0 || (!buffer && count > 0))
        return vtlTraceCall_.result(-1);
    size_t n = std::fread(buffer, 1, size_t(count), file->file);
    if (n < size_t(count) && std::ferror(file->file))
        return vtlTraceCall_.result(-1);
    return vtlTraceCall_.result(LONG(n));
}

LONG mmioSeek(HMMIO handle, LONG offset, int origin)
{
    VTL_TRACE(winmm, "mmioSeek", handle, offset, origin);
    HMMIO__* file = opened(handle);
    if (!file || std::fseek(file->file, offset, origin) != 0)
        return vtlTraceCall_.result(-1);
    return vtlTraceCall_.result(LONG(std::ftell(file->file)));
}

MMRESULT mmioDescend(HMMIO handle, LPMMCKINFO chunk, LPCMMCKINFO parent, UINT flags)
{
    VTL_TRACE(winmm, "mmioDescend", handle, chunk, parent, flags);
    HMMIO__* file = opened(handle);
    if (!file || !chunk)
        return vtlTraceCall_.result(MMSYSERR_INVALPARAM);
    std::FILE* f = file->file;
    if (!(flags & (MMIO_FINDCHUNK | MMIO_FINDRIFF | MMIO_FINDLIST)))
        return vtlTraceCall_.result(readHeader(f, chunk) ? MMSYSERR_NOERROR : MMIOERR_CHUNKNOTFOUND);

    const FOURCC riff = mmioFOURCC('R', 'I', 'F', 'F'), list = mmioFOURCC('L', 'I', 'S', 'T');
    FOURCC wantId = chunk->ckid, wantType = chunk->fccType;
    if (flags & MMIO_FINDRIFF)
        wantId = riff;
    else if (flags & MMIO_FINDLIST)
        wantId = list;
    long limit = parent ? long(parent->dwDataOffset + parent->cksize) : -1;
    for (;;) {
        long here = std::ftell(f);
        if (here < 0 || (limit >= 0 && here + 8 > limit))
            break;
        MMCKINFO found;
        if (!readHeader(f, &found))
            break;
        bool match = found.ckid == wantId;
        if (match && (flags & (MMIO_FINDRIFF | MMIO_FINDLIST)))
            match = found.fccType == wantType;
        if (match) {
            *chunk = found;
            return vtlTraceCall_.result(MMSYSERR_NOERROR);
        }
        if (std::fseek(f, chunkEnd(found), SEEK_SET) != 0)
            break;
    }
    if (limit >= 0)
        std::fseek(f, limit, SEEK_SET);
    return vtlTraceCall_.result(MMIOERR_CHUNKNOTFOUND);
}

MMRESULT mmioAscend(HMMIO handle, LPMMCKINFO chunk, UINT)
{
    VTL_TRACE(winmm, "mmioAscend", handle, chunk);
    HMMIO__* file = opened(handle);
    if (!file || !chunk)
        return vtlTraceCall_.result(MMSYSERR_INVALPARAM);
    return vtlTraceCall_.result(std::fseek(file->file, chunkEnd(*chunk), SEEK_SET) == 0 ? MMSYSERR_NOERROR : MMIOERR_CANNOTSEEK);
}
