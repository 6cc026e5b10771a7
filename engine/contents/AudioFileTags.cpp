#include "engine/contents/AudioFileTags.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include <taglib/fileref.h>
#include <taglib/tbytevector.h>
#include <taglib/tpropertymap.h>

#include "engine/contents/ReadOnlyStream.h"

namespace nameshift::engine {
namespace {

constexpr std::array<std::string_view, 22> kExtensions = {
    "flac", "ogg", "oga", "opus", "spx",  "m4a", "m4b", "m4p", "mp4", "3g2", "wma",
    "asf",  "wav", "aif", "aiff", "aifc", "wv",  "mpc", "mp+", "mpp", "ape", "m4r"};

// The PropertyMap key of each tag text, in code order.
constexpr std::array<const char*, kTagTextCount> kKeys = {"ALBUM",       "ARTIST",      "GENRE",
                                                          "TITLE",       "TRACKNUMBER", "DATE",
                                                          "ALBUMARTIST", "DISCNUMBER",  "COMPOSER"};

// Whether the file opens as one of the formats read here does, or with an ID3v2 tag that some of
// them carry in front. TagLib's readers search a file for their marks where they expect them and
// do not find them, so a large file of another kind would cost the whole budget.
bool opensLikeAudio(std::string_view head) {
    static constexpr std::array<std::string_view, 10> kMarks = {
        "fLaC", "OggS", "ID3", "RIFF", "FORM", "wvpk", "MP+", "MPCK", "MAC ",
        // ASF opens with its header object's GUID.
        "\x30\x26\xB2\x75\x8E\x66\xCF\x11"};
    // MP4 opens with its "ftyp" box.
    return head.substr(std::min<std::size_t>(head.size(), 4)).starts_with("ftyp") ||
           std::any_of(kMarks.begin(), kMarks.end(),
                       [head](std::string_view mark) { return head.starts_with(mark); });
}

// TagLib's readers of these formats read a box or a page header at a time.
constexpr unsigned long kReadAhead = 16UL << 10;

}  // namespace

std::string AudioFileTags::lowerExtension(std::string_view fileName) {
    const auto dot = fileName.rfind('.');
    if (dot == std::string_view::npos) {
        return {};
    }
    std::string extension(fileName.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool AudioFileTags::handles(std::string_view fileName) {
    const std::string extension = lowerExtension(fileName);
    return std::find(kExtensions.begin(), kExtensions.end(), extension) != kExtensions.end();
}

TagTexts AudioFileTags::read(int fd, long length, std::string_view fileName,
                             std::uint64_t& bytesRead) {
    TagTexts texts;
    constexpr unsigned long kMarksLength = 12;
    const TagLib::ByteVector marks =
        ReadOnlyStream(fd, 0, length, bytesRead).readBlock(kMarksLength);
    if (!opensLikeAudio(std::string_view(marks.data(), marks.size()))) {
        return texts;
    }
    // TagLib picks the format by the extension of the stream's name, then by the content.
    ReadOnlyStream stream(fd, 0, length, bytesRead, kReadBudget,
                          "file." + lowerExtension(fileName));
    stream.readAhead(kReadAhead);
    const TagLib::FileRef file(&stream, false, TagLib::AudioProperties::Fast);
    if (file.isNull()) {
        return texts;
    }
    const TagLib::PropertyMap properties = file.file()->properties();
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        const auto found = properties.find(kKeys[i]);
        if (found != properties.end()) {
            texts[i] = found->second.isEmpty() ? std::string() : found->second.front().to8Bit(true);
        }
    }
    return texts;
}

}  // namespace nameshift::engine
