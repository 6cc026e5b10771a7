#include "engine/contents/Mp4ItemList.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "engine/contents/FileBytes.h"

namespace nameshift::engine {
namespace {

// A movie box larger than this carries long sample tables, which TagLib is left to walk.
constexpr long kLongestMovie = long{1} << 20;
// Reads of box headers past the head, each following a large box such as the audio's.
constexpr int kMostHeaderReads = 4;
// Boxes nest a few levels deep; a file nesting them deeper is left to TagLib.
constexpr int kDeepestNesting = 16;

constexpr std::uint32_t bigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// A box's type as the number its four bytes make, which a walk over many boxes compares faster.
constexpr std::uint32_t type(std::string_view name) {
    return bigEndian32(name, 0);
}

constexpr std::uint32_t kMovie = type("moov");
constexpr std::uint32_t kMeta = type("meta");
constexpr std::uint32_t kSampleDescriptions = type("stsd");
constexpr std::uint32_t kGenreNumber = type("gnre");

// The boxes TagLib reads as lists of boxes, checking each of theirs.
constexpr std::array<std::uint32_t, 11> kContainers = {
    kMovie,       type("udta"), type("mdia"), kMeta,        type("ilst"),       type("stbl"),
    type("minf"), type("moof"), type("traf"), type("trak"), kSampleDescriptions};

// TagLib takes a meta box opening with one of these for one without version and flags.
constexpr std::array<std::uint32_t, 5> kBareMetaChildren = {
    type("hdlr"), type("ilst"), type("mhdr"), type("ctry"), type("lang")};

// Where TagLib looks for the items: the first box of each name on the way.
constexpr std::array<std::uint32_t, 4> kPath = {kMovie, type("udta"), kMeta, type("ilst")};

// The items read, in code order: each names its text by the code's index.
constexpr std::array<std::uint32_t, kTagTextCount> kItems = {
    type("\251alb"), type("\251ART"), type("\251gen"), type("\251nam"), type("trkn"),
    type("\251day"), type("aART"),    type("disk"),    type("\251wrt")};
constexpr std::size_t kTrack = 4;
constexpr std::size_t kDisc = 7;

int bigEndian16(std::string_view bytes, std::size_t at) {
    const auto value = static_cast<std::uint16_t>((static_cast<unsigned char>(bytes[at]) << 8) |
                                                  static_cast<unsigned char>(bytes[at + 1]));
    return static_cast<std::int16_t>(value);
}

// TagLib takes a box with any other byte in its type for a broken file.
bool isBoxType(std::string_view type) {
    return std::all_of(type.begin(), type.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte >= 0x20 && byte <= 0x7E) || byte == 0xA9;
    });
}

bool isContainer(std::uint32_t boxType) {
    return std::find(kContainers.begin(), kContainers.end(), boxType) != kContainers.end();
}

// One box inside the movie box's bytes.
struct Box {
    std::size_t start;
    std::size_t size;
    std::uint32_t type;
};

// Walks the movie box's tree as TagLib does, failing wherever TagLib would find the file broken
// or where its reading would differ from a plain walk: a box reaching past the one holding it,
// sizes of 0 (to the file's end) or 1 (64 bits), a meta box without version and flags. Finds the
// item list on the path TagLib takes, the first box of each name.
class MovieWalk {
public:
    explicit MovieWalk(std::string_view movie) : movie_(movie) {}

    // The movie box is the path's first step.
    bool walk() { return children({0, movie_.size(), kMovie}, 0, 1); }

    std::optional<Box> itemList() const { return itemList_; }

    std::string_view contents(const Box& box) const {
        return movie_.substr(box.start + 8, box.size - 8);
    }

private:
    // `depth`: how deep `box` is; `step`: how far along moov/udta/meta/ilst it is, 0 when off it.
    bool children(const Box& box, int depth, int step) {
        if (depth > kDeepestNesting) {
            return false;
        }
        std::size_t first = box.start + 8;
        if (box.type == kMeta) {
            if (box.size < 16 ||
                std::find(kBareMetaChildren.begin(), kBareMetaChildren.end(),
                          bigEndian32(movie_, box.start + 12)) != kBareMetaChildren.end()) {
                return false;
            }
            first += 4;
        } else if (box.type == kSampleDescriptions) {
            if (box.size < 16) {
                return false;
            }
            first += 8;
        }
        const std::size_t end = box.start + box.size;
        bool onPath = false;
        for (std::size_t at = first; at < end;) {
            if (end - at < 8) {
                return false;
            }
            const std::uint32_t size = bigEndian32(movie_, at);
            if (size < 8 || size > end - at || !isBoxType(movie_.substr(at + 4, 4))) {
                return false;
            }
            const Box child{at, size, bigEndian32(movie_, at + 4)};
            int childStep = 0;
            if (step > 0 && static_cast<std::size_t>(step) < kPath.size() && !onPath &&
                child.type == kPath[static_cast<std::size_t>(step)]) {
                onPath = true;
                childStep = step + 1;
                if (childStep == static_cast<int>(kPath.size())) {
                    itemList_ = child;
                }
            }
            if (isContainer(child.type) && !children(child, depth + 1, childStep)) {
                return false;
            }
            at += size;
        }
        return true;
    }

    std::string_view movie_;
    std::optional<Box> itemList_;
};

// The text of one item, as TagLib's properties give it, or nothing when the item is not plain:
// a single "data" box of the type TagLib reads it by, text of UTF-8, a number pair of 16-bit
// fields.
std::optional<std::string> itemText(std::string_view body, std::size_t code) {
    if (body.size() < 16 || bigEndian32(body, 0) != body.size() || body.substr(4, 4) != "data") {
        return std::nullopt;
    }
    const std::uint32_t type = bigEndian32(body, 8);
    const std::string_view value = body.substr(16);
    if (code == kTrack || code == kDisc) {
        if (type != 0 || (value.size() != 6 && value.size() != 8)) {
            return std::nullopt;
        }
        const int number = bigEndian16(value, 2);
        const int count = bigEndian16(value, 4);
        std::string text = std::to_string(number);
        if (count != 0) {
            text += "/" + std::to_string(count);
        }
        return text;
    }
    if (type != 1 || !FileBytes::isPlainUtf8(value)) {
        return std::nullopt;
    }
    return std::string(value);
}

// Where the one movie box is among the boxes at the top, each as TagLib reads it, up to the
// file's end; nothing when there is none, or it is not alone.
std::optional<std::pair<long, long>> findMovie(int fd, long length, std::string_view head,
                                               std::uint64_t& bytesRead) {
    long movieStart = -1;
    long movieSize = 0;
    int headerReads = 0;
    std::string read;
    for (long at = 0; length - at >= 8;) {
        std::string_view header;
        if (static_cast<std::size_t>(at) + 8 <= head.size()) {
            header = head.substr(static_cast<std::size_t>(at), 8);
        } else if (++headerReads > kMostHeaderReads ||
                   (read = FileBytes::read(fd, at, 8, bytesRead)).size() != 8) {
            return std::nullopt;
        } else {
            header = read;
        }
        const std::uint32_t size = bigEndian32(header, 0);
        const std::uint32_t boxType = bigEndian32(header, 4);
        if (size < 8 || size > length - at || !isBoxType(header.substr(4, 4))) {
            return std::nullopt;
        }
        if (boxType == kMovie) {
            if (movieStart >= 0) {
                return std::nullopt;
            }
            movieStart = at;
            movieSize = size;
        } else if (isContainer(boxType)) {
            return std::nullopt;
        }
        at += size;
    }
    if (movieStart < 0) {
        return std::nullopt;
    }
    return std::pair{movieStart, movieSize};
}

// The texts of the item list's boxes, which the walk checked; TagLib keeps the first of two
// items of a name, and reads "gnre" as a genre too.
std::optional<TagTexts> listTexts(std::string_view items) {
    TagTexts texts;
    for (std::size_t at = 0; at < items.size();) {
        const std::uint32_t size = bigEndian32(items, at);
        const std::uint32_t itemType = bigEndian32(items, at + 4);
        if (itemType == kGenreNumber) {
            return std::nullopt;
        }
        const auto code = static_cast<std::size_t>(
            std::find(kItems.begin(), kItems.end(), itemType) - kItems.begin());
        if (code < kItems.size()) {
            if (texts[code]) {
                return std::nullopt;
            }
            texts[code] = itemText(items.substr(at + 8, size - 8), code);
            if (!texts[code]) {
                return std::nullopt;
            }
        }
        at += size;
    }
    return texts;
}

}  // namespace

std::optional<TagTexts> Mp4ItemList::read(int fd, long length, std::string_view head,
                                          std::uint64_t& bytesRead) {
    if (head.size() < 8 || head.substr(4, 4) != "ftyp") {
        return std::nullopt;
    }
    const auto found = findMovie(fd, length, head, bytesRead);
    if (!found || found->second > kLongestMovie) {
        return std::nullopt;
    }
    const auto [movieStart, movieSize] = *found;
    const auto movieEnd = static_cast<std::size_t>(movieStart + movieSize);
    std::string read;
    std::string_view movie;
    if (movieEnd <= head.size()) {
        movie =
            head.substr(static_cast<std::size_t>(movieStart), static_cast<std::size_t>(movieSize));
    } else {
        read = FileBytes::read(fd, movieStart, static_cast<std::size_t>(movieSize), bytesRead);
        if (read.size() != static_cast<std::size_t>(movieSize)) {
            return std::nullopt;
        }
        movie = read;
    }
    MovieWalk walk(movie);
    if (!walk.walk()) {
        return std::nullopt;
    }
    const std::optional<Box> list = walk.itemList();
    if (!list) {
        return TagTexts{};
    }
    return listTexts(walk.contents(*list));
}

}  // namespace nameshift::engine
