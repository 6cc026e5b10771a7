#include "settings/SettingsFileAccess.h"

#include <optional>
#include <utility>

namespace nameshift::settings {

using platform::ErrorKind;
using platform::Icon;
using platform::Status;
using platform::WriteMode;

std::optional<std::string> readSettingsText(platform::FileSystem& fileSystem,
                                            const std::string& path) {
    platform::Result<std::string> contents = fileSystem.readFile(path, kSettingsFileMaxBytes);
    if (!contents.ok()) {
        return std::nullopt;
    }
    return std::move(contents.value());
}

void reportLoadFailure(platform::MessageBox& messages, const SettingsFileWording& wording) {
    messages.show(platform::MessageText(wording.loadFailure, {std::string(wording.fileName)}),
                  platform::kProgramTitle, Icon::Exclamation);
}

bool checkStorableStrings(platform::MessageBox& messages, const SettingsFileWording& wording,
                          std::span<const StringField> fields,
                          std::span<const std::string_view> keys) {
    for (const StringField& field : fields) {
        std::optional<platform::MessageText> text;
        if (field.value.find('"') != std::string_view::npos) {
            text = platform::MessageText(wording.save.holdsQuote, {std::string(wording.fileName)});
        } else {
            for (std::string_view key : keys) {
                if (field.value.find(key) != std::string_view::npos) {
                    text = platform::MessageText(wording.save.holdsKey,
                                                 {std::string(wording.fileName), std::string(key)});
                    break;
                }
            }
        }
        if (!text) {
            continue;
        }
        text->parts.emplace_back(field.label);
        messages.show(std::move(*text), NS_MESSAGE("Message", "Error"), Icon::Stop);
        return false;
    }
    return true;
}

platform::Message replaceSettingsQuestion() {
    return {NS_MESSAGE("Message",
                       "File Already Exists - Do you wish to overwrite the existing settings?"),
            NS_MESSAGE("Message", "File Already Exists"), Icon::None, platform::Buttons::YesNo};
}

bool saveSettingsText(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                      const std::string& path, std::string_view text,
                      const SettingsFileWording& wording, SaveMode mode,
                      const ReplaceQuestion& mayReplace) {
    const WriteMode firstMode =
        mode == SaveMode::AskBeforeReplacing ? WriteMode::CreateNew : WriteMode::Replace;
    Status status = fileSystem.writeFile(path, text, firstMode);
    if (status.kind() == ErrorKind::Exists && firstMode == WriteMode::CreateNew) {
        const bool replace =
            mayReplace ? mayReplace()
                       : messages.show(replaceSettingsQuestion()) == platform::Answer::Yes;
        if (!replace) {
            return false;
        }
        status = fileSystem.writeFile(path, text, WriteMode::Replace);
    }
    if (status.ok()) {
        return true;
    }
    // A failed replacement after Yes is reported like any other failure: keeping quiet would
    // let the user believe the settings were saved.
    if (status.kind() == ErrorKind::DiskFull) {
        messages.show(wording.save.diskFull, NS_MESSAGE("Message", "Error - disk full"),
                      Icon::Stop);
    } else {
        messages.show(wording.save.unknownError, NS_MESSAGE("Message", "Error"), Icon::Stop);
    }
    return false;
}

bool saveSettingsFile(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                      const std::string& path, const SettingsFileWording& wording,
                      std::span<const StringField> strings, std::span<const std::string_view> keys,
                      std::string_view text, SaveMode mode, const ReplaceQuestion& mayReplace) {
    return checkStorableStrings(messages, wording, strings, keys) &&
           saveSettingsText(fileSystem, messages, path, text, wording, mode, mayReplace);
}

}  // namespace nameshift::settings
