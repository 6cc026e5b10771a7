#pragma once

#include <optional>
#include <string>
#include <utility>

#include "engine/commands/RestoreFilePicker.h"

namespace nameshift::cli {

// The restore file is named on the command line; the choice is made before the command runs.
class ArgumentRestoreFilePicker final : public engine::RestoreFilePicker {
public:
    explicit ArgumentRestoreFilePicker(std::string path) : path_(std::move(path)) {}

    std::optional<std::string> chooseRestoreFile(const std::string& /*initialDirectory*/) override {
        return path_;
    }

private:
    std::string path_;
};

}  // namespace nameshift::cli
