#include "engine/contents/MediaFacts.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/tbytevector.h>
#include <exiv2/exiv2.hpp>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

#include "engine/contents/AudioFileTags.h"
#include "engine/contents/ReadOnlyStream.h"
#include "engine/contents/TakenDate.h"

namespace nameshift::engine {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) {
        return c == '\0' || std::isspace(static_cast<unsigned char>(c)) != 0;
    };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool startsWithNoCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() &&
           std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::optional<std::string> sizeText(long long width, long long height) {
    if (width <= 0 || height <= 0) {
        return std::nullopt;
    }
    return std::to_string(width) + "x" + std::to_string(height);
}

// Whether the head is that of a film: Matroska and WebM open with EBML's mark, AVI with its RIFF
// form, MP4 and QuickTime with their boxes. An MP4 of sound alone (M4A) is a song, and HEIF
// pictures are built of the same boxes as films.
bool opensLikeVideo(const TagLib::ByteVector& head, std::string_view fileName) {
    if (head.startsWith(TagLib::ByteVector("\x1A\x45\xDF\xA3", 4))) {
        return true;
    }
    if (head.startsWith("RIFF") && head.containsAt("AVI ", 8)) {
        return true;
    }
    static constexpr std::array<const char*, 6> kFirstBoxes = {"ftyp", "moov", "mdat",
                                                               "free", "skip", "wide"};
    if (std::none_of(kFirstBoxes.begin(), kFirstBoxes.end(),
                     [&head](const char* type) { return head.containsAt(type, 4); })) {
        return false;
    }
    static constexpr std::array<const char*, 16> kOtherBrands = {
        "heic", "heix", "heim", "heis", "hevc", "hevx", "hevm", "hevs",
        "mif1", "msf1", "avif", "crx ", "M4A ", "M4B ", "M4P ", "F4A "};
    if (head.containsAt("ftyp", 4) &&
        std::any_of(kOtherBrands.begin(), kOtherBrands.end(),
                    [&head](const char* brand) { return head.containsAt(brand, 8); })) {
        return false;
    }
    const std::string extension = AudioFileTags::lowerExtension(fileName);
    return extension != "m4a" && extension != "m4b" && extension != "m4p" && extension != "m4r";
}

// What libavformat reads a file through: the stream, which stops at the budget, and a count of
// its calls, for a broken container can have it seek back and forth without reading more.
struct FilmSource {
    static constexpr int kMostCalls = 4096;
    ReadOnlyStream* stream;
    int calls = 0;
    bool spent() { return ++calls > kMostCalls; }
};

int stopWhenSpent(void* opaque) {
    return static_cast<FilmSource*>(opaque)->calls > FilmSource::kMostCalls ? 1 : 0;
}

int readPacket(void* opaque, std::uint8_t* buffer, int size) {
    auto* source = static_cast<FilmSource*>(opaque);
    if (source->spent()) {
        return AVERROR_EOF;
    }
    ReadOnlyStream* stream = source->stream;
    const TagLib::ByteVector bytes = stream->readBlock(static_cast<unsigned long>(size));
    if (bytes.isEmpty()) {
        return AVERROR_EOF;
    }
    std::memcpy(buffer, bytes.data(), bytes.size());
    return static_cast<int>(bytes.size());
}

std::int64_t seekTo(void* opaque, std::int64_t offset, int whence) {
    auto* source = static_cast<FilmSource*>(opaque);
    if (source->spent()) {
        return -1;
    }
    ReadOnlyStream* stream = source->stream;
    if ((whence & AVSEEK_SIZE) != 0) {
        return stream->length();
    }
    switch (whence & ~AVSEEK_FORCE) {
        case SEEK_SET:
            stream->seek(static_cast<long>(offset), TagLib::IOStream::Beginning);
            break;
        case SEEK_CUR:
            stream->seek(static_cast<long>(offset), TagLib::IOStream::Current);
            break;
        case SEEK_END:
            stream->seek(static_cast<long>(offset), TagLib::IOStream::End);
            break;
        default:
            return -1;
    }
    return stream->tell();
}

struct InputCloser {
    void operator()(AVFormatContext* input) const { avformat_close_input(&input); }
};
struct IoFreer {
    void operator()(AVIOContext* io) const {
        av_freep(static_cast<void*>(&io->buffer));
        avio_context_free(&io);
    }
};

// The camera a film's container names: Apple's and Android's keys, or the plain ones other
// writers use.
std::optional<std::string> videoCamera(const AVDictionary* metadata) {
    static constexpr std::array<std::array<const char*, 2>, 3> kKeys = {{
        {"com.apple.quicktime.make", "com.apple.quicktime.model"},
        {"com.android.manufacturer", "com.android.model"},
        {"make", "model"},
    }};
    for (const auto& [makeKey, modelKey] : kKeys) {
        const AVDictionaryEntry* model = av_dict_get(metadata, modelKey, nullptr, 0);
        if (model != nullptr) {
            const AVDictionaryEntry* make = av_dict_get(metadata, makeKey, nullptr, 0);
            if (auto camera =
                    MediaFacts::cameraName(make != nullptr ? make->value : "", model->value)) {
                return camera;
            }
        }
    }
    return std::nullopt;
}

// The length of a film: the container's, else its longest stream's.
long long videoMilliseconds(const AVFormatContext& input) {
    if (input.duration != AV_NOPTS_VALUE && input.duration > 0) {
        return input.duration / (AV_TIME_BASE / 1000);
    }
    long long longest = 0;
    for (unsigned i = 0; i < input.nb_streams; ++i) {
        const AVStream& stream = *input.streams[i];
        if (stream.duration != AV_NOPTS_VALUE && stream.duration > 0) {
            longest = std::max<long long>(
                longest, av_rescale_q(stream.duration, stream.time_base, AVRational{1, 1000}));
        }
    }
    return longest;
}

// The size of the first picture stream that is no cover.
std::optional<std::string> pictureSize(const AVFormatContext& input) {
    for (unsigned i = 0; i < input.nb_streams; ++i) {
        const AVStream& film = *input.streams[i];
        const AVCodecParameters& codec = *film.codecpar;
        if (codec.codec_type == AVMEDIA_TYPE_VIDEO &&
            (film.disposition & AV_DISPOSITION_ATTACHED_PIC) == 0) {
            if (auto size = sizeText(codec.width, codec.height)) {
                return size;
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> videoFact(int fd, long length, MediaFact which,
                                     std::uint64_t& bytesRead) {
    static const bool quiet = [] {
        av_log_set_level(AV_LOG_QUIET);
        return true;
    }();
    static_cast<void>(quiet);
    ReadOnlyStream stream(fd, 0, length, bytesRead, MediaFacts::kReadBudget);
    FilmSource source{&stream};
    constexpr int kBufferSize = 32 << 10;
    auto* buffer = static_cast<std::uint8_t*>(av_malloc(kBufferSize));
    if (buffer == nullptr) {
        return std::nullopt;
    }
    const std::unique_ptr<AVIOContext, IoFreer> io(
        avio_alloc_context(buffer, kBufferSize, 0, &source, readPacket, nullptr, seekTo));
    if (!io) {
        av_free(buffer);
        return std::nullopt;
    }
    AVFormatContext* opened = avformat_alloc_context();
    if (opened == nullptr) {
        return std::nullopt;
    }
    opened->pb = io.get();
    opened->flags |= AVFMT_FLAG_CUSTOM_IO;
    opened->interrupt_callback = AVIOInterruptCB{stopWhenSpent, &source};
    // Frees the context itself when it fails.
    if (avformat_open_input(&opened, "", nullptr, nullptr) < 0) {
        return std::nullopt;
    }
    const std::unique_ptr<AVFormatContext, InputCloser> input(opened);
    switch (which) {
        case MediaFact::Camera:
            return videoCamera(input->metadata);
        case MediaFact::PixelSize:
            // MP4's sample description leaves the size of some codecs to their own headers,
            // which only a look at the first frames finds.
            if (!pictureSize(*input)) {
                avformat_find_stream_info(input.get(), nullptr);
            }
            return pictureSize(*input);
        case MediaFact::Duration:
            return MediaFacts::durationText(videoMilliseconds(*input));
    }
    return std::nullopt;
}

std::optional<std::string> audioDuration(int fd, long length, std::string_view fileName,
                                         std::uint64_t& bytesRead) {
    const std::string extension = AudioFileTags::lowerExtension(fileName);
    if (extension != "mp3" && !AudioFileTags::handles(fileName)) {
        return std::nullopt;
    }
    ReadOnlyStream stream(fd, 0, length, bytesRead, MediaFacts::kReadBudget, "file." + extension);
    constexpr unsigned long kReadAhead = 16UL << 10;
    stream.readAhead(kReadAhead);
    const TagLib::FileRef file(&stream, true, TagLib::AudioProperties::Average);
    if (file.isNull() || file.audioProperties() == nullptr) {
        return std::nullopt;
    }
    return MediaFacts::durationText(file.audioProperties()->lengthInMilliseconds());
}

std::string exifText(const Exiv2::ExifData& exif, const char* key) {
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    return found == exif.end() ? std::string() : found->toString();
}

// The fact of the picture whose first bytes are `head`; `known` tells whether exiv2 knew it.
std::optional<std::string> pictureFact(const TagLib::ByteVector& head, MediaFact which,
                                       bool& known) {
    known = false;
    TakenDate::prepareExiv2();
    try {
        const auto image = Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte*>(head.data()), static_cast<long>(head.size()));
        // exiv2's readers of films can loop for long on a broken one, which it takes for a film
        // by its first bytes alone; the films libavformat reads have been handed to it already.
        if (image.get() == nullptr || image->mimeType().rfind("video/", 0) == 0) {
            return std::nullopt;
        }
        known = true;
        // A head that ends inside the picture makes exiv2 give up on reading further, but what it
        // had read by then is there to use.
        try {
            image->readMetadata();
        } catch (...) {
        }
        const Exiv2::ExifData& exif = image->exifData();
        if (which == MediaFact::Camera) {
            return MediaFacts::cameraName(exifText(exif, "Exif.Image.Make"),
                                          exifText(exif, "Exif.Image.Model"));
        }
        if (which == MediaFact::PixelSize) {
            if (auto size = sizeText(image->pixelWidth(), image->pixelHeight())) {
                return size;
            }
            const auto number = [&exif](const char* key) {
                const auto found = exif.findKey(Exiv2::ExifKey(key));
                return found == exif.end() || found->count() == 0 ? 0L : found->toLong();
            };
            return sizeText(number("Exif.Photo.PixelXDimension"),
                            number("Exif.Photo.PixelYDimension"));
        }
    } catch (...) {
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> MediaFacts::durationText(long long milliseconds) {
    const long long seconds = (milliseconds + 500) / 1000;
    if (seconds <= 0) {
        return std::nullopt;
    }
    std::array<char, 32> text{};
    if (seconds >= 3600) {
        std::snprintf(text.data(), text.size(), "%lld.%02lld.%02lld", seconds / 3600,
                      seconds / 60 % 60, seconds % 60);
    } else {
        std::snprintf(text.data(), text.size(), "%lld.%02lld", seconds / 60, seconds % 60);
    }
    return std::string(text.data());
}

std::optional<std::string> MediaFacts::cameraName(std::string_view make, std::string_view model) {
    make = trimmed(make);
    model = trimmed(model);
    if (model.empty()) {
        return std::nullopt;
    }
    // "NIKON CORPORATION" writes "NIKON D750": the make's first word is the brand the model names.
    const std::string_view brand = make.substr(0, make.find(' '));
    std::string camera =
        make.empty() || startsWithNoCase(model, make) || startsWithNoCase(model, brand)
            ? std::string(model)
            : std::string(make) + " " + std::string(model);
    // A broken or hostile file may write anything there: a line break is no part of a camera's
    // name, and a name has no room for a novel.
    for (char& c : camera) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    if (camera.size() > kLongestCamera) {
        std::size_t end = kLongestCamera;
        while (end > 0 && (static_cast<unsigned char>(camera[end]) & 0xC0) == 0x80) {
            --end;
        }
        camera.resize(end);
    }
    return camera;
}

std::optional<std::string> MediaFacts::read(int fd, long length, std::string_view fileName,
                                            MediaFact which, std::uint64_t& bytesRead) {
    TagLib::ByteVector head = ReadOnlyStream(fd, 0, length, bytesRead)
                                  .readBlock(static_cast<unsigned long>(TakenDate::kHeadLength));
    if (head.size() < 12) {
        return std::nullopt;
    }
    if (opensLikeVideo(head, fileName)) {
        return videoFact(fd, length, which, bytesRead);
    }
    if (which == MediaFact::Duration) {
        return audioDuration(fd, length, fileName, bytesRead);
    }
    bool known = false;
    std::optional<std::string> fact = pictureFact(head, which, known);
    if (!fact && known && static_cast<std::uint64_t>(length) > head.size()) {
        const long from = static_cast<long>(head.size());
        head.append(
            ReadOnlyStream(fd, from, length - from, bytesRead)
                .readBlock(static_cast<unsigned long>(TakenDate::kReadBudget - head.size())));
        fact = pictureFact(head, which, known);
    }
    return fact;
}

}  // namespace nameshift::engine
