#include "engine/contents/TagLibTagReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include <taglib/apetag.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tfile.h>
#include <taglib/tiostream.h>

#include "engine/contents/AudioFileTags.h"
#include "engine/contents/Id3v2FrameHeader.h"
#include "engine/contents/Id3v2FramePicker.h"
#include "engine/contents/MediaFacts.h"
#include "engine/contents/ReadOnlyStream.h"
#include "engine/contents/TakenDate.h"
#include "platform/FileDescriptor.h"

namespace nameshift::engine {
namespace {

// The file as TagLib's tag classes want it: something to read from, and nothing more. Knowing
// no format, it never looks for a tag itself.
class TagRegion final : public TagLib::File {
public:
    explicit TagRegion(TagLib::IOStream& stream) : TagLib::File(&stream) {}

    TagLib::Tag* tag() const override { return nullptr; }
    TagLib::AudioProperties* audioProperties() const override { return nullptr; }
    bool save() override { return false; }
};

// TagLib turns a v2.3 TYER (and a v2.2 TYE) into TDRC and then merges the TDAT date into it, so
// "2024" with TDAT "1705" would read "2024-05-17". Keeping the frame under its own id leaves the
// year as it was stored and gives the merge nothing to work on.
class YearKeepingFrameFactory final : public TagLib::ID3v2::FrameFactory {
protected:
    bool updateFrame(FrameHeaderType::Pointer header) const override {
        const TagLib::ByteVector id = header->frameID();
        if ((header->version() == 3 && id == "TYER") || (header->version() == 2 && id == "TYE")) {
            header->setFrameID("TYER");
            return true;
        }
        return FrameFactory::updateFrame(header);
    }
};

// Cuts `text` to at most `limit` bytes without splitting a UTF-8 sequence.
std::string cutUtf8(std::string text, std::size_t limit) {
    if (text.size() <= limit) {
        return text;
    }
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    text.resize(end);
    return text;
}

// The first text of the first frame with `id`: present with empty text when the frame holds
// none, absent when the tag has no such text frame.
std::optional<std::string> frameText(const TagLib::ID3v2::Tag& tag, const char* id) {
    const TagLib::ID3v2::FrameList& frames = tag.frameList(id);
    if (frames.isEmpty()) {
        return std::nullopt;
    }
    const auto* text = dynamic_cast<const TagLib::ID3v2::TextIdentificationFrame*>(frames.front());
    if (text == nullptr) {
        return std::nullopt;
    }
    const TagLib::StringList fields = text->fieldList();
    return fields.isEmpty() ? std::string() : fields.front().to8Bit(true);
}

std::optional<std::string> nonEmpty(const TagLib::String& text) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return text.to8Bit(true);
}

std::optional<std::string> nonZero(unsigned int number) {
    if (number == 0) {
        return std::nullopt;
    }
    return std::to_string(number);
}

// Names only the files read here carry: no device node is named so, and only root can make one.
bool hasMediaExtension(std::string_view path) {
    static constexpr std::array<std::string_view, 16> kPictures = {
        "mp3", "jpg", "jpeg", "tif", "tiff", "png", "heic", "heif",
        "mp4", "mov", "m4v",  "dng", "cr2",  "nef", "arw",  "orf"};
    const auto slash = path.rfind('/');
    const std::string extension = AudioFileTags::lowerExtension(
        slash == std::string_view::npos ? path : path.substr(slash + 1));
    return std::find(kPictures.begin(), kPictures.end(), extension) != kPictures.end() ||
           AudioFileTags::handles(path);
}

// Opens `path` only when it is a regular file, so that a FIFO or a device that happens to carry
// an .mp3 name neither blocks nor streams forever, and a device's open does not act (a serial
// line's resets the board on it, a watchdog's arms it). A name of a file read here is opened
// without following a link and checked once open: opening a FIFO that way does nothing, and a
// link, which anyone can make, is looked at before it is followed, as any other name is. The
// check is made again on the open file, in case the entry was swapped in between.
int openRegularFile(const std::string& path, long& length) {
    struct stat info {};
    int fd = -1;
    if (hasMediaExtension(path)) {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0 && errno != ELOOP) {
            return -1;
        }
    }
    if (fd < 0) {
        if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            return -1;
        }
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            return -1;
        }
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    length = static_cast<long>(info.st_size);
    return fd;
}

std::optional<TagLib::ByteVector> readAt(ReadOnlyStream&& stream, unsigned long length) {
    TagLib::ByteVector bytes = stream.readBlock(length);
    if (bytes.size() != length) {
        return std::nullopt;
    }
    return bytes;
}

// Where the file's ID3v1 tag starts, or -1: the 128 bytes at the end of the file starting with
// "TAG", unless they are the end of an APE tag's "APETAGEX" footer.
long id3v1Start(int fd, long fileLength, std::uint64_t& bytesRead) {
    constexpr long kTagSize = 128;
    constexpr long kApeLead = 3;
    if (fileLength < kTagSize) {
        return -1;
    }
    const long start = fileLength - kTagSize;
    const long lead = std::min(start, kApeLead);
    const std::optional<TagLib::ByteVector> bytes = readAt(
        ReadOnlyStream(fd, start - lead, kTagSize + lead, bytesRead),
        static_cast<unsigned long>(lead) + TagLib::APE::Tag::fileIdentifier().size() - kApeLead);
    if (!bytes ||
        !bytes->containsAt(TagLib::ID3v1::Tag::fileIdentifier(), static_cast<unsigned int>(lead))) {
        return -1;
    }
    if (lead == kApeLead && bytes->startsWith(TagLib::APE::Tag::fileIdentifier())) {
        return -1;
    }
    return start;
}

// TagLib parses only the frames a name is read from, taken out of the file's tag beforehand:
// whatever size the tag declares, reading it stays within the picker's bounds.
void readId3v2(int fd, long fileLength, std::uint64_t& bytesRead, TagTexts& texts) {
    static YearKeepingFrameFactory factory;
    ReadOnlyStream file(fd, 0, fileLength, bytesRead);
    const TagLib::ByteVector frames = Id3v2FramePicker(file).pick();
    if (frames.isEmpty()) {
        return;
    }
    TagLib::ByteVectorStream stream(frames);
    TagRegion region(stream);
    const TagLib::ID3v2::Tag tag(&region, 0, &factory);
    texts[0] = frameText(tag, "TALB");
    texts[1] = frameText(tag, "TPE1");
    texts[2] = frameText(tag, "TIT1");
    texts[3] = frameText(tag, "TIT2");
    texts[4] = frameText(tag, "TRCK");
    texts[5] = frameText(tag, "TYER");
    if (!texts[5]) {
        texts[5] = frameText(tag, "TDRC");
    }
    texts[6] = frameText(tag, "TPE2");
    texts[7] = frameText(tag, "TPOS");
    texts[8] = frameText(tag, "TCOM");
}

// Where the ID3v2 tag lacks a frame that ID3v1 also knows, the ID3v1 field fills in.
void readId3v1(int fd, long start, long fileLength, std::uint64_t& bytesRead, TagTexts& texts) {
    ReadOnlyStream stream(fd, start, fileLength - start, bytesRead);
    TagRegion region(stream);
    const TagLib::ID3v1::Tag tag(&region, 0);
    if (!texts[0]) {
        texts[0] = nonEmpty(tag.album());
    }
    if (!texts[1]) {
        texts[1] = nonEmpty(tag.artist());
    }
    if (!texts[3]) {
        texts[3] = nonEmpty(tag.title());
    }
    if (!texts[4]) {
        texts[4] = nonZero(tag.track());
    }
    if (!texts[5]) {
        texts[5] = nonZero(tag.year());
    }
}

// Whether the ID3v2 texts leave out one that an ID3v1 tag could give.
bool lacksAnId3v1Text(const TagTexts& texts) {
    constexpr std::array<std::size_t, 5> kId3v1Texts = {0, 1, 3, kTrackNumberText, kYearText};
    return std::any_of(kId3v1Texts.begin(), kId3v1Texts.end(),
                       [&texts](std::size_t i) { return !texts[i]; });
}

TagTexts readTags(const std::string& path, std::uint64_t& bytesRead) {
    TagTexts texts;
    long length = 0;
    const platform::FileDescriptor fd(openRegularFile(path, length));
    if (fd.get() < 0) {
        return texts;
    }
    // Another audio format's tags are read by TagLib's reader of that format; a file it finds
    // nothing in is read as MP3 files are, as every file was before those formats were known.
    if (AudioFileTags::handles(path)) {
        texts = AudioFileTags::read(fd.get(), length, path, bytesRead);
    }
    if (std::none_of(texts.begin(), texts.end(),
                     [](const auto& text) { return text.has_value(); })) {
        readId3v2(fd.get(), length, bytesRead, texts);
        // A tag's end is found from the file's, which costs two reads more; most ID3v2 tags
        // leave it nothing to fill in.
        if (lacksAnId3v1Text(texts)) {
            if (const long start = id3v1Start(fd.get(), length, bytesRead); start >= 0) {
                readId3v1(fd.get(), start, length, bytesRead, texts);
            }
        }
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i]) {
            *texts[i] =
                cutUtf8(std::move(*texts[i]), isNumberText(i) ? TagLibTagReader::kLongestNumber
                                                              : TagLibTagReader::kLongestText);
        }
    }
    return texts;
}

}  // namespace

FileTimes TagLibTagReader::times(const std::string& path) {
    return platform::fileTimes(path);
}

std::optional<std::tm> TagLibTagReader::taken(const std::string& path) {
    try {
        long length = 0;
        const platform::FileDescriptor fd(openRegularFile(path, length));
        if (fd.get() < 0) {
            return std::nullopt;
        }
        return TakenDate::read(fd.get(), length, bytesRead_);
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<std::string> TagLibTagReader::fact(const std::string& path, MediaFact which) {
    try {
        long length = 0;
        const platform::FileDescriptor fd(openRegularFile(path, length));
        if (fd.get() < 0) {
            return std::nullopt;
        }
        return MediaFacts::read(fd.get(), length, path, which, bytesRead_);
    } catch (...) {
        return std::nullopt;
    }
}

TagTexts TagLibTagReader::read(const std::string& path) {
    try {
        return readTags(path, bytesRead_);
    } catch (...) {
        return {};
    }
}

}  // namespace nameshift::engine
