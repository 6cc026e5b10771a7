#include "Id3Bytes.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace nameshift::testing::id3 {
namespace {

// Decodes the UTF-8 of the tests' own literals; malformed input is a mistake in a test.
std::vector<char32_t> codePoints(std::string_view text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t point = lead;
        if (lead >= 0xF0) {
            extra = 3;
            point = lead & 0x07u;
        } else if (lead >= 0xE0) {
            extra = 2;
            point = lead & 0x0Fu;
        } else if (lead >= 0xC0) {
            extra = 1;
            point = lead & 0x1Fu;
        } else if (lead >= 0x80) {
            throw std::invalid_argument("stray UTF-8 continuation byte");
        }
        if (i + static_cast<std::size_t>(extra) >= text.size() && extra > 0) {
            throw std::invalid_argument("cut UTF-8 sequence");
        }
        for (int k = 1; k <= extra; ++k) {
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
        }
        points.push_back(point);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return points;
}

void appendUtf16(std::string& out, char32_t point, bool highByteFirst) {
    auto unit = [&](char16_t value) {
        const char high = static_cast<char>(value >> 8);
        const char low = static_cast<char>(value & 0xFF);
        out += highByteFirst ? high : low;
        out += highByteFirst ? low : high;
    };
    if (point >= 0x10000) {
        point -= 0x10000;
        unit(static_cast<char16_t>(0xD800 + (point >> 10)));
        unit(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
    } else {
        unit(static_cast<char16_t>(point));
    }
}

std::string bigEndian(std::uint32_t value, int bytes) {
    std::string out;
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
    return out;
}

std::string synchsafe(std::uint32_t value) {
    std::string out;
    for (int shift = 21; shift >= 0; shift -= 7) {
        out += static_cast<char>((value >> shift) & 0x7F);
    }
    return out;
}

std::string frameHeader(int major, std::string_view id, std::uint32_t size, char flags) {
    if (id.size() != (major == 2 ? 3u : 4u)) {
        throw std::invalid_argument("frame id " + std::string(id) + " does not fit ID3v2." +
                                    std::to_string(major));
    }
    if (major == 2) {
        return std::string(id) + bigEndian(size, 3);
    }
    const std::string sizeBytes = major == 3 ? bigEndian(size, 4) : synchsafe(size);
    return std::string(id) + sizeBytes + '\0' + flags;
}

// The data as a compressed frame holds it: its inflated size, then the zlib stream.
std::string compressed(int major, const std::string& data) {
    uLongf length = compressBound(data.size());
    std::string stream(length, '\0');
    if (major == 2 || compress(reinterpret_cast<Bytef*>(stream.data()), &length,
                               reinterpret_cast<const Bytef*>(data.data()), data.size()) != Z_OK) {
        throw std::invalid_argument("cannot compress this frame");
    }
    stream.resize(length);
    const auto size = static_cast<std::uint32_t>(data.size());
    return (major == 3 ? bigEndian(size, 4) : synchsafe(size)) + stream;
}

std::string unsynchronisedData(std::string_view data) {
    std::string out;
    for (const char c : data) {
        out += c;
        if (c == '\xFF') {
            out += '\0';
        }
    }
    return out;
}

std::uint32_t synchsafeAt(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = at; i < at + 4; ++i) {
        value = (value << 7) | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

std::string field(std::string_view text, std::size_t size) {
    std::string bytes(text.substr(0, size));
    bytes.resize(size, '\0');
    return bytes;
}

}  // namespace

std::string encodeText(std::string_view text, Encoding encoding) {
    if (encoding == Encoding::Utf8) {
        return std::string(text);
    }
    std::string out;
    bool startOfValue = true;
    for (const char32_t point : codePoints(text)) {
        if (encoding == Encoding::Latin1) {
            if (point > 0xFF) {
                throw std::invalid_argument("text does not fit Latin-1");
            }
            out += static_cast<char>(point);
            continue;
        }
        // Every value of a UTF-16 frame starts with its own byte order mark.
        if (startOfValue && point != 0 && encoding == Encoding::Utf16) {
            out += "\xFF\xFE";
        }
        startOfValue = point == 0;
        appendUtf16(out, point, encoding == Encoding::Utf16Be);
    }
    return out;
}

std::string id3v2Frame(int major, const TextFrame& frame) {
    std::string data = static_cast<char>(frame.encoding) + encodeText(frame.text, frame.encoding);
    if (frame.compressed) {
        data = compressed(major, data);
    }
    // Compressed; from ID3v2.4 on with the inflated size as data length.
    const char flags = !frame.compressed ? '\0' : major == 3 ? '\x80' : '\x09';
    return frameHeader(major, frame.id, static_cast<std::uint32_t>(data.size()), flags) + data;
}

std::string id3v2FrameHeader(int major, std::string_view id, std::uint32_t size) {
    return frameHeader(major, id, size, '\0');
}

std::string id3v2Header(int major, std::uint32_t size, std::uint8_t flags) {
    if (major < 2 || major > 4) {
        throw std::invalid_argument("no such ID3v2 version");
    }
    std::string header = "ID3";
    header += static_cast<char>(major);
    header += '\0';  // revision
    header += static_cast<char>(flags);
    return header + synchsafe(size);
}

std::string id3v2Tag(int major, const std::vector<TextFrame>& frames, std::size_t padding) {
    std::string body;
    for (const TextFrame& frame : frames) {
        body += id3v2Frame(major, frame);
    }
    body.append(padding, '\0');
    return id3v2Header(major, static_cast<std::uint32_t>(body.size())) + body;
}

std::string unsynchronised(const std::string& tag) {
    const int major = tag[3];
    std::string body;
    if (major < 4) {
        body = unsynchronisedData(std::string_view(tag).substr(10));
    } else {
        std::size_t pos = 10;
        while (pos + 10 <= tag.size() && tag[pos] != '\0') {
            const std::uint32_t size = synchsafeAt(tag, pos + 4);
            const std::string data =
                unsynchronisedData(std::string_view(tag).substr(pos + 10, size));
            body += frameHeader(4, tag.substr(pos, 4), static_cast<std::uint32_t>(data.size()),
                                tag[pos + 9]) +
                    data;
            pos += 10 + size;
        }
        body += tag.substr(std::min(pos, tag.size()));
    }
    return id3v2Header(major, static_cast<std::uint32_t>(body.size()),
                       static_cast<std::uint8_t>(tag[5] | 0x80)) +
           body;
}

std::string id3v1Tag(std::string_view title, std::string_view artist, std::string_view album,
                     std::string_view year, std::optional<std::uint8_t> track,
                     std::string_view comment, std::uint8_t genre) {
    std::string tag = "TAG";
    tag += field(title, 30);
    tag += field(artist, 30);
    tag += field(album, 30);
    tag += field(year, 4);
    if (track) {
        tag += field(comment, 28);
        tag += '\0';
        tag += static_cast<char>(*track);
    } else {
        tag += field(comment, 30);
    }
    tag += static_cast<char>(genre);
    return tag;
}

std::string mpegAudio(int frames) {
    // MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, no padding: 417 bytes a frame.
    std::string frame = "\xFF\xFB\x90";
    frame += '\0';
    frame.resize(417, '\0');
    std::string audio;
    for (int i = 0; i < frames; ++i) {
        audio += frame;
    }
    return audio;
}

std::string pngImage() {
    std::string png = "\x89PNG\r\n\x1A\n";
    png += std::string("\0\0\0\x0DIHDR", 8);
    png += std::string("\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0", 13);
    png += "\x1F\xF3\xFF\x61";  // the header chunk's CRC
    png += std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
    return png;
}

}  // namespace nameshift::testing::id3
