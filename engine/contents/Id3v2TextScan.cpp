#include "engine/contents/Id3v2TextScan.h"

#include <algorithm>
#include <string_view>

#include <taglib/tbytevector.h>

#include "engine/contents/FileBytes.h"
#include "engine/contents/Id3v2FramePicker.h"
#include "engine/contents/ReadOnlyStream.h"
#include "engine/contents/TagBodyReader.h"

namespace nameshift::engine {
namespace {

constexpr unsigned kHeaderSize = 10;  // of the tag and of each of its frames
constexpr unsigned kLongestPlainSize = 127;

unsigned byteAt(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

std::uint32_t bigEndian(std::string_view bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | byteAt(bytes, i);
    }
    return value;
}

// A synchsafe size as TagLib reads one: taggers that wrote a plain number set a top bit, and
// that number is taken as it is.
std::uint32_t synchsafe(std::string_view bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        if ((byteAt(bytes, i) & 0x80) != 0) {
            return bigEndian(bytes);
        }
        value = (value << 7) | byteAt(bytes, i);
    }
    return value;
}

bool isFrameId(std::string_view bytes) {
    return bytes.size() == 4 && std::all_of(bytes.begin(), bytes.end(), [](char c) {
               return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
           });
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The two noncharacters that some Unicode converters refuse and others pass.
bool isDoubtful(char32_t c) {
    return c == 0xFFFE || c == 0xFFFF;
}

// UTF-16 code units in the given byte order as UTF-8, or nothing for a lone surrogate, an odd
// byte or a doubtful character.
std::optional<std::string> utf16(std::string_view bytes, bool bigEndianUnits) {
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto unit = [&](std::size_t at) -> char32_t {
            return bigEndianUnits ? (byteAt(bytes, at) << 8) | byteAt(bytes, at + 1)
                                  : (byteAt(bytes, at + 1) << 8) | byteAt(bytes, at);
        };
        char32_t c = unit(i);
        if (c >= 0xDC00 && c <= 0xDFFF) {
            return std::nullopt;
        }
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 4 > bytes.size()) {
                return std::nullopt;
            }
            const char32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF) {
                return std::nullopt;
            }
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        if (isDoubtful(c)) {
            return std::nullopt;
        }
        appendUtf8(out, c);
    }
    return out;
}

// One string of a text frame in its encoding, as UTF-8; `first` when it opens the frame, where
// the byte order mark of UTF-16 belongs.
std::optional<std::string> decoded(std::string_view text, unsigned encoding, bool first) {
    switch (encoding) {
        case 0: {
            std::string out;
            out.reserve(text.size());
            for (const char c : text) {
                appendUtf8(out, static_cast<unsigned char>(c));
            }
            return out;
        }
        case 1:
            if (!first || text.size() < 2) {
                return std::nullopt;
            }
            if (text.starts_with("\xFE\xFF") || text.starts_with("\xFF\xFE")) {
                return utf16(text.substr(2), text[0] == '\xFE');
            }
            return std::nullopt;
        case 2:
            if (text.starts_with("\xFE\xFF") || text.starts_with("\xFF\xFE")) {
                return std::nullopt;
            }
            return utf16(text, true);
        default:
            if (text.starts_with("\xEF\xBB\xBF") || !FileBytes::isPlainUtf8(text)) {
                return std::nullopt;
            }
            return std::string(text);
    }
}

// The first text of a text frame's `data`, as TagLib reads its fields: the encoding byte, then
// strings ended by a null of the encoding's width, trailing nulls dropped, of which the first that
// is not empty comes first. A frame with no string gives an empty text.
std::optional<std::string> firstText(std::string_view data) {
    if (data.size() < 2) {
        return std::string();
    }
    const unsigned encoding = byteAt(data, 0);
    if (encoding > 3) {
        return std::nullopt;
    }
    const std::size_t width = encoding == 0 || encoding == 3 ? 1 : 2;
    std::size_t length = data.size() - 1;
    while (length > 0 && data[length] == '\0') {
        --length;
    }
    while (length % width != 0) {
        ++length;
    }
    const std::string_view strings = data.substr(1, length);
    const std::string_view delimiter("\0\0", width);
    for (std::size_t start = 0; start < strings.size();) {
        std::size_t end = start;
        while (end < strings.size() && strings.substr(end, width) != delimiter) {
            end += width;
        }
        end = std::min(end, strings.size());
        if (end > start) {
            return decoded(strings.substr(start, end - start), encoding, start == 0);
        }
        start = end + width;
    }
    return std::string();
}

}  // namespace

std::optional<TagTexts> Id3v2TextScan::read() {
    ReadOnlyStream file(fd_, 0, fileLength_, bytesRead_);
    std::size_t budget = Id3v2FramePicker::kReadBudget - kHeaderSize;
    const TagLib::ByteVector headerBytes = file.readBlock(kHeaderSize);
    const std::string_view header(headerBytes.data(), headerBytes.size());
    if (header.size() != kHeaderSize || !header.starts_with("ID3") ||
        std::any_of(header.begin() + 6, header.end(), [](char c) { return (c & 0x80) != 0; })) {
        return TagTexts{};
    }
    const unsigned version = byteAt(header, 3);
    const std::uint32_t tagSize = synchsafe(header.substr(6));
    if (version < 2 || version > 4 || tagSize == 0) {
        return TagTexts{};
    }
    if (version == 2 || byteAt(header, 5) != 0) {
        return std::nullopt;
    }
    if (tagSize + std::uint64_t{kHeaderSize} > static_cast<std::uint64_t>(fileLength_)) {
        return TagTexts{};
    }
    TagBodyReader body(file, tagSize, budget);
    if (!walk(body, version)) {
        return std::nullopt;
    }
    return texts(version);
}

// The picker's walk, read for read: the same frame headers, the same looks ahead at a v2.4
// frame's end, the same frames read whole, so that the budget runs out at the same place. False
// when the tag is the thorough reading's.
bool Id3v2TextScan::walk(TagBodyReader& body, unsigned version) {
    const unsigned end = body.size();
    bool last = false;
    for (unsigned pos = 0; !last && pos + kHeaderSize < end;) {
        // Where the budget runs out, the picker's walk ends as at padding.
        const std::string_view frame = body.view(pos, kHeaderSize);
        if (frame.size() != kHeaderSize || frame[0] == '\0') {
            return true;
        }
        const std::string_view id = frame.substr(0, 4);
        if (version == 3 && id[3] == '\0') {
            return false;  // a v2.2 frame in a v2.3 tag
        }
        const unsigned flags = byteAt(frame, 9);
        std::uint32_t size = version == 3 ? bigEndian(frame.substr(4)) : synchsafe(frame.substr(4));
        if (version == 4 && size > kLongestPlainSize) {
            const std::uint32_t plain = bigEndian(frame.substr(4));
            const auto idAt = [&](std::uint64_t at) {
                return at < end && isFrameId(body.view(static_cast<unsigned>(at), 4));
            };
            if (!idAt(std::uint64_t{pos} + kHeaderSize + size)) {
                if (idAt(std::uint64_t{pos} + kHeaderSize + plain)) {
                    size = plain;
                } else {
                    last = true;
                }
            }
        }
        const unsigned least = version == 4 && (flags & 0x01) != 0 ? 4 : 0;
        if (!isFrameId(id) || size <= least || size > end - pos - kHeaderSize) {
            return true;
        }
        const std::optional<int> wanted = slot(id, version);
        if (wanted && size <= Id3v2FramePicker::kLongestFrame) {
            Copy& copy = copies_[static_cast<std::size_t>(*wanted)];
            if (copy.count < 2) {
                const std::string_view bytes = body.view(pos, kHeaderSize + size);
                if (bytes.size() != kHeaderSize + size) {
                    return true;
                }
                // A frame stored any other way than plain is the thorough reading's to read; so
                // is a compressed second copy, which counts as one only when it inflates.
                const unsigned compressed = version == 3 ? 0x80 : 0x08;
                if (copy.count == 0 ? flags != 0 : (flags & compressed) != 0) {
                    return false;
                }
                if (copy.count++ == 0) {
                    copy.bytes = std::string(bytes.substr(kHeaderSize));
                    copy.position = pos;
                }
            }
        }
        pos += kHeaderSize + size;
    }
    return true;
}

std::optional<int> Id3v2TextScan::slot(std::string_view id, unsigned version) const {
    static constexpr std::array<std::string_view, kTagTextCount> kIds = {
        "TALB", "TPE1", "TIT1", "TIT2", "TRCK", "TYER", "TPE2", "TPOS", "TCOM"};
    const auto found = std::find(kIds.begin(), kIds.end(), id);
    if (found != kIds.end()) {
        return static_cast<int>(found - kIds.begin());
    }
    if (id == "TDRC") {
        return kRecordingTime;
    }
    if (version == 4) {
        return id == "TRDC" ? std::optional<int>(kRecordingTimeTypo) : std::nullopt;
    }
    if (id == "TIME") {
        return kTime;
    }
    return id == "TDAT" ? std::optional<int>(kDate) : std::nullopt;
}

std::optional<TagTexts> Id3v2TextScan::texts(unsigned version) const {
    const Copy* year = &copies_[kYearText];
    if (!year->bytes) {
        // TagLib joins a v2.3 TDRC to the date and time beside it; a v2.4 TRDC is a TDRC misspelt.
        const Copy& recorded = copies_[kRecordingTime];
        const Copy& typo = copies_[kRecordingTimeTypo];
        if (version == 3 && recorded.bytes) {
            return std::nullopt;
        }
        year = !typo.bytes || (recorded.bytes && recorded.position < typo.position) ? &recorded
                                                                                    : &typo;
    }
    TagTexts texts;
    for (std::size_t i = 0; i < kTagTextCount; ++i) {
        const Copy& copy = i == kYearText ? *year : copies_[i];
        if (copy.bytes) {
            texts[i] = firstText(*copy.bytes);
            if (!texts[i]) {
                return std::nullopt;
            }
        }
    }
    return texts;
}

}  // namespace nameshift::engine
