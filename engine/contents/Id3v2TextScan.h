#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/contents/TagReader.h"

namespace nameshift::engine {

class TagBodyReader;

// Reads the name's texts of the ID3v2 tag that opens a file straight from its bytes, for the tags
// nearly every tagger writes: version 2.3 or 2.4 with no tag-wide flags, the wanted frames stored
// plain, in a text encoding whose reading leaves no doubt. It walks the frames exactly as
// Id3v2FramePicker does, reading the same bytes within the same budget, and decodes the texts as
// TagLib does; any other tag it leaves to that picker and TagLib, which read it alike but build an
// object for every frame and every string on the way, several times the cost of the file's read.
class Id3v2TextScan {
public:
    Id3v2TextScan(int fd, long fileLength, std::uint64_t& bytesRead)
        : fd_(fd), fileLength_(fileLength), bytesRead_(bytesRead) {}

    // The texts, none of them present when the file opens with no tag; nothing when the tag is
    // one this scan leaves to the thorough reading.
    std::optional<TagTexts> read();

private:
    // The frames a name is read from, and the dates that TagLib would join to a TDRC year.
    enum Slot { kRecordingTime = kTagTextCount, kRecordingTimeTypo, kTime, kDate, kSlotCount };
    // The first copy of each frame, as stored; TagLib reads the first of each id.
    struct Copy {
        int count = 0;
        std::optional<std::string> bytes;
        unsigned position = 0;
    };

    bool walk(TagBodyReader& body, unsigned version);
    std::optional<int> slot(std::string_view id, unsigned version) const;
    std::optional<TagTexts> texts(unsigned version) const;

    int fd_;
    long fileLength_;
    std::uint64_t& bytesRead_;
    std::array<Copy, kSlotCount> copies_;
};

}  // namespace nameshift::engine
