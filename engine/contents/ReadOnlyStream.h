#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include <taglib/tiostream.h>

namespace nameshift::engine {

// A TagLib stream over one region of an open file that only reads: every writing call does
// nothing, so no path through TagLib can change an audio file. Its readers see the region as the
// whole file, so however they search, they never read past it. Once `budget` bytes are read, it
// reads no more: a reader that wants more sees the file end there, and takes it for cut short.
class ReadOnlyStream final : public TagLib::IOStream {
public:
    ReadOnlyStream(int fd, long start, long length, std::uint64_t& bytesRead,
                   std::uint64_t budget = std::numeric_limits<std::uint64_t>::max(),
                   std::string name = {})
        : fd_(fd),
          start_(start),
          length_(length),
          bytesRead_(bytesRead),
          budget_(budget),
          name_(std::move(name)) {}

    // The name TagLib guesses a format from by its extension; no file is opened by it.
    TagLib::FileName name() const override { return name_.c_str(); }

    TagLib::ByteVector readBlock(unsigned long length) override;

    // Reads at least `bytes` at a time and serves the reads within them from memory, for a reader
    // that takes a file in many small reads, as TagLib's MP4 and Ogg readers do box by box.
    void readAhead(unsigned long bytes) { window_ = bytes; }

    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    void truncate(long) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return true; }

    void seek(long offset, Position from) override;
    long tell() const override { return position_; }
    long length() override { return length_; }

private:
    static constexpr unsigned long kLongestBlock = std::numeric_limits<unsigned int>::max();

    TagLib::ByteVector fetch(unsigned long length);

    int fd_;
    long start_;
    long length_;
    long position_ = 0;
    std::uint64_t& bytesRead_;
    std::uint64_t budget_;
    std::string name_;
    unsigned long window_ = 0;
    TagLib::ByteVector ahead_;  // what was read ahead, from aheadStart_
    long aheadStart_ = 0;
};

}  // namespace nameshift::engine
