#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "ForwardingFileSystem.h"
#include "platform/PosixFileSystem.h"
#include "settings/ProgramOptions.h"
#include "settings/RenameSettings.h"
#include "settings/TagNamingOptions.h"

namespace nameshift::testing {

// Names each case of a table after its `name` member.
struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        return info.param.name;
    }
};

// The bytes of a hand-written file under tests/settings/golden.
inline std::string goldenText(std::string_view name) {
    std::ifstream in(std::string(NAMESHIFT_SETTINGS_GOLDEN_DIR) + "/" + std::string(name),
                     std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The record of renset-full.ini: every field away from its initial value.
inline settings::RenameSettings fullRenameSettings() {
    settings::RenameSettings s;
    s.changePrefix = true;
    s.prefixText = "Holiday ";
    s.prefixPosition = settings::Position::Replace;
    s.useCounter = true;
    s.counterPosition = settings::Position::End;
    // Not = "5", which GCC 12 at -O3 takes for an overlapping copy (a false -Wrestrict).
    s.counterStart.assign(1, '5');
    s.counterIncrement = "10";
    s.counterDigitsIndex = 2;
    s.changeExtension = true;
    s.extensionText = "jpg";
    s.extensionPosition = settings::Position::End;
    s.removeSpaces = s.removeBrackets = s.removeTildes = s.removeHyphens = true;
    s.removeString = true;
    s.stringToRemove = "copy of ";
    s.replaceString = true;
    s.replaceFrom = "IMG_";
    s.replaceWith = "Photo \xe9t\xe9 ";
    s.lowerCase = s.upperCase = s.firstLetterUpper = true;
    s.supportId3 = true;
    s.attributeArchive = s.attributeHidden = s.attributeReadOnly = s.attributeSystem = true;
    s.sortKey = settings::SortKey::Size;
    return s;
}

// Every field of morerules.ini away from its default.
inline void setEveryMoreRule(settings::RenameSettings& s) {
    s.removeRegex = s.removeAllOccurrences = true;
    s.removeMatchCase = false;
    s.replaceRegex = s.replaceAllOccurrences = true;
    s.replaceMatchCase = false;
    s.insertText = s.insertFromEnd = true;
    s.insertedText = "Disc \xe9 ";
    s.insertAt = "3";
    s.removeCharacters = s.removeFromEnd = true;
    s.removeCount = "12";
    s.removeAt = "4";
    s.trimEnds = s.collapseSpaces = s.removeAccents = s.latinOnly = true;
    s.caseScope = settings::CaseScope::ExtensionOnly;
    s.lowerExtension = true;
    s.counterDigitsIndex = 5;
    s.continueCounter = s.naturalOrder = true;
    s.dateFormat = "%d/%m/%Y";
    s.numberDuplicates = true;
}

// The record of morerules-full.ini: every other field at its default.
inline settings::RenameSettings fullMoreRules() {
    settings::RenameSettings s;
    setEveryMoreRule(s);
    return s;
}

// The full more rules with both filters, which are written only when set, after the rest.
inline settings::RenameSettings moreRulesWithFilters() {
    settings::RenameSettings s = fullMoreRules();
    s.includeFilter = "\\.jpe?g$";
    s.excludeFilter = "^cache/";
    return s;
}

// The record of preset-full.ini: every rule away from its initial value, the digit count beyond
// renset.ini's four. A preset holds no attribute mask and no sort key.
inline settings::RenameSettings fullPreset() {
    settings::RenameSettings s = fullRenameSettings();
    s.attributeArchive = s.attributeHidden = s.attributeReadOnly = s.attributeSystem = false;
    s.sortKey.reset();
    setEveryMoreRule(s);
    return s;
}

// The record of opt-full.ini.
inline settings::ProgramOptions fullProgramOptions() {
    settings::ProgramOptions o;
    o.confirmationOnExit = o.warnOnApply = o.exitAfterApply = o.exitAfterRestore = false;
    o.useStartupDir = true;
    o.startupDirPath = "/srv/photos/2004 trip";
    o.restoreFileUsage = settings::RestoreFileUsage::Ask;
    return o;
}

// The record of id3-full.ini.
inline settings::TagNamingOptions fullId3Options() {
    settings::TagNamingOptions o;
    o.renameMode = settings::Id3RenameMode::WhateverIsThere;
    o.useAdvanced = true;
    o.selectedFrames = {"Artist", "Track Number", "Album Title"};
    o.useSeparators = true;
    o.separator = settings::Id3Separator::Underscore;
    o.advancedFormat = "%6 %2 - %4";
    return o;
}

// A file system whose replacing writes fail: a save that got past the overwrite question.
class FailingReplaceFileSystem final : public ForwardingFileSystem {
public:
    explicit FailingReplaceFileSystem(int error) : error_(error) {}

    platform::Status writeFile(const std::string& path, const platform::FileContents& contents,
                               platform::WriteMode mode) override {
        if (mode == platform::WriteMode::Replace) {
            return platform::Status::fromErrno(error_);
        }
        return real_.writeFile(path, contents, mode);
    }

private:
    int error_;
};

}  // namespace nameshift::testing
