#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "SettingsTestData.h"
#include "settings/Id3OptionsFile.h"
#include "settings/MoreRulesFile.h"
#include "settings/PresetFile.h"
#include "settings/ProgramOptionsFile.h"
#include "settings/RenameSettingsFile.h"

namespace nameshift::settings {
namespace {

// One field of a record and the key of its entry.
template <typename Record>
struct Field {
    std::string_view key;
    std::function<bool(const Record&, const Record&)> same;
};

template <typename Record, typename Member>
Field<Record> field(std::string_view key, Member Record::*member) {
    return {key, [member](const Record& a, const Record& b) { return a.*member == b.*member; }};
}

// The fields of a file's own table.
template <typename Record>
std::vector<Field<Record>> fieldsOf(std::span<const SettingsField<Record>> table) {
    std::vector<Field<Record>> fields;
    for (const SettingsField<Record>& entry : table) {
        fields.push_back({entry.key, [member = entry.member](const Record& a, const Record& b) {
                              return std::visit([&](auto m) { return a.*m == b.*m; }, member);
                          }});
    }
    return fields;
}

// Where the value of `key` ends in the uncut text: its line end, or the end of the file.
std::size_t valueEnd(const std::string& text, std::string_view key) {
    const std::size_t start = text.find(key) + key.size() + 2;
    return std::min(text.find("\r\n", start), text.size());
}

// Reads the text cut at every byte offset, each cut in a buffer of exactly its size so that the
// sanitizers catch a read past its end. A field whose value is wholly inside the cut reads as in
// the whole file; any other field keeps the value it started with. `start` is chosen so that a
// value read only in part gives the same as no value at all.
template <typename Record>
void expectEveryCutReadsItsWholeEntries(const std::string& text, const Record& start,
                                        const Record& whole,
                                        const std::function<Record(std::string_view)>& parse,
                                        const std::vector<Field<Record>>& fields) {
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        const auto buffer = std::make_unique<char[]>(cut == 0 ? 1 : cut);
        std::copy_n(text.data(), cut, buffer.get());
        const Record read = parse(std::string_view(buffer.get(), cut));
        for (const Field<Record>& f : fields) {
            const bool complete = cut >= valueEnd(text, f.key);
            ASSERT_TRUE(f.same(read, complete ? whole : start))
                << "cut at " << cut << ", " << f.key << (complete ? " complete" : " partial");
        }
    }
}

TEST(TruncatedFileTest, RenameSettings) {
    using R = RenameSettings;
    const std::vector<Field<R>> fields = fieldsOf(renameSettingsFields());
    expectEveryCutReadsItsWholeEntries<R>(
        testing::goldenText("renset-full.ini"), R{}, testing::fullRenameSettings(),
        [](std::string_view text) { return parseRenameSettings(text, R{}); }, fields);
}

TEST(TruncatedFileTest, MoreRules) {
    using R = RenameSettings;
    // The cases are flipped where a value cut short reads as the one the whole text holds.
    R start;
    start.removeMatchCase = start.replaceMatchCase = false;
    R whole = testing::fullMoreRules();
    whole.removeMatchCase = whole.replaceMatchCase = true;
    expectEveryCutReadsItsWholeEntries<R>(
        formatMoreRules(whole), start, whole,
        [&](std::string_view text) { return parseMoreRules(text, start); },
        fieldsOf(moreRulesFields()));
}

TEST(TruncatedFileTest, Preset) {
    using R = RenameSettings;
    // A cut "FALSE" reads as false, as the whole one does.
    R start;
    start.removeMatchCase = start.replaceMatchCase = false;
    // Two entries spell the counter's width, each cut as its own file's tests cut it.
    std::vector<Field<R>> fields = fieldsOf(PresetFile::tableFields());
    std::erase_if(fields,
                  [](const Field<R>& f) { return f.key.starts_with("-= Number Of Digits"); });
    expectEveryCutReadsItsWholeEntries<R>(
        testing::goldenText("preset-full.ini"), start, testing::fullPreset(),
        [&](std::string_view text) { return PresetFile::parse(text, start); }, fields);
}

TEST(TruncatedFileTest, ProgramOptions) {
    using O = ProgramOptions;
    O start;
    start.confirmationOnExit = start.warnOnApply = false;
    start.exitAfterApply = start.exitAfterRestore = false;
    O whole;
    whole.useStartupDir = true;
    whole.startupDirPath = "/srv/photos";
    whole.restoreFileUsage = RestoreFileUsage::None;
    const std::vector<Field<O>> fields = fieldsOf(programOptionsFields());
    expectEveryCutReadsItsWholeEntries<O>(
        formatProgramOptions(whole), start, whole,
        [&](std::string_view text) { return parseProgramOptions(text, start); }, fields);
}

TEST(TruncatedFileTest, Id3OptionsForTheDialog) {
    using S = TagNamingDialogState;
    const std::vector<Field<S>> fields = {
        field("-= Only Rename w/ID3 Tags/Use Alt Renaming Options =-", &S::renameMode),
        field("-= Use Basic/Advanced ID3 Options =-", &S::useAdvanced),
        field("-= Basic Options Format =-", &S::selectedFrames),
        field("-= Basic Options Format =-", &S::availableFrames),
        field("-= Use Separators =-", &S::useSeparators),
        field("-= Use Spaces/Hyphens/Underscores =-", &S::separator),
        field("-= Format Prefix String =-", &S::advancedFormat),
    };
    expectEveryCutReadsItsWholeEntries<S>(
        testing::goldenText("id3-full.ini"), parseTagNamingDialogState(""),
        S::fromOptions(testing::fullId3Options()), parseTagNamingDialogState, fields);
}

TEST(TruncatedFileTest, Id3OptionsForTheMainDialog) {
    using N = Id3Naming;
    const std::vector<Field<N>> fields = {
        field("-= Only Rename w/ID3 Tags/Use Alt Renaming Options =-", &N::renameMode),
        field("-= Format Prefix String =-", &N::format),
    };
    expectEveryCutReadsItsWholeEntries<N>(testing::goldenText("id3-full.ini"), N{},
                                          N{Id3RenameMode::WhateverIsThere, "%6 %2 - %4"},
                                          parseId3Naming, fields);
}

}  // namespace
}  // namespace nameshift::settings
