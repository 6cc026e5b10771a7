#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>

#include "cli/NameWriter.h"

namespace nameshift::cli {
namespace {

// A full disk or a closed pipe must not pass for a complete listing.
TEST(NameWriterTest, AFailedWriteIsReported) {
    cookie_io_functions_t full{};
    full.write = [](void*, const char*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    std::FILE* stream = ::fopencookie(nullptr, "w", full);
    NameWriter writer(stream, false);
    writer.writeName("a.txt");
    EXPECT_EQ(writer.flush().error(), ENOSPC);
    std::fclose(stream);
}

}  // namespace
}  // namespace nameshift::cli
