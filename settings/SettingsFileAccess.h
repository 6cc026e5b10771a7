#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace nameshift::settings {

// How a settings file's save speaks of its failures and refusals, whole for translation. The
// refusals to save a string the file cannot hold: "%1" is the file name, the string's label is
// the last placeholder, and "%2" of the second the key the string holds.
struct SaveWording {
    const char* diskFull;
    const char* unknownError;
    const char* holdsQuote;
    const char* holdsKey;
};

// The options files' saves speak of options, renset.ini's of settings.
inline constexpr SaveWording kOptionsSaveWording{
    NS_MESSAGE("Message", "Cannot save options! - Reason: Disk is full."),
    NS_MESSAGE("Message", "Cannot save options! - Unknown Error."),
    NS_MESSAGE("Message",
               "Cannot save options! - Reason: %2 holds a double quote, which %1 cannot store."),
    NS_MESSAGE("Message",
               "Cannot save options! - Reason: %3 holds the text \"%2\", which %1 cannot store.")};
inline constexpr SaveWording kSettingsSaveWording{
    NS_MESSAGE("Message", "Cannot save settings! - Reason: Disk is full."),
    NS_MESSAGE("Message", "Cannot save settings! - Unknown Error."),
    NS_MESSAGE("Message",
               "Cannot save settings! - Reason: %2 holds a double quote, which %1 cannot store."),
    NS_MESSAGE("Message",
               "Cannot save settings! - Reason: %3 holds the text \"%2\", which %1 cannot store.")};

// How one settings file speaks of itself in its messages.
struct SettingsFileWording {
    std::string_view fileName;  // "renset.ini", as the load message quotes it
    // The load message whole, for translation: "%1" is the file name.
    const char* loadFailure;
    const SaveWording& save;
};

// Whether the settings file already at the path may be replaced: the dialogs ask the user, the
// command-line tool answers from its command line. Empty: the save asks through its message box.
using ReplaceQuestion = std::function<bool()>;

// "File Already Exists - Do you wish to overwrite the existing settings?"
platform::Message replaceSettingsQuestion();

enum class SaveMode {
    AskBeforeReplacing,  // an existing file is replaced only when the user says Yes
    Replace,             // an existing file is replaced without a question
};

// A string field of a record, named as the save refusal names it ("The prefix").
struct StringField {
    const char* label;
    std::string_view value;
};

// The largest settings file that is read. The biggest a program writes is a few kilobytes (its
// longest values are paths and 255-character strings); a file beyond this was not written by it,
// and reading it whole could take all the memory there is.
inline constexpr std::size_t kSettingsFileMaxBytes = 64 * 1024;

// The whole file, or nothing when it cannot be read or is larger than kSettingsFileMaxBytes.
std::optional<std::string> readSettingsText(platform::FileSystem& fileSystem,
                                            const std::string& path);

// "An error occurred. Possible error: ..." for a file that could not be read.
void reportLoadFailure(platform::MessageBox& messages, const SettingsFileWording& wording);

// A settings file has no escapes: a string cannot hold a double quote, nor one of the file's
// keys, which a reader would find there first. Shows why the first such field cannot be saved
// and returns false.
bool checkStorableStrings(platform::MessageBox& messages, const SettingsFileWording& wording,
                          std::span<const StringField> fields,
                          std::span<const std::string_view> keys);

// Writes `text` whole or not at all, with the overwrite question (when asked for) and the
// "Cannot save ..." messages for any failure. The old file stays as it was unless every byte of
// the new one reached the disk. True when the file was written.
bool saveSettingsText(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                      const std::string& path, std::string_view text,
                      const SettingsFileWording& wording, SaveMode mode,
                      const ReplaceQuestion& mayReplace = {});

// The read, load and save that every settings file offers, over its own parse and format.

// The file's text parsed, or nothing when it cannot be read. Shows nothing.
template <typename Parse>
auto readSettingsFile(platform::FileSystem& fileSystem, const std::string& path, Parse parse)
    -> std::optional<std::invoke_result_t<Parse, std::string_view>> {
    const std::optional<std::string> text = readSettingsText(fileSystem, path);
    if (!text) {
        return std::nullopt;
    }
    return parse(std::string_view(*text));
}

// What a read gave, or `fallback` after the load message when it gave nothing. `loaded`, when
// given, tells which happened.
template <typename Record>
Record loadedOrReported(std::optional<Record> read, platform::MessageBox& messages,
                        const SettingsFileWording& wording, Record fallback, bool* loaded) {
    if (loaded != nullptr) {
        *loaded = read.has_value();
    }
    if (!read) {
        reportLoadFailure(messages, wording);
        return fallback;
    }
    return std::move(*read);
}

// checkStorableStrings, then saveSettingsText.
bool saveSettingsFile(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                      const std::string& path, const SettingsFileWording& wording,
                      std::span<const StringField> strings, std::span<const std::string_view> keys,
                      std::string_view text, SaveMode mode, const ReplaceQuestion& mayReplace = {});

}  // namespace nameshift::settings
