#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/MessageText.h"
#include "settings/Choice.h"

namespace nameshift::settings {

// What happens to a file whose tag lacks some of the frames the format names.
enum class Id3RenameMode {
    AllOrRules = 0,  // only rename by tag when every frame is there, else by the rules
    AllOrKeep = 1,   // only rename by tag when every frame is there, else keep the old name
    WhateverIsThere = 2,
};
template <>
inline constexpr int kChoiceCount<Id3RenameMode> = 3;

// What joins the frames of the basic format.
enum class Id3Separator { Space = 0, Hyphen = 1, Underscore = 2 };
template <>
inline constexpr int kChoiceCount<Id3Separator> = 3;

// The frame names in code order: "%1" is kFrameNames[0]. ID3Opts.ini keeps them as they are; the
// dialogs show them translated, as they show messages.
inline constexpr std::array<std::string_view, 6> kFrameNames = {
    NS_MESSAGE("Message", "Album Title"),  NS_MESSAGE("Message", "Artist"),
    NS_MESSAGE("Message", "Genre"),        NS_MESSAGE("Message", "Track Name"),
    NS_MESSAGE("Message", "Track Number"), NS_MESSAGE("Message", "Year of Release")};

// The longest ID3 format, in bytes: what the tag naming options' edit and the command line take.
// A longer one read from ID3Opts.ini was written by hand and is cut to it.
inline constexpr std::size_t kLongestId3Format = 255;

// The tag naming options dialog's full record, as ID3Opts.ini keeps it.
// A radio group of the dialog with no button chosen holds no value.
struct TagNamingOptions {
    std::optional<Id3RenameMode> renameMode = Id3RenameMode::AllOrRules;
    bool useAdvanced = false;
    std::vector<std::string> selectedFrames;  // frame names, each at most once, in user order
    bool useSeparators = true;
    std::optional<Id3Separator> separator = Id3Separator::Space;
    std::string advancedFormat;

    bool operator==(const TagNamingOptions&) const = default;
};

// What renaming needs of the tag naming options: the mode and one format string.
struct Id3Naming {
    Id3RenameMode renameMode = Id3RenameMode::AllOrRules;
    std::string format = "%1 - %2 - %3 - %4 - %5 - %6";

    bool operator==(const Id3Naming&) const = default;
};

}  // namespace nameshift::settings
