#pragma once

#include <cstdint>
#include <string>

#include "platform/DirEntry.h"

namespace nameshift::settings {

// A three-way choice; kNone is a radio group in which no button is chosen.
namespace position {
inline constexpr int kNone = -1;
inline constexpr int kBeginning = 0;  // also "Prepend" for the counter
inline constexpr int kEnd = 1;        // also "Append" for the counter
inline constexpr int kReplace = 2;
}  // namespace position

// Positions of the sort list, which keeps its entries in alphabetical order.
enum class SortKey { Date = 0, Extension = 1, Name = 2, Size = 3 };

// The rule options of the main dialog, as renset.ini keeps them. Strings are bytes.
struct RenameSettings {
    bool changePrefix = false;
    std::string prefixText;
    int prefixPosition = position::kNone;

    bool useCounter = false;
    int counterPosition = position::kNone;
    std::string counterStart;
    std::string counterIncrement;
    int counterDigitsIndex = -1;  // 0..3 for 1..4 digits; -1 when nothing is chosen

    bool changeExtension = false;
    std::string extensionText;
    int extensionPosition = position::kNone;

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

    int sortIndex = -1;  // a SortKey, or -1 when nothing is chosen

    // The attribute bits a listed file must carry one of.
    std::uint32_t attributeMask() const {
        return (attributeArchive ? platform::attribute::kArchive : 0) |
               (attributeHidden ? platform::attribute::kHidden : 0) |
               (attributeReadOnly ? platform::attribute::kReadOnly : 0) |
               (attributeSystem ? platform::attribute::kSystem : 0);
    }

    // The values used when renset.ini cannot be read.
    static RenameSettings whenFileMissing();

    bool operator==(const RenameSettings&) const = default;
};

inline RenameSettings RenameSettings::whenFileMissing() {
    RenameSettings settings;
    settings.prefixPosition = position::kBeginning;
    settings.counterPosition = position::kBeginning;
    settings.counterDigitsIndex = 0;
    settings.extensionPosition = position::kBeginning;
    settings.attributeArchive = true;
    settings.attributeHidden = true;
    settings.attributeReadOnly = true;
    settings.attributeSystem = true;
    settings.sortIndex = static_cast<int>(SortKey::Extension);
    return settings;
}

}  // namespace nameshift::settings
