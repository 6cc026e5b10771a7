#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/RenameSettings.h"
#include "settings/SettingsFile.h"

namespace nameshift::settings {

// morerules.ini: the rules of the "More rules" group, beside renset.ini and in its format. It
// holds only the fields renset.ini has no entry for (and the counter widths beyond its four), so
// that renset.ini stays as every earlier version wrote it.
const SettingsFile<RenameSettings>& moreRulesFile();

inline std::span<const SettingsField<RenameSettings>> moreRulesFields() {
    return moreRulesFile().fields;
}

inline std::string formatMoreRules(const RenameSettings& settings) {
    return moreRulesFile().format(settings);
}

inline RenameSettings parseMoreRules(std::string_view text, RenameSettings current) {
    return moreRulesFile().parse(text, std::move(current));
}

// Whether any field of the file differs from its default, so that the file is worth writing.
bool usesMoreRules(const RenameSettings& settings);

// The file read over `current`, which is read from renset.ini first. A missing file is no fault:
// it gives `current` without a word. A file that is there but cannot be read is reported, and
// gives `current` too.
RenameSettings loadMoreRules(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                             const std::string& path, const RenameSettings& current);

// The options of the program that the file keeps (the history's), read over `current` without a
// word: a file that is missing or cannot be read leaves them as they are.
RenameSettings withProgramOptionsOfMoreRules(platform::FileSystem& fileSystem,
                                             const std::string& path, RenameSettings current);

// Writes the file when it exists already or usesMoreRules(settings), without a question of its
// own: it follows the save of renset.ini, whose question covers both. True when the file was
// written or had no need to be.
bool saveMoreRules(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                   const std::string& path, const RenameSettings& settings);

}  // namespace nameshift::settings
