#include "settings/RenameSettingsFile.h"

#include <array>

#include "settings/SettingsPaths.h"

namespace nameshift::settings {
namespace {

using R = RenameSettings;
using K = FieldKind;

// The 29 entries in the order of the file.
constexpr std::array<SettingsField<R>, 29> kFields = {{
    {"-= Change Prefix =-", &R::changePrefix, K::Boolean},
    {"-= Change Prefix String =-", &R::prefixText, K::String, NS_MESSAGE("Message", "The prefix")},
    {"-= Add Prefix To =-", &R::prefixPosition, K::Position},
    {"-= Use Counter =-", &R::useCounter, K::Boolean},
    {"-= Counter Position =-", &R::counterPosition, K::CounterPosition},
    {"-= Start Counter At =-", &R::counterStart, K::String,
     NS_MESSAGE("Message", "The counter start")},
    {"-= Increment Counter By =-", &R::counterIncrement, K::String,
     NS_MESSAGE("Message", "The counter increment")},
    {"-= Number Of Digits To Use =-", &R::counterDigitsIndex, K::DigitCount},
    {"-= Change Extension =-", &R::changeExtension, K::Boolean},
    {"-= Change Extension String =-", &R::extensionText, K::String,
     NS_MESSAGE("Message", "The extension")},
    {"-= Add Extension To =-", &R::extensionPosition, K::Position},
    {"-= Remove All Spaces =-", &R::removeSpaces, K::Boolean},
    {"-= Remove All Brackets =-", &R::removeBrackets, K::Boolean},
    {"-= Remove All Tildes =-", &R::removeTildes, K::Boolean},
    {"-= Remove All Hyphens =-", &R::removeHyphens, K::Boolean},
    {"-= Remove Specific String =-", &R::removeString, K::Boolean},
    {"-= Specific String to Remove =-", &R::stringToRemove, K::String,
     NS_MESSAGE("Message", "The string to remove")},
    {"-= Replace String =-", &R::replaceString, K::Boolean},
    {"-= Replace String From =-", &R::replaceFrom, K::String,
     NS_MESSAGE("Message", "The string to replace")},
    {"-= Replace String To =-", &R::replaceWith, K::String,
     NS_MESSAGE("Message", "The replacement string")},
    {"-= Make All Lower Case =-", &R::lowerCase, K::Boolean},
    {"-= Make All Upper Case =-", &R::upperCase, K::Boolean},
    {"-= Make 1st In Each Word Upper =-", &R::firstLetterUpper, K::Boolean},
    {"-= Support ID3 Tags =-", &R::supportId3, K::Boolean},
    {"-= Attribute Mask - Archive =-", &R::attributeArchive, K::Boolean},
    {"-= Attribute Mask - Hidden =-", &R::attributeHidden, K::Boolean},
    {"-= Attribute Mask - Read Only =-", &R::attributeReadOnly, K::Boolean},
    {"-= Attribute Mask - System =-", &R::attributeSystem, K::Boolean},
    {"-= Sort FileNames By - Date, Size, Extension, Name =-", &R::sortKey, K::SortWord},
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
