#include "linuxplatform/heapreturn.h"

#include <malloc.h>

#include <gtest/gtest.h>

#include <cstdlib>

#ifdef __GLIBC__
// A picture freed and the next one read: the next is a block of its own again, given
// back whole when it is freed, not heap the process keeps.
TEST(ReturnLargeBlocks, APictureAfterAFreedOneIsMappedAfresh) {
#ifdef CHIMELET_SANITIZE
    GTEST_SKIP() << "AddressSanitizer's allocator stands in for the glibc heap measured here";
#endif
    returnlargeblocks();
    constexpr size_t kPicture = 1280 * 800 * 4;
    void* first = std::malloc(kPicture);
    ASSERT_NE(first, nullptr);
    std::free(first);
    const size_t before = mallinfo2().hblkhd;
    void* next = std::malloc(kPicture);
    ASSERT_NE(next, nullptr);
    EXPECT_GE(mallinfo2().hblkhd, before + kPicture);
    std::free(next);
    EXPECT_EQ(mallinfo2().hblkhd, before);
}
#endif
