#include "settings/MoreRuleFields.h"

#include <array>

namespace nameshift::settings {
namespace {

using R = RenameSettings;
using K = FieldKind;

// Keyed as renset.ini keys its rules. The texts given as counts keep what was typed, so a file
// holds whatever the edits held.
constexpr std::array<SettingsField<R>, 21> kFields = {{
    {"-= Regular Expression In Remove =-", &R::removeRegex, K::Boolean, "removeRegex"},
    {"-= Remove All Occurrences =-", &R::removeAllOccurrences, K::Boolean, "removeAll"},
    {"-= Remove Match Case =-", &R::removeMatchCase, K::Boolean, "removeMatchCase"},
    {"-= Regular Expression In Replace =-", &R::replaceRegex, K::Boolean, "replaceRegex"},
    {"-= Replace All Occurrences =-", &R::replaceAllOccurrences, K::Boolean, "replaceAll"},
    {"-= Replace Match Case =-", &R::replaceMatchCase, K::Boolean, "replaceMatchCase"},
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
     NS_MESSAGE("Message", "The removal position")},
    {"-= Remove Counting From End =-", &R::removeFromEnd, K::Boolean, "removeFromEnd"},
    {"-= Trim Both Ends =-", &R::trimEnds, K::Boolean, "trimEnds"},
    {"-= Collapse Spaces =-", &R::collapseSpaces, K::Boolean, "collapseSpaces"},
    {"-= Remove Accents =-", &R::removeAccents, K::Boolean, "removeAccents"},
    {"-= Plain ASCII Only =-", &R::latinOnly, K::Boolean, "latinOnly"},
    {"-= Lower Case Extension =-", &R::lowerExtension, K::Boolean, "lowerExtension"},
    {"-= Continue Counter =-", &R::continueCounter, K::Boolean, "continueCounter"},
    {"-= Natural Sort Order =-", &R::naturalOrder, K::Boolean, "naturalOrder"},
}};
static_assert(everyKindFits<R>(kFields));

}  // namespace

std::span<const SettingsField<RenameSettings>> moreRuleFields() {
    return kFields;
}

}  // namespace nameshift::settings
