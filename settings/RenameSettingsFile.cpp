#include "settings/RenameSettingsFile.h"

#include <array>

#include "settings/SettingsFileAccess.h"
#include "settings/SettingsPaths.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsWriter.h"

namespace nameshift::settings {
namespace {

constexpr std::string_view kTitle = "= Nameshift Pro Save Settings File               =";

constexpr SettingsFileWording kWording{
    kRenameSettingsFileName,
    NS_MESSAGE("Message",
               "An error occurred. Possible error: \"%1\" file doesn't exist?\nUsing "
               "default settings instead."),
    NS_MESSAGE("Message", "Cannot save settings! - Reason: Disk is full."),
    NS_MESSAGE("Message", "Cannot save settings! - Unknown Error."),
    NS_MESSAGE("Message",
               "Cannot save settings! - Reason: %2 holds a double quote, which %1 cannot store."),
    NS_MESSAGE("Message",
               "Cannot save settings! - Reason: %3 holds the text \"%2\", which %1 cannot store.")};

namespace key {
constexpr std::string_view kChangePrefix = "-= Change Prefix =-";
constexpr std::string_view kPrefixText = "-= Change Prefix String =-";
constexpr std::string_view kPrefixPosition = "-= Add Prefix To =-";
constexpr std::string_view kUseCounter = "-= Use Counter =-";
constexpr std::string_view kCounterPosition = "-= Counter Position =-";
constexpr std::string_view kCounterStart = "-= Start Counter At =-";
constexpr std::string_view kCounterIncrement = "-= Increment Counter By =-";
constexpr std::string_view kCounterDigits = "-= Number Of Digits To Use =-";
constexpr std::string_view kChangeExtension = "-= Change Extension =-";
constexpr std::string_view kExtensionText = "-= Change Extension String =-";
constexpr std::string_view kExtensionPosition = "-= Add Extension To =-";
constexpr std::string_view kRemoveSpaces = "-= Remove All Spaces =-";
constexpr std::string_view kRemoveBrackets = "-= Remove All Brackets =-";
constexpr std::string_view kRemoveTildes = "-= Remove All Tildes =-";
constexpr std::string_view kRemoveHyphens = "-= Remove All Hyphens =-";
constexpr std::string_view kRemoveString = "-= Remove Specific String =-";
constexpr std::string_view kStringToRemove = "-= Specific String to Remove =-";
constexpr std::string_view kReplaceString = "-= Replace String =-";
constexpr std::string_view kReplaceFrom = "-= Replace String From =-";
constexpr std::string_view kReplaceWith = "-= Replace String To =-";
constexpr std::string_view kLowerCase = "-= Make All Lower Case =-";
constexpr std::string_view kUpperCase = "-= Make All Upper Case =-";
constexpr std::string_view kFirstLetterUpper = "-= Make 1st In Each Word Upper =-";
constexpr std::string_view kSupportId3 = "-= Support ID3 Tags =-";
constexpr std::string_view kArchive = "-= Attribute Mask - Archive =-";
constexpr std::string_view kHidden = "-= Attribute Mask - Hidden =-";
constexpr std::string_view kReadOnly = "-= Attribute Mask - Read Only =-";
constexpr std::string_view kSystem = "-= Attribute Mask - System =-";
constexpr std::string_view kSortOrder = "-= Sort FileNames By - Date, Size, Extension, Name =-";
}  // namespace key

constexpr std::array<std::string_view, 29> kKeys = {
    key::kChangePrefix,    key::kPrefixText,    key::kPrefixPosition,    key::kUseCounter,
    key::kCounterPosition, key::kCounterStart,  key::kCounterIncrement,  key::kCounterDigits,
    key::kChangeExtension, key::kExtensionText, key::kExtensionPosition, key::kRemoveSpaces,
    key::kRemoveBrackets,  key::kRemoveTildes,  key::kRemoveHyphens,     key::kRemoveString,
    key::kStringToRemove,  key::kReplaceString, key::kReplaceFrom,       key::kReplaceWith,
    key::kLowerCase,       key::kUpperCase,     key::kFirstLetterUpper,  key::kSupportId3,
    key::kArchive,         key::kHidden,        key::kReadOnly,          key::kSystem,
    key::kSortOrder};

// The counter goes before or after the prefix; there is nothing for it to replace.
constexpr int kCounterChoices = 2;
constexpr int kDigitChoices = 4;

constexpr std::array<std::string_view, kChoiceCount<SortKey>> kSortWords = {"Date", "Extension",
                                                                            "Name", "Size"};

// The reader keeps a code by its index, which leaves a choice it cannot read as it was.
void readPosition(const SettingsReader& reader, std::string_view key,
                  std::optional<Position>& field, int choices = kChoiceCount<Position>) {
    int index = indexOf(field);
    reader.readPositionCode(key, index, choices);
    field = choiceAt<Position>(index);
}

}  // namespace

std::string formatRenameSettings(const RenameSettings& s) {
    SettingsWriter writer(kTitle);
    writer.addBoolean(key::kChangePrefix, s.changePrefix);
    writer.addString(key::kPrefixText, s.prefixText);
    writer.addPositionCode(key::kPrefixPosition, indexOf(s.prefixPosition));
    writer.addBoolean(key::kUseCounter, s.useCounter);
    writer.addPositionCode(key::kCounterPosition, indexOf(s.counterPosition), kCounterChoices);
    writer.addString(key::kCounterStart, s.counterStart);
    writer.addString(key::kCounterIncrement, s.counterIncrement);
    const bool digitsChosen = s.counterDigitsIndex >= 0 && s.counterDigitsIndex < kDigitChoices;
    writer.addDigit(key::kCounterDigits, digitsChosen ? s.counterDigitsIndex + 1 : -1);
    writer.addBoolean(key::kChangeExtension, s.changeExtension);
    writer.addString(key::kExtensionText, s.extensionText);
    writer.addPositionCode(key::kExtensionPosition, indexOf(s.extensionPosition));
    writer.addBoolean(key::kRemoveSpaces, s.removeSpaces);
    writer.addBoolean(key::kRemoveBrackets, s.removeBrackets);
    writer.addBoolean(key::kRemoveTildes, s.removeTildes);
    writer.addBoolean(key::kRemoveHyphens, s.removeHyphens);
    writer.addBoolean(key::kRemoveString, s.removeString);
    writer.addString(key::kStringToRemove, s.stringToRemove);
    writer.addBoolean(key::kReplaceString, s.replaceString);
    writer.addString(key::kReplaceFrom, s.replaceFrom);
    writer.addString(key::kReplaceWith, s.replaceWith);
    writer.addBoolean(key::kLowerCase, s.lowerCase);
    writer.addBoolean(key::kUpperCase, s.upperCase);
    writer.addBoolean(key::kFirstLetterUpper, s.firstLetterUpper);
    writer.addBoolean(key::kSupportId3, s.supportId3);
    writer.addBoolean(key::kArchive, s.attributeArchive);
    writer.addBoolean(key::kHidden, s.attributeHidden);
    writer.addBoolean(key::kReadOnly, s.attributeReadOnly);
    writer.addBoolean(key::kSystem, s.attributeSystem);
    const bool sortChosen = choiceAt<SortKey>(indexOf(s.sortKey)).has_value();
    writer.addWord(key::kSortOrder,
                   sortChosen ? kSortWords[static_cast<std::size_t>(indexOf(s.sortKey))] : "");
    return writer.text();
}

RenameSettings parseRenameSettings(std::string_view text, RenameSettings s) {
    const SettingsReader reader(text);
    reader.readBoolean(key::kChangePrefix, s.changePrefix);
    reader.readString(key::kPrefixText, s.prefixText);
    readPosition(reader, key::kPrefixPosition, s.prefixPosition);
    reader.readBoolean(key::kUseCounter, s.useCounter);
    readPosition(reader, key::kCounterPosition, s.counterPosition, kCounterChoices);
    reader.readString(key::kCounterStart, s.counterStart);
    reader.readString(key::kCounterIncrement, s.counterIncrement);
    // The digit is the count of digits; a count the list does not hold selects nothing.
    if (const auto digits = reader.digitOf(key::kCounterDigits)) {
        s.counterDigitsIndex = *digits >= 1 && *digits <= kDigitChoices ? *digits - 1 : -1;
    }
    reader.readBoolean(key::kChangeExtension, s.changeExtension);
    reader.readString(key::kExtensionText, s.extensionText);
    readPosition(reader, key::kExtensionPosition, s.extensionPosition);
    reader.readBoolean(key::kRemoveSpaces, s.removeSpaces);
    reader.readBoolean(key::kRemoveBrackets, s.removeBrackets);
    reader.readBoolean(key::kRemoveTildes, s.removeTildes);
    reader.readBoolean(key::kRemoveHyphens, s.removeHyphens);
    reader.readBoolean(key::kRemoveString, s.removeString);
    reader.readString(key::kStringToRemove, s.stringToRemove);
    reader.readBoolean(key::kReplaceString, s.replaceString);
    reader.readString(key::kReplaceFrom, s.replaceFrom);
    reader.readString(key::kReplaceWith, s.replaceWith);
    reader.readBoolean(key::kLowerCase, s.lowerCase);
    reader.readBoolean(key::kUpperCase, s.upperCase);
    reader.readBoolean(key::kFirstLetterUpper, s.firstLetterUpper);
    reader.readBoolean(key::kSupportId3, s.supportId3);
    reader.readBoolean(key::kArchive, s.attributeArchive);
    reader.readBoolean(key::kHidden, s.attributeHidden);
    reader.readBoolean(key::kReadOnly, s.attributeReadOnly);
    reader.readBoolean(key::kSystem, s.attributeSystem);
    int sortIndex = indexOf(s.sortKey);
    reader.readSortWord(key::kSortOrder, sortIndex);
    s.sortKey = choiceAt<SortKey>(sortIndex);
    return s;
}

std::optional<RenameSettings> readRenameSettings(platform::FileSystem& fileSystem,
                                                 const std::string& path,
                                                 const RenameSettings& current) {
    const std::optional<std::string> text = readSettingsText(fileSystem, path);
    if (!text) {
        return std::nullopt;
    }
    return parseRenameSettings(*text, current);
}

RenameSettings loadRenameSettings(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                                  const std::string& path, const RenameSettings& current,
                                  bool* loaded) {
    std::optional<RenameSettings> settings = readRenameSettings(fileSystem, path, current);
    if (loaded != nullptr) {
        *loaded = settings.has_value();
    }
    if (!settings) {
        reportLoadFailure(messages, kWording);
        return RenameSettings::whenFileMissing();
    }
    return *settings;
}

bool saveRenameSettings(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                        const std::string& path, const RenameSettings& s) {
    const std::array<StringField, 7> strings = {{
        {NS_MESSAGE("Message", "The prefix"), s.prefixText},
        {NS_MESSAGE("Message", "The counter start"), s.counterStart},
        {NS_MESSAGE("Message", "The counter increment"), s.counterIncrement},
        {NS_MESSAGE("Message", "The extension"), s.extensionText},
        {NS_MESSAGE("Message", "The string to remove"), s.stringToRemove},
        {NS_MESSAGE("Message", "The string to replace"), s.replaceFrom},
        {NS_MESSAGE("Message", "The replacement string"), s.replaceWith},
    }};
    if (!checkStorableStrings(messages, kWording, strings, kKeys)) {
        return false;
    }
    return saveSettingsText(fileSystem, messages, path, formatRenameSettings(s), kWording,
                            SaveMode::AskBeforeReplacing);
}

}  // namespace nameshift::settings
