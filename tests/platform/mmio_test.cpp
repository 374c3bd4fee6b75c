// RIFF descent over files with the mmio functions.
#include <vantrel/win32/mmsystem.h>

#include "support/wave_file.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(Mmio, DescendsFindsAndAscendsPastPadBytes)
{
    Bytes file = riffWave({riffChunk("LIST", Bytes{'I', 'N', 'F', 'O', 1, 2, 3}), riffChunk("fmt ", formatBody(1, 1, 8000, 8)),
                           riffChunk("odd ", Bytes{9}), riffChunk("data", Bytes{10, 20, 30})});
    std::string path = temporaryWave(file);
    HMMIO f = mmioOpen(const_cast<char*>(path.c_str()), nullptr, MMIO_ALLOCBUF);
    ASSERT_NE(f, nullptr);
    MMCKINFO riff{}, chunk{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    ASSERT_EQ(mmioDescend(f, &riff, nullptr, MMIO_FINDRIFF), 0u);
    EXPECT_EQ(riff.cksize, file.size() - 8);
    EXPECT_EQ(riff.dwDataOffset, 8u);

    // Flags 0 takes the next chunk as it is: the LIST, with its form type.
    ASSERT_EQ(mmioDescend(f, &chunk, &riff, 0), 0u);
    EXPECT_EQ(chunk.ckid, mmioFOURCC('L', 'I', 'S', 'T'));
    EXPECT_EQ(chunk.fccType, mmioFOURCC('I', 'N', 'F', 'O'));
    ASSERT_EQ(mmioAscend(f, &chunk, 0), 0u); // past the pad byte of its 7-byte body

    chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    ASSERT_EQ(mmioDescend(f, &chunk, &riff, MMIO_FINDCHUNK), 0u);
    EXPECT_EQ(chunk.cksize, 3u);
    char data[4] = {};
    EXPECT_EQ(mmioRead(f, data, 4), 4); // reads the file: the pad byte follows
    EXPECT_EQ(data[2], 30);

    // Searching past the parent's end fails and leaves the file there.
    EXPECT_EQ(mmioSeek(f, 12, SEEK_SET), 12);
    chunk.ckid = mmioFOURCC('c', 'u', 'e', ' ');
    EXPECT_EQ(mmioDescend(f, &chunk, &riff, MMIO_FINDCHUNK), MMRESULT(MMIOERR_CHUNKNOTFOUND));
    EXPECT_EQ(mmioSeek(f, 0, SEEK_CUR), LONG(file.size()));
    riff.fccType = mmioFOURCC('A', 'V', 'I', ' ');
    mmioSeek(f, 0, SEEK_SET);
    EXPECT_EQ(mmioDescend(f, &riff, nullptr, MMIO_FINDRIFF), MMRESULT(MMIOERR_CHUNKNOTFOUND));
    EXPECT_EQ(mmioClose(f, 0), 0u);
    std::remove(path.c_str());

    EXPECT_EQ(mmioOpen(const_cast<char*>("/nonexistent/x.wav"), nullptr, MMIO_ALLOCBUF), nullptr);
    EXPECT_EQ(mmioOpen(const_cast<char*>(path.c_str()), nullptr, MMIO_WRITE), nullptr);
}
