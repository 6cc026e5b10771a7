#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "SettingsTestData.h"
#include "TempDir.h"
#include "settings/Id3OptionsFile.h"
#include "settings/ProgramOptionsFile.h"
#include "settings/RenameSettingsFile.h"
#include "settings/SettingsFileAccess.h"

namespace nameshift::settings {
namespace {

enum class Loaded { TheFile, TheDefaults, Neither };

using Loader =
    std::function<Loaded(platform::FileSystem&, platform::MessageBox&, const std::string& path)>;

template <typename Record>
Loaded whichOf(const Record& read, const Record& file, const Record& defaults) {
    if (read == file) {
        return Loaded::TheFile;
    }
    return read == defaults ? Loaded::TheDefaults : Loaded::Neither;
}

struct OversizedCase {
    std::string name;
    std::string fileName;
    std::string goldenName;
    Loader load;
    std::string message;
};

class OversizedFileTest : public ::testing::TestWithParam<OversizedCase> {
protected:
    // The golden file, then blank lines that change nothing for the reader, up to `size` bytes.
    void writePadded(std::size_t size) const {
        std::string text = testing::goldenText(GetParam().goldenName) + "\r\n";
        text.resize(size, ' ');
        dir.write(GetParam().fileName, text);
    }
    Loaded load() { return GetParam().load(fs, messages, dir.file(GetParam().fileName)); }

    testing::TempDir dir;
    testing::FaultyFileSystem fs;
    testing::ScriptedMessageBox messages;
};

// A settings file is read whole up to its size limit; one byte more and it is not read at all,
// as if it could not be opened: its message, then the defaults.
TEST_P(OversizedFileTest, ALimitSizedFileLoadsAndAByteMoreGivesTheDefaults) {
    writePadded(kSettingsFileMaxBytes);
    EXPECT_EQ(load(), Loaded::TheFile);
    EXPECT_TRUE(messages.shown.empty());

    writePadded(kSettingsFileMaxBytes + 1);
    EXPECT_EQ(load(), Loaded::TheDefaults);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{GetParam().message});
}

INSTANTIATE_TEST_SUITE_P(
    Files, OversizedFileTest,
    ::testing::Values(
        OversizedCase{
            "RenameSettings", "renset.ini", "renset-full.ini",
            [](platform::FileSystem& fs, platform::MessageBox& messages, const std::string& path) {
                return whichOf(loadRenameSettings(fs, messages, path, {}),
                               testing::fullRenameSettings(), RenameSettings::whenFileMissing());
            },
            "An error occurred. Possible error: \"renset.ini\" file doesn't exist?\n"
            "Using default settings instead."},
        OversizedCase{
            "ProgramOptions", "opt.ini", "opt-full.ini",
            [](platform::FileSystem& fs, platform::MessageBox& messages, const std::string& path) {
                return whichOf(loadProgramOptions(fs, messages, path, {}),
                               testing::fullProgramOptions(), ProgramOptions{});
            },
            "An error occurred. Possible error: \"opt.ini\" file doesn't exist?\n"
            "Using default options instead."},
        OversizedCase{
            "Id3Naming", "ID3Opts.ini", "id3-full.ini",
            [](platform::FileSystem& fs, platform::MessageBox& messages, const std::string& path) {
                return whichOf(loadId3Naming(fs, messages, path),
                               Id3Naming{Id3RenameMode::WhateverIsThere, "%6 %2 - %4"},
                               Id3Naming{});
            },
            "An error occurred. Possible error: \"ID3Opts.ini\" file doesn't exist?\n"
            "Using default ID3 options instead."},
        OversizedCase{
            "Id3Dialog", "ID3Opts.ini", "id3-full.ini",
            [](platform::FileSystem& fs, platform::MessageBox& messages, const std::string& path) {
                return whichOf(loadId3Options(fs, messages, path),
                               TagNamingDialogState::fromOptions(testing::fullId3Options()),
                               TagNamingDialogState::fromOptions(TagNamingOptions{}));
            },
            "An error occurred. Possible error: \"ID3Opts.ini\" file doesn't exist?\n"
            "Using default ID3 options instead."}),
    testing::CaseName());

}  // namespace
}  // namespace nameshift::settings
