#include "engine/commands/PreviewCommand.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ApplyTestSession.h"
#include "FaultyFileSystem.h"
#include "Id3Bytes.h"
#include "ScriptedMessageBox.h"
#include "TempDir.h"
#include "engine/contents/TagLibTagReader.h"

namespace nameshift::engine {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

class PreviewCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write("b.mp3", testing::id3::id3v2Tag(3, {{"TPE1", "Beta"}, {"TIT2", "Two/Three"}}));
        dir.write("a.mp3",
                  testing::id3::id3v2Tag(4, {{"TPE1", "Alpha", testing::id3::Encoding::Utf8},
                                             {"TIT2", "One", testing::id3::Encoding::Utf8}}));
        dir.write("c.txt", "not audio");
        before = snapshot();
        session.directory = dir.path();
        session.fileList.setAttributeMask(platform::attribute::kArchive);
        session.fileList.setSortKey(settings::SortKey::Name);
        ASSERT_TRUE(session.fileList.fill(dir.path()));
        ASSERT_EQ(session.fileList.rowCount(), 3u);
    }

    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> files;
        for (const std::string& name : dir.names()) {
            files[name] = dir.read(name);
        }
        return files;
    }

    void tickAll() { session.fileList.selectAll(true); }
    bool preview(RenameSession& of, engine::PreviewDisplay& shownIn) {
        return testing::previewShown(of, shownIn, messages);
    }

    void expectNothingChanged() { EXPECT_EQ(snapshot(), before); }

    testing::TempDir dir;
    testing::FaultyFileSystem fs;
    testing::ScriptedMessageBox messages;
    TagLibTagReader tags;
    RenameSession session{fs, tags};
    testing::RecordingDisplay display;
    std::map<std::string, std::string> before;
};

TEST_F(PreviewCommandTest, ShowsTheRulePairsOnceAndKeepsTheTicks) {
    session.fileList.setTicked(0, true);
    session.fileList.setTicked(2, true);
    session.rules.upperCase = true;
    ASSERT_TRUE(preview(session, display));
    EXPECT_EQ(display.pairs, (Pairs{{"a.mp3", "A.MP3"}, {"c.txt", "C.TXT"}}));
    EXPECT_EQ(display.shown, 1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(session.fileList.isTicked(0));
    EXPECT_FALSE(session.fileList.isTicked(1));
    EXPECT_TRUE(session.fileList.isTicked(2));
    expectNothingChanged();
}

TEST_F(PreviewCommandTest, NamesFromTagsInTheSessionDirectory) {
    tickAll();
    session.rules.supportId3 = true;
    session.rules.upperCase = true;
    session.id3 = {settings::Id3RenameMode::AllOrRules, "%2 - %4"};
    // The files are found through the session's directory, not the process's.
    ASSERT_EQ(::chdir("/"), 0);
    ASSERT_TRUE(preview(session, display));
    EXPECT_EQ(display.pairs, (Pairs{{"a.mp3", "Alpha - One.MP3"},
                                    {"b.mp3", "Beta - Two-Three.MP3"},
                                    {"c.txt", "C.TXT"}}));
    EXPECT_EQ(display.shown, 1);
    expectNothingChanged();
}

TEST_F(PreviewCommandTest, IdThreeWithoutFormatIsRefused) {
    tickAll();
    session.rules.supportId3 = true;
    session.id3.format.clear();
    EXPECT_FALSE(preview(session, display));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "You have not specified any ID3 options");
    EXPECT_EQ(messages.shown[0].caption, "No options specified");
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Stop);
    EXPECT_EQ(messages.shown[0].buttons, platform::Buttons::Ok);
    EXPECT_EQ(display.shown, 0);
    EXPECT_TRUE(display.pairs.empty());
    EXPECT_EQ(session.fileList.tickedCount(), 3u);
    expectNothingChanged();
}

TEST_F(PreviewCommandTest, EmptyFormatMattersOnlyWithIdThreeSupport) {
    tickAll();
    session.id3.format.clear();
    EXPECT_TRUE(preview(session, display));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(display.pairs.size(), 3u);
}

TEST_F(PreviewCommandTest, NothingTickedShowsNoDisplay) {
    session.rules.supportId3 = true;
    session.id3.format.clear();
    EXPECT_FALSE(preview(session, display));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "Nothing to preview. You must select at least one file first.");
    EXPECT_EQ(display.shown, 0);
    expectNothingChanged();
}

TEST_F(PreviewCommandTest, RefusedBatchIsShownWithItsRefusalAndMarkers) {
    tickAll();
    session.rules.changePrefix = true;
    session.rules.prefixText = "same";
    session.rules.prefixPosition = settings::Position::Replace;
    EXPECT_FALSE(preview(session, display));
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_TRUE(display.refusal);
    EXPECT_EQ(display.refusal->text, "Duplicate filenames found! Cannot continue.");
    EXPECT_EQ(display.pairs,
              (Pairs{{"a.mp3", "same.mp3"}, {"b.mp3", "same.mp3"}, {"c.txt", "same.txt"}}));
    EXPECT_EQ(display.problems,
              (std::vector<std::string>{"Duplicate filenames found! Cannot continue.",
                                        "Duplicate filenames found! Cannot continue.", ""}));
    EXPECT_EQ(display.shown, 1);
    expectNothingChanged();
}

TEST_F(PreviewCommandTest, RuleRefusalShowsNoDisplay) {
    tickAll();
    session.rules.changePrefix = true;
    EXPECT_FALSE(preview(session, display));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "No Prefix Specified!");
    EXPECT_EQ(display.shown, 0);
    expectNothingChanged();
}

}  // namespace
}  // namespace nameshift::engine
