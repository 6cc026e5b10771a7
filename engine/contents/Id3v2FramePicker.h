#pragma once

#include <cstddef>
#include <map>

#include <taglib/id3v2header.h>
#include <taglib/tbytevector.h>

#include "engine/contents/Id3v2FrameHeader.h"

namespace TagLib {
class IOStream;
}

namespace nameshift::engine {

class TagBodyReader;

// Takes out of the ID3v2 tag that opens a file the text frames a name is built from, and hands
// them back as a small tag of the same version for TagLib to parse. TagLib reads a whole tag into
// memory, more than once over, and inflates a compressed frame as far as it goes: a header
// declaring 256 MB costs it half a gigabyte. Here the frames a name does not use are stepped over
// by their sizes without being read, and one tag costs at most kReadBudget bytes read and a few
// times that in memory, whatever it declares. The frames are walked as TagLib walks them, so that
// it finds the same ones in the small tag.
class Id3v2FramePicker {
public:
    // The most read of one tag, and the most held of a tag that must be read whole (an
    // unsynchronised ID3v2.2 or 2.3 tag, whose frame sizes count the bytes once restored); past
    // it, the frames not reached are missing. Text frames come first in the tags taggers write.
    static constexpr std::size_t kReadBudget = std::size_t{2} << 20;
    // A frame of a name holds a line of text; one larger than this, stored or inflated, is left
    // out as if missing.
    static constexpr unsigned kLongestFrame = 64u << 10;

    explicit Id3v2FramePicker(TagLib::IOStream& file) : file_(file) {}

    // The small tag, or an empty vector when the file opens with no readable ID3v2 tag or its
    // tag holds none of the frames.
    TagLib::ByteVector pick();

private:
    // Of each id the first frames only: two tell TagLib that there are several, which it checks
    // before joining a v2.3 date to its year.
    static constexpr int kCopiesOfAFrame = 2;

    void walk(TagBodyReader& body, const TagLib::ID3v2::Header& header);
    unsigned frameSize(TagBodyReader& body, unsigned pos, const TagLib::ByteVector& bytes,
                       unsigned declared, bool& last) const;
    bool copy(TagBodyReader& body, unsigned pos, unsigned length, const Id3v2FrameHeader& frame,
              const TagLib::ByteVector& id);
    void take(const TagLib::ByteVector& frame, const TagLib::ByteVector& id);
    bool wanted(const TagLib::ByteVector& id) const;

    TagLib::IOStream& file_;
    std::size_t budget_ = kReadBudget;
    unsigned version_ = 0;
    bool unsynchronised_ = false;
    TagLib::ByteVector frames_;
    std::map<TagLib::ByteVector, int> copies_;
};

}  // namespace nameshift::engine
