#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/RenameSettings.h"
#include "settings/SettingsField.h"
#include "settings/SettingsFileAccess.h"

namespace nameshift::settings {

// The text of a preset: every rule option of renset.ini and of the "More rules" group, in the
// settings files' format. What picks the listed files (the attribute mask and the sort key)
// belongs to a folder, not to a way of renaming, and stays out.
class PresetFile {
public:
    static std::string format(const RenameSettings& rules);
    // The rules the text sets, over `current`; every rule the text does not set keeps its value.
    static RenameSettings parse(std::string_view text, RenameSettings current);

    // The entries in the order of the file: renset.ini's rules, then morerules.ini's.
    static std::span<const SettingsField<RenameSettings>> tableFields();
    // Every key of the file, which no string of it may hold.
    static std::vector<std::string_view> keys();
    static std::vector<StringField> strings(const RenameSettings& rules);
};

}  // namespace nameshift::settings
