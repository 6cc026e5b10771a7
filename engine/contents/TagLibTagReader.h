#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/contents/TagReader.h"

namespace nameshift::engine {

// Reads the ID3v2 and ID3v1 tags of an MP3 file through TagLib, and the tags of the other audio
// formats TagLib knows through AudioFileTags. Only regular files are read, and
// only through a stream that cannot write; whatever goes wrong, the file simply has no frames.
// An ID3v2 tag counts only at the very start of the file and an ID3v1 tag only in its last 128
// bytes, and of the ID3v2 tag only the frames a name is built from are read, within a fixed budget
// (Id3v2FramePicker): a user may well select a large file that is no MP3 at all, or one whose tag
// declares far more than it holds. Where the ID3v2 tag lacks a frame that ID3v1 also knows
// (album, artist, title, year, track), the ID3v1 field fills in.
class TagLibTagReader final : public TagReader {
public:
    TagTexts read(const std::string& path) override;
    FileTimes times(const std::string& path) override;
    // From a photo's EXIF or a video's movie header (TakenDate), opened as the tags are.
    std::optional<std::tm> taken(const std::string& path) override;
    // From a picture's EXIF, a song's audio properties or a film's container (MediaFacts).
    std::optional<std::string> fact(const std::string& path, MediaFact which) override;
    // Counts its own bytes; what the libraries share between threads is set up once (TakenDate)
    // and only read after.
    std::unique_ptr<TagReader> clone() const override {
        return std::make_unique<TagLibTagReader>();
    }

    // The longest text taken from a frame, in UTF-8 bytes; track, year and disc are shorter.
    static constexpr std::size_t kLongestText = 1023;
    static constexpr std::size_t kLongestNumber = 10;

    // The bytes read from files by this reader so far: what reading a tag costs.
    std::uint64_t bytesRead() const { return bytesRead_; }

private:
    std::uint64_t bytesRead_ = 0;
};

}  // namespace nameshift::engine
