#pragma once

#include <cstddef>
#include <string_view>

#include <taglib/tbytevector.h>

namespace TagLib {
class IOStream;
}

namespace nameshift::engine {

// The bytes of an ID3v2 tag's body, after its ten-byte header, read on demand from a file or held
// whole. A window read ahead of the walk serves the frame headers, so that a tag of small frames
// costs a read or two; walking forwards, no byte is read twice, none past the body, and none once
// the budget shared by one tag's readers is spent.
class TagBodyReader {
public:
    TagBodyReader(TagLib::IOStream& file, unsigned size, std::size_t& budget)
        : file_(&file), size_(size), budget_(&budget) {}
    explicit TagBodyReader(const TagLib::ByteVector& whole) : bytes_(whole), size_(whole.size()) {}

    unsigned size() const { return size_; }

    // The `length` bytes from `offset`, or fewer where the body or the budget ends.
    TagLib::ByteVector read(unsigned offset, unsigned length);
    // The same bytes, read the same way, as a view that lasts until the next call: bytes the
    // window holds are not copied.
    std::string_view view(unsigned offset, unsigned length);

private:
    static constexpr unsigned kWindow = 16u << 10;

    TagLib::ByteVector fetch(unsigned offset, unsigned length);

    TagLib::IOStream* file_ = nullptr;
    TagLib::ByteVector bytes_;  // the window, or the whole body
    TagLib::ByteVector held_;   // what view() last gave from outside the window
    unsigned start_ = 0;        // where bytes_ starts in the body
    unsigned size_;
    std::size_t* budget_ = nullptr;
};

}  // namespace nameshift::engine
