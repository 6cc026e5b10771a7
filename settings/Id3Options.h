#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace nameshift::settings {

// What happens to a file whose tag lacks some of the frames the format names.
enum class Id3RenameMode {
    AllOrRules = 0,  // only rename by tag when every frame is there, else by the rules
    AllOrKeep = 1,   // only rename by tag when every frame is there, else keep the old name
    WhateverIsThere = 2,
};

// The frame names in code order: "%1" is kFrameNames[0].
inline constexpr std::array<std::string_view, 6> kFrameNames = {
    "Album Title", "Artist", "Genre", "Track Name", "Track Number", "Year of Release"};

// The longest ID3 format, in bytes: what the ID3 options dialog's edit and the command line take.
// A longer one read from ID3Opts.ini was written by hand and is cut to it.
inline constexpr std::size_t kLongestId3Format = 255;

// The ID3 options dialog's full record, as ID3Opts.ini keeps it.
struct Id3Options {
    int renameMode = 0;
    bool useAdvanced = false;
    std::vector<std::string> selectedFrames;  // frame names, each at most once, in user order
    bool useSeparators = true;
    int separator = 0;  // 0 space, 1 hyphen, 2 underscore
    std::string advancedFormat;

    bool operator==(const Id3Options&) const = default;
};

// What renaming needs of the ID3 options: the mode and one format string.
struct Id3Naming {
    int renameMode = 0;
    std::string format = "%1 - %2 - %3 - %4 - %5 - %6";

    bool operator==(const Id3Naming&) const = default;
};

}  // namespace nameshift::settings
