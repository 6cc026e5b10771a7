#include "settings/Id3OptionsFile.h"

#include <algorithm>
#include <array>
#include <utility>

#include "settings/InvalidCharacters.h"
#include "settings/SettingsFileAccess.h"
#include "settings/SettingsPaths.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsWriter.h"

namespace nameshift::settings {
namespace {

constexpr std::string_view kTitle = "= Nameshift Pro ID3 Options File                 =";

constexpr SettingsFileWording kWording{
    kId3OptionsFileName,
    NS_MESSAGE("Message",
               "An error occurred. Possible error: \"%1\" file doesn't exist?\nUsing "
               "default ID3 options instead."),
    kOptionsSaveWording};

namespace key {
constexpr std::string_view kRenameMode = "-= Only Rename w/ID3 Tags/Use Alt Renaming Options =-";
constexpr std::string_view kUseAdvanced = "-= Use Basic/Advanced ID3 Options =-";
constexpr std::string_view kBasicFormat = "-= Basic Options Format =-";
constexpr std::string_view kUseSeparators = "-= Use Separators =-";
constexpr std::string_view kSeparator = "-= Use Spaces/Hyphens/Underscores =-";
constexpr std::string_view kAdvancedFormat = "-= Format Prefix String =-";
}  // namespace key

constexpr std::array<std::string_view, 6> kKeys = {key::kRenameMode,  key::kUseAdvanced,
                                                   key::kBasicFormat, key::kUseSeparators,
                                                   key::kSeparator,   key::kAdvancedFormat};

constexpr std::array<char, kChoiceCount<Id3Separator>> kSeparatorCharacters = {' ', '-', '_'};

// The digit of a choice, or none for no choice or a value outside the enumeration.
template <typename Choice>
int digitOf(std::optional<Choice> choice) {
    return choiceAt<Choice>(indexOf(choice)) ? indexOf(choice) : -1;
}

std::optional<std::size_t> frameIndex(std::string_view name) {
    const auto found = std::find(kFrameNames.begin(), kFrameNames.end(), name);
    if (found == kFrameNames.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - kFrameNames.begin());
}

bool contains(const std::vector<std::string>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// kFrameNames is in alphabetical order as well as in code order.
std::vector<std::string> framesNotIn(const std::vector<std::string>& selected) {
    std::vector<std::string> available;
    for (std::string_view name : kFrameNames) {
        if (!contains(selected, name)) {
            available.emplace_back(name);
        }
    }
    return available;
}

// Cuts a format read from the file to the length the dialog and the command line allow, without
// splitting a UTF-8 sequence.
std::string heldToLongestFormat(std::string format) {
    if (format.size() <= kLongestId3Format) {
        return format;
    }
    std::size_t end = kLongestId3Format;
    while (end > 0 && (static_cast<unsigned char>(format[end]) & 0xC0) == 0x80) {
        --end;
    }
    format.resize(end);
    return format;
}

}  // namespace

TagNamingDialogState TagNamingDialogState::fromOptions(const TagNamingOptions& options) {
    TagNamingDialogState state;
    state.renameMode = options.renameMode;
    state.useAdvanced = options.useAdvanced;
    state.selectedFrames = options.selectedFrames;
    state.availableFrames = framesNotIn(options.selectedFrames);
    state.useSeparators = options.useSeparators;
    state.separator = options.separator;
    state.advancedFormat = options.advancedFormat;
    return state;
}

std::string basicFormat(const TagNamingOptions& options) {
    // Without a chosen separator the codes are simply joined, rather than losing the last digit
    // to the removal of a separator that was never written.
    const int separator = digitOf(options.separator);
    const bool separated = options.useSeparators && separator >= 0;
    std::string format;
    for (const std::string& name : options.selectedFrames) {
        const std::optional<std::size_t> index = frameIndex(name);
        if (!index) {
            continue;
        }
        if (separated && !format.empty()) {
            format += kSeparatorCharacters[static_cast<std::size_t>(separator)];
        }
        format += '%';
        format += static_cast<char>('1' + *index);
    }
    return format;
}

std::string formatId3Options(const TagNamingOptions& o) {
    SettingsWriter writer(kTitle);
    writer.addDigit(key::kRenameMode, digitOf(o.renameMode));
    writer.addDigit(key::kUseAdvanced, o.useAdvanced ? 1 : 0);
    writer.addString(key::kBasicFormat, basicFormat(o));
    writer.addBoolean(key::kUseSeparators, o.useSeparators);
    writer.addDigit(key::kSeparator, digitOf(o.separator));
    writer.addString(key::kAdvancedFormat, o.advancedFormat);
    return writer.text();
}

TagNamingDialogState parseTagNamingDialogState(std::string_view text) {
    const SettingsReader reader(text);
    TagNamingDialogState state;
    if (const auto mode = reader.digitOf(key::kRenameMode)) {
        state.renameMode = choiceAt<Id3RenameMode>(*mode);
    }
    if (const auto advanced = reader.digitOf(key::kUseAdvanced);
        advanced && (*advanced == 0 || *advanced == 1)) {
        state.useAdvanced = *advanced == 1;
    }
    const StringValue basic = reader.stringValue(key::kBasicFormat);
    if (basic.kind == StringValue::Kind::Text && !basic.text.empty()) {
        // The first byte is never looked at: it is the "%" of the first code in every file the
        // dialog writes.
        for (const char c : basic.text.substr(1)) {
            if (c < '1' || c > '6') {
                continue;
            }
            const std::string_view name = kFrameNames[static_cast<std::size_t>(c - '1')];
            if (!contains(state.selectedFrames, name)) {
                state.selectedFrames.emplace_back(name);
            }
        }
    }
    state.availableFrames = framesNotIn(state.selectedFrames);
    reader.readBoolean(key::kUseSeparators, state.useSeparators);
    if (const auto separator = reader.digitOf(key::kSeparator)) {
        state.separator = choiceAt<Id3Separator>(*separator);
    }
    reader.readString(key::kAdvancedFormat, state.advancedFormat);
    state.advancedFormat = heldToLongestFormat(std::move(state.advancedFormat));
    return state;
}

Id3Naming parseId3Naming(std::string_view text) {
    const SettingsReader reader(text);
    Id3Naming naming;
    if (const auto mode = reader.digitOf(key::kRenameMode)) {
        naming.renameMode = choiceAt<Id3RenameMode>(*mode).value_or(Id3RenameMode::AllOrRules);
    }
    const bool basic = reader.digitOf(key::kUseAdvanced) == 0;
    const StringValue format = reader.stringValue(basic ? key::kBasicFormat : key::kAdvancedFormat);
    switch (format.kind) {
        case StringValue::Kind::Absent:
            break;
        case StringValue::Kind::EmptyPair:
            naming.format.clear();
            break;
        case StringValue::Kind::Text:
            naming.format = format.text;
            break;
    }
    naming.format = replaceInvalidCharacters(heldToLongestFormat(std::move(naming.format)));
    return naming;
}

std::optional<TagNamingDialogState> readTagNamingDialogState(platform::FileSystem& fileSystem,
                                                             const std::string& path) {
    return readSettingsFile(fileSystem, path, parseTagNamingDialogState);
}

std::optional<Id3Naming> readId3Naming(platform::FileSystem& fileSystem, const std::string& path) {
    return readSettingsFile(fileSystem, path, parseId3Naming);
}

TagNamingDialogState loadId3Options(platform::FileSystem& fileSystem,
                                    platform::MessageBox& messages, const std::string& path,
                                    bool* loaded) {
    return loadedOrReported(readTagNamingDialogState(fileSystem, path), messages, kWording,
                            TagNamingDialogState::fromOptions(TagNamingOptions{}), loaded);
}

Id3Naming loadId3Naming(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                        const std::string& path, bool* loaded) {
    return loadedOrReported(readId3Naming(fileSystem, path), messages, kWording, Id3Naming{},
                            loaded);
}

bool saveId3Options(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                    const std::string& path, const TagNamingOptions& o) {
    const std::array<StringField, 1> strings = {
        {{NS_MESSAGE("Message", "The advanced format"), o.advancedFormat}}};
    return saveSettingsFile(fileSystem, messages, path, kWording, strings, kKeys,
                            formatId3Options(o), SaveMode::Replace);
}

}  // namespace nameshift::settings
