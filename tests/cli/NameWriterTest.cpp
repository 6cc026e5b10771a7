#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>

#include "cli/JsonText.h"
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

// Every name a JSON string can carry back byte for byte: a byte outside valid UTF-8 as its lone
// surrogate, one at a time, so that the valid sequence after it still reads as one character.
TEST(JsonTextTest, WritesEveryNameSoThatItReadsBackWhole) {
    EXPECT_EQ(jsonString("a \"b\" \\ \t\x7f"), "\"a \\\"b\\\" \\\\ \\u0009\\u007f\"");
    EXPECT_EQ(jsonString("Crème"), "\"Crème\"");
    EXPECT_EQ(jsonString("b\xff\xc3\xa9\xe2\x82"), "\"b\\udcffé\\udce2\\udc82\"");
}

}  // namespace
}  // namespace nameshift::cli
