#include "settings/PresetStore.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "settings/PresetFile.h"

namespace nameshift::settings {
namespace {

using platform::Icon;

// A file name has at most 255 bytes, and a save first writes ".NAME.<16 hex digits>~" beside
// the preset so that a stopped save never leaves half a preset: that name must fit too.
constexpr std::size_t kTemporaryNameExtra = 19;
constexpr std::size_t kLongestName = 255 - kTemporaryNameExtra;

platform::Message refusal(platform::MessageText text) {
    return platform::Message{std::move(text), NS_MESSAGE("Message", "Invalid Preset Name"),
                             Icon::Stop};
}

// A save stopped part way leaves its temporary file, ".NAME.<16 hex digits>~", beside the
// presets; it is none of them.
bool isUnfinishedSave(std::string_view name) {
    constexpr std::size_t kSuffix = kTemporaryNameExtra - 1;  // all but the leading "."
    if (name.size() <= kSuffix + 1 || name.front() != '.' || name.back() != '~' ||
        name[name.size() - kSuffix] != '.') {
        return false;
    }
    const std::string_view digits = name.substr(name.size() - kSuffix + 1, kSuffix - 2);
    return digits.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

}  // namespace

PresetStore::PresetStore(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                         std::string directory)
    : fileSystem_(fileSystem), messages_(messages), directory_(std::move(directory)) {}

std::string PresetStore::directoryIn(std::string_view settingsDirectory) {
    std::string directory(settingsDirectory);
    if (!directory.empty() && directory.back() != '/') {
        directory += '/';
    }
    return directory + "presets";
}

std::optional<platform::Message> PresetStore::nameRefusal(std::string_view name) {
    if (name.empty()) {
        return refusal(NS_MESSAGE("Message", "A preset needs a name."));
    }
    if (name == "." || name == "..") {
        return refusal({NS_MESSAGE("Message", "\"%1\" cannot name a preset: it names a folder."),
                        {std::string(name)}});
    }
    if (name.find('\0') != std::string_view::npos) {
        return refusal(NS_MESSAGE("Message", "A preset name cannot hold a NUL byte."));
    }
    // The presets are listed one a line: a line break in a name would list it as two.
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; })) {
        return refusal(NS_MESSAGE("Message",
                                  "A preset name cannot hold a line break or another control "
                                  "character."));
    }
    if (name.find('/') != std::string_view::npos) {
        return refusal({NS_MESSAGE("Message", "\"%1\" cannot name a preset: it holds a \"/\"."),
                        {std::string(name)}});
    }
    if (name.size() > kLongestName) {
        return refusal(
            {NS_MESSAGE("Message", "A preset name can be at most %1 bytes long; this one has %2."),
             {std::to_string(kLongestName), std::to_string(name.size())}});
    }
    return std::nullopt;
}

std::string PresetStore::pathOf(std::string_view name) const {
    return directory_ + "/" + std::string(name);
}

void PresetStore::showNoPreset(std::string_view name) {
    messages_.show({NS_MESSAGE("Message", "There is no preset \"%1\"."), {std::string(name)}},
                   NS_MESSAGE("Message", "Preset Not Found"), Icon::Stop);
}

std::optional<std::vector<std::string>> PresetStore::names() {
    const platform::Result<std::vector<platform::DirEntry>> entries =
        fileSystem_.listDirectory(directory_);
    if (!entries.ok()) {
        if (entries.status().error() == ENOENT) {
            return std::vector<std::string>{};
        }
        messages_.show({NS_MESSAGE("Message", "Cannot read the presets folder \"%1\": %2"),
                        {directory_, entries.status().message()}},
                       NS_MESSAGE("Message", "Error"), Icon::Stop);
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (const platform::DirEntry& entry : *entries) {
        // A file no preset could be saved as (one put there by hand) would list as another.
        if (!entry.isDirectory && !isUnfinishedSave(entry.name) && !nameRefusal(entry.name)) {
            names.push_back(entry.name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<RenameSettings> PresetStore::load(std::string_view name,
                                                const RenameSettings& current) {
    if (auto refused = nameRefusal(name)) {
        messages_.show(*refused);
        return std::nullopt;
    }
    const platform::Result<std::string> text =
        fileSystem_.readFile(pathOf(name), kSettingsFileMaxBytes);
    if (!text.ok()) {
        if (text.status().error() == ENOENT) {
            showNoPreset(name);
        } else {
            messages_.show({NS_MESSAGE("Message", "Cannot read the preset \"%1\": %2"),
                            {std::string(name), text.status().message()}},
                           NS_MESSAGE("Message", "Error"), Icon::Stop);
        }
        return std::nullopt;
    }
    return PresetFile::parse(*text, current);
}

bool PresetStore::save(std::string_view name, const RenameSettings& rules,
                       const ReplaceQuestion& mayReplace) {
    if (auto refused = nameRefusal(name)) {
        messages_.show(*refused);
        return false;
    }
    if (const platform::Status made = fileSystem_.makeDirectories(directory_); !made.ok()) {
        messages_.show({NS_MESSAGE("Message", "Cannot create the presets folder \"%1\": %2"),
                        {directory_, made.message()}},
                       NS_MESSAGE("Message", "Error"), Icon::Stop);
        return false;
    }
    // The refusals of a string the file cannot hold name the preset as the file.
    const SettingsFileWording wording{name, "", kSettingsSaveWording};
    const std::vector<StringField> strings = PresetFile::strings(rules);
    const std::vector<std::string_view> keys = PresetFile::keys();
    return saveSettingsFile(fileSystem_, messages_, pathOf(name), wording, strings, keys,
                            PresetFile::format(rules), SaveMode::AskBeforeReplacing, mayReplace);
}

bool PresetStore::remove(std::string_view name) {
    if (auto refused = nameRefusal(name)) {
        messages_.show(*refused);
        return false;
    }
    const platform::Status removed = fileSystem_.removeFile(pathOf(name));
    if (removed.error() == ENOENT) {
        showNoPreset(name);
    } else if (!removed.ok()) {
        messages_.show({NS_MESSAGE("Message", "Cannot delete the preset \"%1\": %2"),
                        {std::string(name), removed.message()}},
                       NS_MESSAGE("Message", "Error"), Icon::Stop);
    }
    return removed.ok();
}

}  // namespace nameshift::settings
