#include "settings/RenameSettingsFile.h"

#include <array>

#include "settings/SettingsPaths.h"

namespace nameshift::settings {
namespace {

using R = RenameSettings;
using K = FieldKind;

// The 29 entries in the order of the file, with the rule panel's controls, and the one entry
// written only while it is set.
constexpr std::array<SettingsField<R>, 30> kFields = {{
    {"-= Change Prefix =-", &R::changePrefix, K::Boolean, "changePrefix"},
    {"-= Change Prefix String =-", &R::prefixText, K::String, "prefixEdit",
     NS_MESSAGE("Message", "The prefix")},
    {"-= Add Prefix To =-", &R::prefixPosition, K::Position, "prefixPosition"},
    {"-= Use Counter =-", &R::useCounter, K::Boolean, "useCounter"},
    {"-= Counter Position =-", &R::counterPosition, K::CounterPosition, "counterPosition"},
    {"-= Start Counter At =-", &R::counterStart, K::String, "counterStartEdit",
     NS_MESSAGE("Message", "The counter start")},
    {"-= Increment Counter By =-", &R::counterIncrement, K::String, "counterIncrementEdit",
     NS_MESSAGE("Message", "The counter increment")},
    {"-= Number Of Digits To Use =-", &R::counterDigitsIndex, K::DigitCount, "counterDigits"},
    {"-= Change Extension =-", &R::changeExtension, K::Boolean, "changeExtension"},
    {"-= Change Extension String =-", &R::extensionText, K::String, "extensionEdit",
     NS_MESSAGE("Message", "The extension")},
    {"-= Add Extension To =-", &R::extensionPosition, K::Position, "extensionPosition"},
    {"-= Remove All Spaces =-", &R::removeSpaces, K::Boolean, "removeSpaces"},
    {"-= Remove All Brackets =-", &R::removeBrackets, K::Boolean, "removeBrackets"},
    {"-= Remove All Tildes =-", &R::removeTildes, K::Boolean, "removeTildes"},
    {"-= Remove All Hyphens =-", &R::removeHyphens, K::Boolean, "removeHyphens"},
    {"-= Remove Specific String =-", &R::removeString, K::Boolean, "removeString"},
    {"-= Specific String to Remove =-", &R::stringToRemove, K::String, "removeStringEdit",
     NS_MESSAGE("Message", "The string to remove")},
    {"-= Replace String =-", &R::replaceString, K::Boolean, "replaceString"},
    {"-= Replace String From =-", &R::replaceFrom, K::String, "replaceFromEdit",
     NS_MESSAGE("Message", "The string to replace")},
    {"-= Replace String To =-", &R::replaceWith, K::String, "replaceWithEdit",
     NS_MESSAGE("Message", "The replacement string")},
    {"-= Make All Lower Case =-", &R::lowerCase, K::Boolean, "lowerCase"},
    {"-= Make All Upper Case =-", &R::upperCase, K::Boolean, "upperCase"},
    {"-= Make 1st In Each Word Upper =-", &R::firstLetterUpper, K::Boolean, "firstLetterUpper"},
    {"-= Support ID3 Tags =-", &R::supportId3, K::Boolean, "supportId3"},
    {"-= Attribute Mask - Archive =-", &R::attributeArchive, K::Boolean, "archive"},
    {"-= Attribute Mask - Hidden =-", &R::attributeHidden, K::Boolean, "hidden"},
    {"-= Attribute Mask - Read Only =-", &R::attributeReadOnly, K::Boolean, "readOnly"},
    {"-= Attribute Mask - System =-", &R::attributeSystem, K::Boolean, "system"},
    {"-= Attribute Mask - Folders =-", &R::attributeFolders, K::Boolean, "folders", nullptr, false,
     true},
    {"-= Sort FileNames By - Date, Size, Extension, Name =-", &R::sortKey, K::SortWord, "sortList"},
}};
static_assert(everyKindFits<R>(kFields));

constexpr SettingsFile<R> kFile{
    "= Nameshift Pro Save Settings File               =",
    kFields,
    {kRenameSettingsFileName,
     NS_MESSAGE("Message",
                "An error occurred. Possible error: \"%1\" file doesn't exist?\nUsing "
                "default settings instead."),
     kSettingsSaveWording},
    &RenameSettings::whenFileMissing,
};

}  // namespace

const SettingsFile<RenameSettings>& renameSettingsFile() {
    return kFile;
}

}  // namespace nameshift::settings
