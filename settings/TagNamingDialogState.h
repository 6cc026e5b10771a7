#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/TagNamingOptions.h"

namespace nameshift::settings {

// What the tag naming options dialog shows when it opens. A radio group that the file does not set
// has no button chosen (std::nullopt), and "Use Separators" stays unchecked unless the file sets
// it.
struct TagNamingDialogState {
    std::optional<Id3RenameMode> renameMode;
    std::optional<bool> useAdvanced;
    std::vector<std::string> selectedFrames;   // in the file's order, each frame once
    std::vector<std::string> availableFrames;  // the others, alphabetically
    bool useSeparators = false;
    std::optional<Id3Separator> separator;
    std::string advancedFormat;

    // Every group chosen as `options` says: what the dialog shows when the file cannot be read.
    static TagNamingDialogState fromOptions(const TagNamingOptions& options);

    bool operator==(const TagNamingDialogState&) const = default;
};

}  // namespace nameshift::settings
