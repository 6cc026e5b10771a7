#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/RenameSettings.h"
#include "settings/SettingsFileAccess.h"

namespace nameshift::settings {

// The user's presets: one file per preset in one folder, each named as its preset and holding
// its rules as PresetFile spells them. The folder is made by the first save. Every refusal and
// failure is shown through the message box.
class PresetStore {
public:
    PresetStore(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                std::string directory);

    // The presets folder in the user's settings folder (one ending in "/" or not).
    static std::string directoryIn(std::string_view settingsDirectory);
    // Why `name` cannot name a preset's file; none when it can.
    static std::optional<platform::Message> nameRefusal(std::string_view name);

    // The names, sorted by their bytes; none before the first save. Nothing when the folder
    // cannot be read, with its message.
    std::optional<std::vector<std::string>> names();
    // The preset's rules over `current`; nothing when there is no such preset or it cannot be
    // read.
    std::optional<RenameSettings> load(std::string_view name, const RenameSettings& current);
    // Writes the preset; one that exists is replaced only when `mayReplace` says so (empty: the
    // message box is asked). True when it was written.
    bool save(std::string_view name, const RenameSettings& rules,
              const ReplaceQuestion& mayReplace = {});
    bool remove(std::string_view name);

private:
    std::string pathOf(std::string_view name) const;
    void showNoPreset(std::string_view name);

    platform::FileSystem& fileSystem_;
    platform::MessageBox& messages_;
    std::string directory_;
};

}  // namespace nameshift::settings
