#include "engine/contents/Id3v2FramePicker.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include <taglib/id3v2synchdata.h>
#include <taglib/tiostream.h>

#include "engine/contents/TagBodyReader.h"

namespace nameshift::engine {
namespace {

using TagLib::ByteVector;
namespace SynchData = TagLib::ID3v2::SynchData;

constexpr unsigned kHeaderSize = 10;  // of a tag, of its footer and of a frame from ID3v2.3 on

// The ids whose frames a name is read from, as TagLib reads them (v2.2 TYE and TRD are the year
// and the recording time), and the v2.3 date and time that TagLib joins to a TDRC date.
bool isNameFrame(const ByteVector& id, unsigned version) {
    static const char* const kShortIds[] = {"TAL", "TP1", "TT1", "TT2", "TRK",
                                            "TYE", "TRD", "TP2", "TPA", "TCM"};
    static const char* const kIds[] = {"TALB", "TPE1", "TIT1", "TIT2", "TRCK",
                                       "TYER", "TDRC", "TPE2", "TPOS", "TCOM"};
    const auto is = [&id](const char* wanted) { return id == wanted; };
    if (id.size() == 3) {
        return std::any_of(std::begin(kShortIds), std::end(kShortIds), is);
    }
    if (std::any_of(std::begin(kIds), std::end(kIds), is)) {
        return true;
    }
    return version == 3 ? id == "TIME" || id == "TDAT" : id == "TRDC";
}

bool isIdCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isFrameId(const ByteVector& bytes) {
    return bytes.size() == 4 && std::all_of(bytes.begin(), bytes.end(), isIdCharacter);
}

// The whole zlib stream of `data` inflated, or nothing when it is broken, ends early or gives
// more than `longest` bytes: inflating is stopped there, never carried on.
std::optional<ByteVector> inflateAtMost(const ByteVector& data, unsigned longest) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) {
        return std::nullopt;
    }
    ByteVector out(longest + 1, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = data.size();
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = out.size();
    const int result = inflate(&stream, Z_FINISH);
    const uLong length = stream.total_out;
    inflateEnd(&stream);
    if (result != Z_STREAM_END || length > longest) {
        return std::nullopt;
    }
    out.resize(static_cast<unsigned>(length));
    return out;
}

// The frame that `frame` holds compressed, stored plain under the same id, or nothing when it
// does not inflate within `longest` bytes. As TagLib reads such a frame, four bytes of the
// inflated size come before the zlib stream.
std::optional<ByteVector> inflatedFrame(const ByteVector& frame, unsigned version,
                                        bool unsynchronised, unsigned longest) {
    ByteVector data = frame.mid(kHeaderSize);
    if (unsynchronised) {
        data = SynchData::decode(data);
    }
    if (data.size() <= 4) {
        return std::nullopt;
    }
    const std::optional<ByteVector> plain = inflateAtMost(data.mid(4), longest);
    if (!plain || plain->isEmpty()) {
        return std::nullopt;
    }
    const ByteVector size =
        version == 3 ? ByteVector::fromUInt(plain->size()) : SynchData::fromUInt(plain->size());
    return frame.mid(0, 4) + size + ByteVector(2, '\0') + *plain;
}

}  // namespace

ByteVector Id3v2FramePicker::pick() {
    // The tag is looked for at the start only, so a file that is no MP3 costs ten bytes, not a
    // search through all of it.
    file_.seek(0);
    budget_ -= kHeaderSize;
    const ByteVector bytes = file_.readBlock(kHeaderSize);
    if (bytes.size() != kHeaderSize || !bytes.startsWith(TagLib::ID3v2::Header::fileIdentifier())) {
        return {};
    }
    // The size is synchsafe: a byte with its top bit set means this is no tag header.
    if (std::any_of(bytes.begin() + 6, bytes.end(), [](char c) { return (c & 0x80) != 0; })) {
        return {};
    }
    const TagLib::ID3v2::Header header(bytes);
    version_ = header.majorVersion();
    // A tag that the file ends inside is broken: reading it would give the frame at the cut with
    // part of its text.
    if (version_ < 2 || version_ > 4 || header.tagSize() == 0 ||
        header.completeTagSize() > static_cast<unsigned long>(file_.length())) {
        return {};
    }
    if (header.unsynchronisation() && version_ <= 3) {
        if (header.tagSize() > budget_) {
            return {};
        }
        TagBodyReader raw(file_, header.tagSize(), budget_);
        const ByteVector whole = raw.read(0, header.tagSize());
        if (whole.size() != header.tagSize()) {
            return {};
        }
        TagBodyReader body(SynchData::decode(whole));
        walk(body, header);
    } else {
        unsynchronised_ = header.unsynchronisation();
        TagBodyReader body(file_, header.tagSize(), budget_);
        walk(body, header);
    }
    if (frames_.isEmpty()) {
        return {};
    }
    // TagLib takes the bytes after a v2.4 frame for a frame id to trust its size by; ending the
    // frames with an id where no frame can start any more keeps it from guessing another size.
    frames_.append(version_ == 4 ? ByteVector("ZZZZ") + ByteVector(kHeaderSize - 4, '\0')
                                 : ByteVector(kHeaderSize, '\0'));
    ByteVector tag = TagLib::ID3v2::Header::fileIdentifier();
    tag.append(static_cast<char>(version_));
    tag.append(ByteVector(2, '\0'));
    tag.append(SynchData::fromUInt(frames_.size()));
    tag.append(frames_);
    return tag;
}

// Frame by frame as TagLib's tag reader goes, past an extended header up to the padding or the
// first frame that it would refuse, which ends the tag for it. TagLib 1.13 takes the size of an
// extended header or a footer off the frames' room as well, and so misses the last frames of such
// a tag without padding; those count here, as the small tag has neither.
void Id3v2FramePicker::walk(TagBodyReader& body, const TagLib::ID3v2::Header& header) {
    unsigned pos = 0;
    if (header.extendedHeader()) {
        const unsigned extended = SynchData::toUInt(body.read(0, 4));
        if (extended <= body.size()) {
            pos = extended;
        }
    }
    const unsigned end = body.size();
    const unsigned headerSize = Id3v2FrameHeader::size(version_);
    bool last = false;
    while (!last && pos + headerSize < end) {
        const ByteVector bytes = body.read(pos, headerSize);
        if (bytes.size() != headerSize || bytes[0] == '\0') {
            return;
        }
        const Id3v2FrameHeader frame(bytes, version_);
        ByteVector id = frame.frameID();
        if (version_ == 3 && id.size() == 4 && id[3] == '\0') {
            id = id.mid(0, 3);  // a v2.2 frame in a v2.3 tag, as iTunes writes them
        }
        const unsigned size = frameSize(body, pos, bytes, frame.frameSize(), last);
        const unsigned least = frame.dataLengthIndicator() ? 4 : 0;
        // A frame that runs past the tag is cut, like a tag that runs past the file.
        if (!std::all_of(id.begin(), id.end(), isIdCharacter) || size <= least ||
            size > body.size() - pos - headerSize) {
            return;
        }
        if (wanted(id) && size <= kLongestFrame && !copy(body, pos, headerSize + size, frame, id)) {
            return;
        }
        pos += headerSize + size;
    }
}

// A v2.4 frame's size is synchsafe, but iTunes wrote plain ones; TagLib takes the plain reading
// when the synchsafe one leads to no frame id and the plain one does. Where neither does, this
// frame is the tag's last.
unsigned Id3v2FramePicker::frameSize(TagBodyReader& body, unsigned pos, const ByteVector& bytes,
                                     unsigned declared, bool& last) const {
    if (version_ != 4 || declared <= 127) {
        return declared;
    }
    const auto idAt = [&](std::uint64_t at) {
        return at < body.size() && isFrameId(body.read(static_cast<unsigned>(at), 4));
    };
    if (idAt(std::uint64_t{pos} + kHeaderSize + declared)) {
        return declared;
    }
    const unsigned plain = bytes.toUInt(4U, true);
    if (idAt(std::uint64_t{pos} + kHeaderSize + plain)) {
        return plain;
    }
    last = true;
    return declared;
}

// Adds the frame of `length` bytes at `pos` to the small tag, inflated when it was compressed;
// false when the budget ran out before its end.
bool Id3v2FramePicker::copy(TagBodyReader& body, unsigned pos, unsigned length,
                            const Id3v2FrameHeader& frame, const ByteVector& id) {
    ByteVector bytes = body.read(pos, length);
    if (bytes.size() != length) {
        return false;
    }
    const bool unsynchronised = version_ == 4 && (unsynchronised_ || frame.unsynchronisation());
    if (version_ == 4) {
        // The size as decided, written so that TagLib reads it alike wherever the frame now lies;
        // the tag's unsynchronisation moves to the frame, as the small tag has none.
        bytes = bytes.mid(0, 4) + SynchData::fromUInt(length - kHeaderSize) + bytes.mid(8);
        if (unsynchronised) {
            bytes[9] = static_cast<char>(bytes[9] | 0x02);
        }
    }
    if (frame.compression() && !frame.encryption()) {
        const std::optional<ByteVector> plain =
            inflatedFrame(bytes, version_, unsynchronised, kLongestFrame);
        if (plain) {
            take(*plain, id);
        }
        return true;
    }
    take(bytes, id);
    return true;
}

void Id3v2FramePicker::take(const ByteVector& frame, const ByteVector& id) {
    int& copies = copies_[id];
    if (copies < kCopiesOfAFrame) {
        ++copies;
        frames_.append(frame);
    }
}

bool Id3v2FramePicker::wanted(const ByteVector& id) const {
    if (!isNameFrame(id, version_)) {
        return false;
    }
    const auto found = copies_.find(id);
    return found == copies_.end() || found->second < kCopiesOfAFrame;
}

}  // namespace nameshift::engine
