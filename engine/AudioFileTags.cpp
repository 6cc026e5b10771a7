#include "engine/AudioFileTags.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>

#include "engine/ReadOnlyStream.h"

namespace nameshift::engine {
namespace {

constexpr std::array<std::string_view, 22> kExtensions = {
    "flac", "ogg", "oga", "opus", "spx",  "m4a", "m4b", "m4p", "mp4", "3g2", "wma",
    "asf",  "wav", "aif", "aiff", "aifc", "wv",  "mpc", "mp+", "mpp", "ape", "m4r"};

// The PropertyMap key of each tag text, in code order.
constexpr std::array<const char*, kTagTextCount> kKeys = {"ALBUM",       "ARTIST",      "GENRE",
                                                          "TITLE",       "TRACKNUMBER", "DATE",
                                                          "ALBUMARTIST", "DISCNUMBER",  "COMPOSER"};

std::string lowerExtension(std::string_view fileName) {
    const auto dot = fileName.rfind('.');
    if (dot == std::string_view::npos) {
        return {};
    }
    std::string extension(fileName.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace

bool AudioFileTags::handles(std::string_view fileName) {
    const std::string extension = lowerExtension(fileName);
    return std::find(kExtensions.begin(), kExtensions.end(), extension) != kExtensions.end();
}

TagTexts AudioFileTags::read(int fd, long length, std::string_view fileName,
                             std::uint64_t& bytesRead) {
    TagTexts texts;
    // TagLib picks the format by the extension of the stream's name, then by the content.
    ReadOnlyStream stream(fd, 0, length, bytesRead, kReadBudget,
                          "file." + lowerExtension(fileName));
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
