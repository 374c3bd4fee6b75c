// An archive linked into the executable as a resource by
// vantrel_embed_archive opens by name, in any case.
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include <cstring>

TEST(WindowsResourceArchive, OpensByNameInAnyCase)
{
    VTLHND archive;
    ASSERT_TRUE(archive.FastFileInit("wintest"));
    ASSERT_EQ(archive.FastFileSize("HELLO.TXT"), 22u);
    const unsigned char* text = archive.FastFileData("HELLO.TXT");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::memcmp(text, "hello from a resource\n", 22), 0);
    archive.FastFileFini();
    VTLHND missing;
    EXPECT_FALSE(missing.FastFileInit("NOSUCHRESOURCE"));
}
