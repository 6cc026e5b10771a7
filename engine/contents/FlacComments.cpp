#include "engine/contents/FlacComments.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/contents/FileBytes.h"

namespace nameshift::engine {
namespace {

// Reads of block headers past the head, each following a large block such as a picture's.
constexpr int kMostHeaderReads = 4;
// TagLib reads every block, pictures too; metadata this long could come near its budget.
constexpr long kLongestMetadata = long{8} << 20;
// A comment longer than this is left to TagLib.
constexpr std::size_t kLongestComment = std::size_t{1} << 20;

constexpr unsigned kStreamInfo = 0;
constexpr unsigned kPadding = 1;
constexpr unsigned kSeekTable = 3;
constexpr unsigned kVorbisComment = 4;

// The keys read, in code order.
constexpr std::array<std::string_view, kTagTextCount> kKeys = {
    "ALBUM", "ARTIST",      "GENRE",      "TITLE",   "TRACKNUMBER",
    "DATE",  "ALBUMARTIST", "DISCNUMBER", "COMPOSER"};

std::uint32_t littleEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// The comment's texts; nothing when TagLib could read it otherwise, or when TagLib would find
// no field in it and read the file's ID3 tags instead.
std::optional<TagTexts> commentTexts(std::string_view comment) {
    if (comment.size() < 8) {
        return std::nullopt;
    }
    const std::uint32_t vendorLength = littleEndian32(comment, 0);
    if (vendorLength > comment.size() - 8) {
        return std::nullopt;
    }
    std::size_t at = 4 + vendorLength;
    const std::uint32_t fields = littleEndian32(comment, at);
    at += 4;
    if (fields > (comment.size() - 8) / 4) {
        return std::nullopt;
    }
    TagTexts texts;
    bool kept = false;
    for (std::uint32_t i = 0; i < fields; ++i) {
        if (comment.size() - at < 4) {
            return std::nullopt;
        }
        const std::uint32_t fieldLength = littleEndian32(comment, at);
        at += 4;
        if (fieldLength > comment.size() - at) {
            return std::nullopt;
        }
        const std::string_view field = comment.substr(at, fieldLength);
        at += fieldLength;
        const auto separator = field.find('=');
        if (separator == std::string_view::npos || separator == 0) {
            continue;  // TagLib drops it
        }
        // TagLib drops a key of other characters, or cuts it at a NUL: either could change which
        // key a field has.
        std::string key(field.substr(0, separator));
        for (char& c : key) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x20 || byte > 0x7D) {
                return std::nullopt;
            }
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
        if (key == "METADATA_BLOCK_PICTURE" || key == "COVERART") {
            continue;
        }
        const std::string_view value = field.substr(separator + 1);
        const bool plain = !value.empty() && FileBytes::isPlainUtf8(value);
        const auto code =
            static_cast<std::size_t>(std::find(kKeys.begin(), kKeys.end(), key) - kKeys.begin());
        if (code < kKeys.size() && !texts[code]) {
            // An empty or unreadable value is not kept, and a later one would be the first.
            if (!plain) {
                return std::nullopt;
            }
            texts[code] = std::string(value);
        }
        kept = kept || plain;
    }
    if (!kept) {
        return std::nullopt;
    }
    return texts;
}

}  // namespace

std::optional<TagTexts> FlacComments::read(int fd, long length, std::string_view head,
                                           std::uint64_t& bytesRead) {
    if (head.substr(0, 4) != "fLaC") {
        return std::nullopt;
    }
    // The blocks, each as TagLib reads it, up to the one marked last.
    long commentStart = -1;
    long commentLength = 0;
    int headerReads = 0;
    std::string read;
    for (long at = 4;;) {
        std::string_view header;
        if (length - at < 4) {
            return std::nullopt;
        }
        if (static_cast<std::size_t>(at) + 4 <= head.size()) {
            header = head.substr(static_cast<std::size_t>(at), 4);
        } else if (++headerReads > kMostHeaderReads ||
                   (read = FileBytes::read(fd, at, 4, bytesRead)).size() != 4) {
            return std::nullopt;
        } else {
            header = read;
        }
        const auto flags = static_cast<unsigned char>(header[0]);
        const unsigned type = flags & 0x7FU;
        const long blockLength = (long{static_cast<unsigned char>(header[1])} << 16) |
                                 (long{static_cast<unsigned char>(header[2])} << 8) |
                                 long{static_cast<unsigned char>(header[3])};
        if ((at == 4 && type != kStreamInfo) ||
            (blockLength == 0 && type != kPadding && type != kSeekTable) ||
            blockLength > length - at - 4 || at + 4 + blockLength > kLongestMetadata) {
            return std::nullopt;
        }
        if (type == kVorbisComment) {
            if (commentStart >= 0) {
                return std::nullopt;
            }
            commentStart = at + 4;
            commentLength = blockLength;
        }
        at += 4 + blockLength;
        if ((flags & 0x80U) != 0) {
            break;
        }
    }
    if (commentStart < 0 || static_cast<std::size_t>(commentLength) > kLongestComment) {
        return std::nullopt;
    }
    const auto start = static_cast<std::size_t>(commentStart);
    const auto size = static_cast<std::size_t>(commentLength);
    if (start + size <= head.size()) {
        return commentTexts(head.substr(start, size));
    }
    read = FileBytes::read(fd, commentStart, size, bytesRead);
    if (read.size() != size) {
        return std::nullopt;
    }
    return commentTexts(read);
}

}  // namespace nameshift::engine
