#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/DirEntry.h"
#include "settings/Choice.h"

namespace nameshift::settings {

// Where a rule puts its text. The counter has only the first two, as "Prepend" and "Append".
// A radio group in which no button is chosen holds no Position at all.
enum class Position { Beginning = 0, End = 1, Replace = 2 };
template <>
inline constexpr int kChoiceCount<Position> = 3;

// Positions of the sort list, which keeps its entries in alphabetical order.
enum class SortKey { Date = 0, Extension = 1, Name = 2, Size = 3 };
template <>
inline constexpr int kChoiceCount<SortKey> = 4;

// Which part of a name the letter-case rules change.
enum class CaseScope { Both = 0, NameOnly = 1, ExtensionOnly = 2 };
template <>
inline constexpr int kChoiceCount<CaseScope> = 3;

// How a file's dates are spelt in a name unless the user chooses otherwise.
inline constexpr std::string_view kDefaultDateFormat = "%Y-%m-%d %H.%M.%S";

// The rule options of the main dialog, as renset.ini keeps them. Strings are bytes.
inline constexpr std::string_view kDefaultHistoryBatches = "100";
inline constexpr std::string_view kDefaultHistoryMebibytes = "50";

struct RenameSettings {
    bool changePrefix = false;
    std::string prefixText;
    std::optional<Position> prefixPosition;

    bool useCounter = false;
    std::optional<Position> counterPosition;
    std::string counterStart;
    std::string counterIncrement;
    int counterDigitsIndex = -1;  // 0..5 for 1..6 digits; -1 when nothing is chosen

    bool changeExtension = false;
    std::string extensionText;
    std::optional<Position> extensionPosition;

    bool removeSpaces = false;
    bool removeBrackets = false;
    bool removeTildes = false;
    bool removeHyphens = false;
    bool removeString = false;
    std::string stringToRemove;
    bool replaceString = false;
    std::string replaceFrom;
    std::string replaceWith;

    bool lowerCase = false;
    bool upperCase = false;
    bool firstLetterUpper = false;

    bool supportId3 = false;

    bool attributeArchive = false;
    bool attributeHidden = false;
    bool attributeReadOnly = false;
    bool attributeSystem = false;
    // Folders are listed and renamed as entries too; renset.ini holds it only while it is set.
    bool attributeFolders = false;

    std::optional<SortKey> sortKey;

    // The rules of the "More rules" group. morerules.ini keeps them, never renset.ini; with each
    // of them at its default every name comes out as the rules above alone make it.
    bool removeRegex = false;  // stringToRemove is a regular expression
    bool removeAllOccurrences = false;
    bool removeMatchCase = true;
    bool replaceRegex = false;  // replaceFrom is a regular expression, replaceWith may use groups
    bool replaceAllOccurrences = false;
    bool replaceMatchCase = true;

    bool insertText = false;
    std::string insertedText;
    std::string insertAt;  // a count of characters, as typed
    bool insertFromEnd = false;

    bool removeCharacters = false;
    std::string removeCount;  // as typed
    std::string removeAt;     // as typed
    bool removeFromEnd = false;

    bool trimEnds = false;  // spaces, dots, underscores and hyphens at both ends of the base name
    bool collapseSpaces = false;

    bool removeAccents = false;
    bool latinOnly = false;  // transliterated to plain ASCII

    CaseScope caseScope = CaseScope::Both;
    bool lowerExtension = false;

    bool continueCounter = false;  // start where the last batch in the folder stopped
    bool naturalOrder = false;     // the name sort takes digit runs by their value
    // The list takes in the files of subfolders too, as many levels down as the digits say (every
    // level when they say none).
    bool includeSubfolders = false;
    std::string subfolderLevels;

    // Regular expressions that the listed files must hold and must not hold, in their names or,
    // holding a "/", in their paths from the folder; empty for none.
    std::string includeFilter;
    std::string excludeFilter;

    // How many levels of subfolders are listed: 0 for none, -1 for every one; levels that are
    // not digits mean every one.
    int subfolderDepth() const {
        if (!includeSubfolders) {
            return 0;
        }
        int levels = 0;
        for (const char digit : subfolderLevels) {
            if (digit < '0' || digit > '9' || levels > 99'999) {
                return -1;
            }
            levels = levels * 10 + (digit - '0');
        }
        return levels > 0 ? levels : -1;
    }

    // The new base name made of text and codes in braces ("{taken:%Y-%m-%d} {n:3}"), before the
    // text rules; empty for none.
    std::string nameTemplate;

    // How "%m", "%b" and "%t" of the tag format spell a file's dates: strftime's codes, a
    // namespace of its own ("%m" here is the month). Empty means kDefaultDateFormat.
    std::string dateFormat = std::string(kDefaultDateFormat);
    // Files the batch would give one name are told apart by " (2)", " (3)" instead of refused.
    bool numberDuplicates = false;

    // How many of the last batches the history keeps, as digits; anything else keeps the default.
    std::string historyBatches = std::string(kDefaultHistoryBatches);
    // How many mebibytes of records the history keeps at most, as digits; anything else keeps the
    // default.
    std::string historyMebibytes = std::string(kDefaultHistoryMebibytes);
    // A batch's undo record is kept only in the history: no restore.dat in its folder.
    bool historyOnly = false;

    // The attribute bits a listed file must carry one of.
    std::uint32_t attributeMask() const {
        return (attributeArchive ? platform::attribute::kArchive : 0) |
               (attributeHidden ? platform::attribute::kHidden : 0) |
               (attributeReadOnly ? platform::attribute::kReadOnly : 0) |
               (attributeSystem ? platform::attribute::kSystem : 0) |
               (attributeFolders ? platform::attribute::kFolder : 0);
    }

    // The values used when renset.ini cannot be read.
    static RenameSettings whenFileMissing();

    bool operator==(const RenameSettings&) const = default;
};

inline RenameSettings RenameSettings::whenFileMissing() {
    RenameSettings settings;
    settings.prefixPosition = Position::Beginning;
    settings.counterPosition = Position::Beginning;
    settings.counterDigitsIndex = 0;
    settings.extensionPosition = Position::Beginning;
    settings.attributeArchive = true;
    settings.attributeHidden = true;
    settings.attributeReadOnly = true;
    settings.attributeSystem = true;
    settings.sortKey = SortKey::Extension;
    return settings;
}

}  // namespace nameshift::settings
