#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nameshift::testing::id3 {

// Text encodings as the ID3v2 encoding byte numbers them. Utf16 writes a little-endian byte
// order mark; Utf16Be and Utf8 exist only in ID3v2.4.
enum class Encoding : std::uint8_t { Latin1 = 0, Utf16 = 1, Utf16Be = 2, Utf8 = 3 };

struct TextFrame {
    std::string id;    // three characters for ID3v2.2, four for later versions
    std::string text;  // UTF-8; several values are separated by '\0'
    Encoding encoding = Encoding::Latin1;
    bool compressed = false;  // zlib, ID3v2.3 and 2.4 only
};

// An ID3v2 tag of version 2.`major` (2, 3 or 4) holding `frames`, followed by `padding` zero
// bytes inside the tag.
std::string id3v2Tag(int major, const std::vector<TextFrame>& frames, std::size_t padding = 0);

// The ten-byte header of a tag declaring `size` bytes after it, and one frame of a tag and the
// header of a frame declaring `size` bytes of data: the parts of tags too large to write whole.
std::string id3v2Header(int major, std::uint32_t size, std::uint8_t flags = 0);
std::string id3v2Frame(int major, const TextFrame& frame);
std::string id3v2FrameHeader(int major, std::string_view id, std::uint32_t size);

// `tag` unsynchronised: a zero byte after every 0xFF, in the whole body up to ID3v2.3 and in each
// frame's data from ID3v2.4 on, and the header's flag set.
std::string unsynchronised(const std::string& tag);

// The 128-byte ID3v1 tag; with a track number it is the ID3v1.1 layout. Texts are Latin-1 bytes
// already and are cut or padded with zeros to their field sizes.
std::string id3v1Tag(std::string_view title, std::string_view artist, std::string_view album,
                     std::string_view year, std::optional<std::uint8_t> track = std::nullopt,
                     std::string_view comment = {}, std::uint8_t genre = 255);

// A few silent MPEG-1 Layer III frames, so that a file reads as audio after its tag.
std::string mpegAudio(int frames = 4);

// The first bytes of a PNG image, enough for any reader to see it is one.
std::string pngImage();

// `text` (UTF-8) in the given encoding, as an ID3v2 frame would hold it.
std::string encodeText(std::string_view text, Encoding encoding);

}  // namespace nameshift::testing::id3
