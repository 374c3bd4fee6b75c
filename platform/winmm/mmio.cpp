// mmio: buffered, read-only RIFF file reading over standard files.
#include <vantrel/win32/mmsystem.h>
#include <vantrel/seam/game_paths.h>

#include <cstdio>
#include <new>

struct HMMIO__ {
    std::FILE* file;
};

namespace {

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
    if (!fileName || info || (flags & (MMIO_WRITE | MMIO_READWRITE | MMIO_CREATE)))
        return nullptr;
    std::FILE* file = std::fopen(vtl::resolveGamePath(fileName).c_str(), "rb");
    if (!file)
        return nullptr;
    HMMIO handle = new (std::nothrow) HMMIO__{file};
    if (!handle)
        std::fclose(file);
    return handle;
}

MMRESULT mmioClose(HMMIO file, UINT)
{
    if (!file)
        return MMSYSERR_INVALHANDLE;
    std::fclose(file->file);
    delete file;
    return MMSYSERR_NOERROR;
}

LONG mmioRead(HMMIO file, HPSTR buffer, LONG count)
{
    if (!file || count < 0 || (!buffer && count > 0))
        return -1;
    size_t n = std::fread(buffer, 1, size_t(count), file->file);
    if (n < size_t(count) && std::ferror(file->file))
        return -1;
    return LONG(n);
}

LONG mmioSeek(HMMIO file, LONG offset, int origin)
{
    if (!file || std::fseek(file->file, offset, origin) != 0)
        return -1;
    return LONG(std::ftell(file->file));
}

MMRESULT mmioDescend(HMMIO file, LPMMCKINFO chunk, LPCMMCKINFO parent, UINT flags)
{
    if (!file || !chunk)
        return MMSYSERR_INVALPARAM;
    std::FILE* f = file->file;
    if (!(flags & (MMIO_FINDCHUNK | MMIO_FINDRIFF | MMIO_FINDLIST)))
        return readHeader(f, chunk) ? MMSYSERR_NOERROR : MMIOERR_CHUNKNOTFOUND;

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
            return MMSYSERR_NOERROR;
        }
        if (std::fseek(f, chunkEnd(found), SEEK_SET) != 0)
            break;
    }
    if (limit >= 0)
        std::fseek(f, limit, SEEK_SET);
    return MMIOERR_CHUNKNOTFOUND;
}

MMRESULT mmioAscend(HMMIO file, LPMMCKINFO chunk, UINT)
{
    if (!file || !chunk)
        return MMSYSERR_INVALPARAM;
    return std::fseek(file->file, chunkEnd(*chunk), SEEK_SET) == 0 ? MMSYSERR_NOERROR : MMIOERR_CANNOTSEEK;
}
