#include "settings/RenameSettingsFile.h"

#include <array>

#include "settings/SettingsPaths.h"

namespace nameshift::settings {
namespace {

using R = RenameSettings;
using K = FieldKind;
using G = OptionGroup;

// The 29 entries in the order of the file, with the flags of the command-line tool.
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
    {"-= Remove All Spaces =-",
     &R::removeSpaces,
     K::Boolean,
     nullptr,
     {"--remove-spaces", "Remove all spaces", G::Removals}},
    {"-= Remove All Brackets =-",
     &R::removeBrackets,
     K::Boolean,
     nullptr,
     {"--remove-brackets", "Remove all square brackets", G::Removals}},
    {"-= Remove All Tildes =-",
     &R::removeTildes,
     K::Boolean,
     nullptr,
     {"--remove-tildes", "Remove all tildes", G::Removals}},
    {"-= Remove All Hyphens =-",
     &R::removeHyphens,
     K::Boolean,
     nullptr,
     {"--remove-hyphens", "Remove all hyphens", G::Removals}},
    {"-= Remove Specific String =-", &R::removeString, K::Boolean},
    {"-= Specific String to Remove =-", &R::stringToRemove, K::String,
     NS_MESSAGE("Message", "The string to remove")},
    {"-= Replace String =-", &R::replaceString, K::Boolean},
    {"-= Replace String From =-", &R::replaceFrom, K::String,
     NS_MESSAGE("Message", "The string to replace")},
    {"-= Replace String To =-", &R::replaceWith, K::String,
     NS_MESSAGE("Message", "The replacement string")},
    {"-= Make All Lower Case =-",
     &R::lowerCase,
     K::Boolean,
     nullptr,
     {"--lower", "Make all lower case", G::LetterCase}},
    {"-= Make All Upper Case =-",
     &R::upperCase,
     K::Boolean,
     nullptr,
     {"--upper", "Make all upper case", G::LetterCase}},
    {"-= Make 1st In Each Word Upper =-",
     &R::firstLetterUpper,
     K::Boolean,
     nullptr,
     {"--title", "Make the first letter of each word upper case", G::LetterCase}},
    {"-= Support ID3 Tags =-",
     &R::supportId3,
     K::Boolean,
     nullptr,
     {"--id3", "Name MP3 files from their ID3 tags, by the mode and format of ID3Opts.ini",
      G::Id3}},
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
