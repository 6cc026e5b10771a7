#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/RestoreFilePicker.h"
#include "engine/TagReader.h"
#include "platform/VolumeSource.h"

namespace nameshift::testing {

// The volumes a test chooses, in place of the system's mount table.
class FixedVolumes final : public platform::VolumeSource {
public:
    explicit FixedVolumes(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    platform::Result<std::vector<std::string>> mountedVolumes() override { return paths_; }

private:
    std::vector<std::string> paths_;
};

// Files without tags.
class NoTags final : public engine::TagReader {
public:
    engine::TagTexts read(const std::string& /*path*/) override { return {}; }
};

// Answers the restore file question with a chosen path, or as a user who cancels.
class ScriptedRestorePicker final : public engine::RestoreFilePicker {
public:
    std::optional<std::string> chooseRestoreFile(const std::string& initialDirectory) override {
        askedIn.push_back(initialDirectory);
        return choice;
    }

    std::optional<std::string> choice;
    std::vector<std::string> askedIn;
};

}  // namespace nameshift::testing
