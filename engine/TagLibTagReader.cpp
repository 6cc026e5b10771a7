#include "engine/TagLibTagReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <optional>
#include <string>

#include <taglib/id3v1tag.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tiostream.h>

namespace nameshift::engine {
namespace {

// A TagLib stream over a file descriptor that only reads: every writing call does nothing, so no
// path through TagLib can change an audio file.
class ReadOnlyStream final : public TagLib::IOStream {
public:
    ReadOnlyStream(int fd, long length, std::string name)
        : fd_(fd), length_(length), name_(std::move(name)) {}
    ReadOnlyStream(const ReadOnlyStream&) = delete;
    ReadOnlyStream& operator=(const ReadOnlyStream&) = delete;
    ~ReadOnlyStream() override { ::close(fd_); }

    TagLib::FileName name() const override { return name_.c_str(); }

    TagLib::ByteVector readBlock(unsigned long length) override {
        if (position_ >= length_) {
            return {};
        }
        const auto available = static_cast<unsigned long>(length_ - position_);
        const unsigned long wanted = std::min({length, available, kLongestBlock});
        TagLib::ByteVector block(static_cast<unsigned int>(wanted), '\0');
        std::size_t done = 0;
        while (done < block.size()) {
            const ssize_t got = ::pread(fd_, block.data() + done, block.size() - done,
                                        static_cast<off_t>(position_) + static_cast<off_t>(done));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                break;
            }
            done += static_cast<std::size_t>(got);
        }
        block.resize(static_cast<unsigned int>(done));
        position_ += static_cast<long>(done);
        return block;
    }

    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    void truncate(long) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return true; }

    void seek(long offset, Position from) override {
        long base = 0;
        if (from == Current) {
            base = position_;
        } else if (from == End) {
            base = length_;
        }
        position_ = std::max(0L, base + offset);
    }
    long tell() const override { return position_; }
    long length() override { return length_; }

private:
    static constexpr unsigned long kLongestBlock = std::numeric_limits<unsigned int>::max();

    int fd_;
    long length_;
    long position_ = 0;
    std::string name_;
};

// TagLib 1.x keeps the frame header's type protected inside Frame, where a factory's subclass
// cannot name it; the override takes the type from the function it overrides instead.
template <typename Member>
struct ParameterOf;
template <typename Result, typename Class, typename Parameter>
struct ParameterOf<Result (Class::*)(Parameter) const> {
    using type = Parameter;
};
struct FrameHeaderType : TagLib::ID3v2::FrameFactory {
    using Pointer = ParameterOf<decltype(&FrameHeaderType::updateFrame)>::type;
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

// Opens `path` only when it is a regular file, so that a FIFO or a device that happens to carry
// an .mp3 name neither blocks nor streams forever. The check is made again on the open file, in
// case the entry was swapped in between.
int openRegularFile(const std::string& path, long& length) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return -1;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    length = static_cast<long>(info.st_size);
    return fd;
}

// TagLib reads what there is of an ID3v2 tag that the file ends inside, which gives the frame at
// the cut with part of its text; such a tag is broken and is not read at all. TagLib takes the
// first "ID3" of the file as the tag, so that is where it lies.
bool wholeInFile(TagLib::MPEG::File& file) {
    const long start = file.find("ID3");
    const long size = static_cast<long>(file.ID3v2Tag()->header()->completeTagSize());
    return start >= 0 && start + size <= file.length();
}

TagTexts readTags(const std::string& path) {
    TagTexts texts;
    long length = 0;
    const int fd = openRegularFile(path, length);
    if (fd < 0) {
        return texts;
    }
    ReadOnlyStream stream(fd, length, path);
    static YearKeepingFrameFactory factory;
    TagLib::MPEG::File file(&stream, &factory, false);
    if (!file.isValid()) {
        return texts;
    }

    if (file.hasID3v2Tag() && wholeInFile(file)) {
        const TagLib::ID3v2::Tag& tag = *file.ID3v2Tag();
        texts[0] = frameText(tag, "TALB");
        texts[1] = frameText(tag, "TPE1");
        texts[2] = frameText(tag, "TIT1");
        texts[3] = frameText(tag, "TIT2");
        texts[4] = frameText(tag, "TRCK");
        texts[5] = frameText(tag, "TYER");
        if (!texts[5]) {
            texts[5] = frameText(tag, "TDRC");
        }
    }
    if (file.hasID3v1Tag()) {
        const TagLib::ID3v1::Tag& tag = *file.ID3v1Tag();
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

    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i]) {
            const bool number = i >= 4;
            *texts[i] = cutUtf8(std::move(*texts[i]), number ? TagLibTagReader::kLongestNumber
                                                             : TagLibTagReader::kLongestText);
        }
    }
    return texts;
}

}  // namespace

TagTexts TagLibTagReader::read(const std::string& path) {
    try {
        return readTags(path);
    } catch (...) {
        return {};
    }
}

}  // namespace nameshift::engine
