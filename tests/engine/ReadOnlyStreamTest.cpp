#include "engine/contents/ReadOnlyStream.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TempDir.h"
#include "platform/FileDescriptor.h"

namespace nameshift::engine {
namespace {

class ReadAheadTest : public ::testing::TestWithParam<unsigned long> {};

// Reads served from what was read ahead are the file's bytes, wherever they start and end: across
// the window's end, past the region's, backwards.
TEST_P(ReadAheadTest, GivesWhatReadingEachBlockGives) {
    testing::TempDir dir;
    const std::string bytes = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwx";
    dir.write("file", bytes);
    const platform::FileDescriptor fd(::open(dir.file("file").c_str(), O_RDONLY | O_CLOEXEC));
    const std::vector<std::pair<long, unsigned long>> reads = {
        {0, 3}, {3, 8}, {2, 2}, {10, 30}, {38, 5}, {45, 20}, {1, 48}, {49, 1}, {50, 1}};
    std::uint64_t bytesRead = 0;
    ReadOnlyStream stream(fd.get(), 2, 45, bytesRead);
    stream.readAhead(GetParam());
    for (const auto& [at, length] : reads) {
        stream.seek(at, TagLib::IOStream::Beginning);
        const TagLib::ByteVector block = stream.readBlock(length);
        const std::string expected =
            at < 45 ? bytes.substr(2 + at, std::min<unsigned long>(length, 45 - at)) : "";
        EXPECT_EQ(std::string(block.data(), block.size()), expected) << at << "+" << length;
        EXPECT_EQ(stream.tell(), at + static_cast<long>(expected.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, ReadAheadTest, ::testing::Values(0UL, 1UL, 4UL, 7UL, 64UL));

}  // namespace
}  // namespace nameshift::engine
