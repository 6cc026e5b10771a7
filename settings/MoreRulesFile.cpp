#include "settings/MoreRulesFile.h"

#include <array>
#include <cerrno>
#include <variant>

#include "settings/SettingsPaths.h"

namespace nameshift::settings {
namespace {

using R = RenameSettings;
using K = FieldKind;

constexpr std::array<SettingsField<R>, 33> kFields = {{
    {"-= Regular Expression In Remove =-", &R::removeRegex, K::Boolean, "removeRegex"},
    {"-= Remove All Occurrences =-", &R::removeAllOccurrences, K::Boolean, "removeAllOccurrences"},
    {"-= Match Case In Remove =-", &R::removeMatchCase, K::Boolean, "removeMatchCase"},
    {"-= Regular Expression In Replace =-", &R::replaceRegex, K::Boolean, "replaceRegex"},
    {"-= Replace All Occurrences =-", &R::replaceAllOccurrences, K::Boolean,
     "replaceAllOccurrences"},
    {"-= Match Case In Replace =-", &R::replaceMatchCase, K::Boolean, "replaceMatchCase"},
    {"-= Insert Text =-", &R::insertText, K::Boolean, "insertText"},
    {"-= Text To Insert =-", &R::insertedText, K::String, "insertTextEdit",
     NS_MESSAGE("Message", "The text to insert")},
    {"-= Insert At Character =-", &R::insertAt, K::String, "insertAtEdit",
     NS_MESSAGE("Message", "The insert position")},
    {"-= Insert Counting From End =-", &R::insertFromEnd, K::Boolean, "insertFromEnd"},
    {"-= Remove Characters =-", &R::removeCharacters, K::Boolean, "removeCharacters"},
    {"-= Number Of Characters To Remove =-", &R::removeCount, K::String, "removeCountEdit",
     NS_MESSAGE("Message", "The number of characters to remove")},
    {"-= Remove From Character =-", &R::removeAt, K::String, "removeAtEdit",
     NS_MESSAGE("Message", "The remove position")},
    {"-= Remove Counting From End =-", &R::removeFromEnd, K::Boolean, "removeFromEnd"},
    {"-= Trim Ends =-", &R::trimEnds, K::Boolean, "trimEnds"},
    {"-= Collapse Spaces =-", &R::collapseSpaces, K::Boolean, "collapseSpaces"},
    {"-= Remove Accents =-", &R::removeAccents, K::Boolean, "removeAccents"},
    {"-= Latin Letters Only =-", &R::latinOnly, K::Boolean, "latinOnly"},
    {"-= Letter Case Applies To =-", &R::caseScope, K::CaseScopeDigit, "caseScope"},
    {"-= Lower Case Extension =-", &R::lowerExtension, K::Boolean, "lowerExtension"},
    {"-= Number Of Digits Beyond Four =-", &R::counterDigitsIndex, K::WideDigitCount,
     "counterDigits"},
    {"-= Continue Counter In Folder =-", &R::continueCounter, K::Boolean, "continueCounter"},
    {"-= Natural Sort Order =-", &R::naturalOrder, K::Boolean, "naturalOrder"},
    {"-= Date Format =-", &R::dateFormat, K::String, "dateFormatEdit",
     NS_MESSAGE("Message", "The date format")},
    {"-= Number Duplicate Names =-", &R::numberDuplicates, K::Boolean, "numberDuplicates"},
    {"-= Batches Kept In History =-", &R::historyBatches, K::String, nullptr,
     NS_MESSAGE("Message", "The number of batches the history keeps"), true},
    {"-= History Size Limit In MiB =-", &R::historyMebibytes, K::String, nullptr,
     NS_MESSAGE("Message", "The size limit of the history"), true},
    {"-= Undo Record Only In History =-", &R::historyOnly, K::Boolean, nullptr, nullptr, true},
    {"-= Name Template =-", &R::nameTemplate, K::String, "nameTemplateEdit",
     NS_MESSAGE("Message", "The name template"), false, true},
    {"-= Include Subfolders =-", &R::includeSubfolders, K::Boolean, "includeSubfolders", nullptr,
     false, true},
    {"-= Subfolder Levels =-", &R::subfolderLevels, K::String, "subfolderLevelsEdit",
     NS_MESSAGE("Message", "The number of subfolder levels"), false, true},
    {"-= Include Filter =-", &R::includeFilter, K::String, "includeFilterEdit",
     NS_MESSAGE("Message", "The include pattern"), false, true},
    {"-= Exclude Filter =-", &R::excludeFilter, K::String, "excludeFilterEdit",
     NS_MESSAGE("Message", "The exclude pattern"), false, true},
}};
static_assert(everyKindFits<R>(kFields));

RenameSettings defaults() {
    return RenameSettings{};
}

constexpr SettingsFile<R> kFile{
    "= Nameshift Pro More Rules File                  =",
    kFields,
    {kMoreRulesFileName,
     NS_MESSAGE("Message",
                "An error occurred. Possible error: \"%1\" file doesn't exist?\nUsing "
                "default settings instead."),
     kSettingsSaveWording},
    &defaults,
};

}  // namespace

const SettingsFile<RenameSettings>& moreRulesFile() {
    return kFile;
}

bool usesMoreRules(const RenameSettings& settings) {
    // The file's text covers exactly its fields, so equal texts mean equal fields.
    return kFile.format(settings) != kFile.format(RenameSettings{});
}

RenameSettings loadMoreRules(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                             const std::string& path, const RenameSettings& current) {
    const platform::Result<std::string> text = fileSystem.readFile(path, kSettingsFileMaxBytes);
    if (text.ok()) {
        return kFile.parse(*text, current);
    }
    if (text.status().error() != ENOENT) {
        reportLoadFailure(messages, kFile.wording);
    }
    return current;
}

RenameSettings withProgramOptionsOfMoreRules(platform::FileSystem& fileSystem,
                                             const std::string& path, RenameSettings current) {
    const platform::Result<std::string> text = fileSystem.readFile(path, kSettingsFileMaxBytes);
    if (!text.ok()) {
        return current;
    }
    const RenameSettings read = kFile.parse(*text, {});
    for (const SettingsField<R>& field : kFields) {
        if (field.programOption) {
            std::visit([&](auto member) { current.*member = read.*member; }, field.member);
        }
    }
    return current;
}

bool saveMoreRules(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                   const std::string& path, const RenameSettings& settings) {
    if (!usesMoreRules(settings) && !fileSystem.identify(path).ok()) {
        return true;
    }
    return saveSettingsFile(fileSystem, messages, path, kFile.wording,
                            stringsOf<R>(settings, kFields), keysOf<R>(kFields),
                            kFile.format(settings), SaveMode::Replace);
}

}  // namespace nameshift::settings
