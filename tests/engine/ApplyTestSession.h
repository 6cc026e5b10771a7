#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TempDir.h"
#include "engine/batch/BatchProgress.h"
#include "engine/batch/CommandReport.h"
#include "engine/batch/RenameSession.h"
#include "engine/commands/ApplyCommand.h"
#include "engine/commands/PreviewCommand.h"
#include "engine/commands/PreviewDisplay.h"
#include "engine/commands/RestoreCommand.h"
#include "engine/commands/RestoreFilePicker.h"
#include "engine/contents/TagReader.h"
#include "platform/DirEntry.h"
#include "ui/MessageBoxQuestions.h"

namespace nameshift::testing {

using engine::BatchProgress;
using engine::RenameSession;
using engine::RestoreFilePicker;
using engine::TagReader;
using engine::TagTexts;

// The preview as the window runs it: what its report says is shown. Whether apply would go ahead.
inline bool previewShown(RenameSession& session, engine::PreviewDisplay& display,
                         platform::MessageBox& messages) {
    const engine::CommandReport report = engine::preview(session, display);
    engine::showReport(messages, report);
    return report.outcome == engine::CommandOutcome::Done;
}

// What a preview showed: the refusal, each pair and its problem.
class RecordingDisplay final : public engine::PreviewDisplay {
public:
    using PreviewDisplay::addPair;
    void showRefusal(const platform::Message& message) override {
        EXPECT_TRUE(pairs.empty()) << "the refusal came after the pairs";
        refusal = message;
    }
    void addPair(std::string_view oldName, std::string_view newName,
                 const platform::MessageText* problem) override {
        EXPECT_EQ(shown, 0) << "a pair came after the display was shown";
        pairs.emplace_back(oldName, newName);
        problems.push_back(problem != nullptr ? problem->filled() : std::string());
    }
    void show() override { ++shown; }

    std::vector<std::pair<std::string, std::string>> pairs;
    std::vector<std::string> problems;
    std::optional<platform::Message> refusal;
    int shown = 0;
};

// Tags looked up by file name; any other file has none.
class FakeTagReader final : public TagReader {
public:
    TagTexts read(const std::string& path) override {
        const auto slash = path.rfind('/');
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        for (const auto& [file, texts] : tags) {
            if (file == name) {
                return texts;
            }
        }
        return {};
    }
    std::optional<std::tm> taken(const std::string& path) override {
        for (const auto& [file, date] : takenDates) {
            if (path.ends_with("/" + file)) {
                return date;
            }
        }
        return std::nullopt;
    }
    // The copy only reads what was set up before it was made.
    std::unique_ptr<TagReader> clone() const override {
        return std::make_unique<FakeTagReader>(*this);
    }
    std::vector<std::pair<std::string, TagTexts>> tags;
    std::vector<std::pair<std::string, std::tm>> takenDates;
};

class ScriptedPicker final : public RestoreFilePicker {
public:
    std::optional<std::string> chooseRestoreFile(const std::string& initialDirectory) override {
        offeredDirectory = initialDirectory;
        return choice;
    }
    std::optional<std::string> choice;
    std::optional<std::string> offeredDirectory;
};

// Says stop once `stopAfter` renames are done.
class ScriptedProgress final : public BatchProgress {
public:
    void start(std::size_t count) override { total = count; }
    bool advance(std::size_t done) override {
        lastDone = done;
        return done < stopAfter;
    }
    void finish() override { finished = true; }

    std::size_t stopAfter = static_cast<std::size_t>(-1);
    std::size_t total = 0;
    std::size_t lastDone = 0;
    bool finished = false;
};

// A session over a fresh directory with the options that keep a test quiet: no warning, no exit,
// restore files written without asking.
class ApplySessionTest : public ::testing::Test {
protected:
    ApplySessionTest() {
        session.directory = dir.path();
        session.stateDirectory = state.path();
        session.options.warnOnApply = false;
        session.options.exitAfterApply = false;
        session.options.exitAfterRestore = false;
        session.fileList.setAttributeMask(platform::attribute::kArchive);
        session.fileList.setSortKey(settings::SortKey::Name);
    }

    // Lists the directory and ticks the named files.
    void tick(const std::vector<std::string>& names) {
        ASSERT_TRUE(session.fileList.fill(session.directory));
        for (const std::string& name : names) {
            bool found = false;
            for (std::size_t row = 0; row < session.fileList.rowCount(); ++row) {
                if (session.fileList.row(row).name == name) {
                    session.fileList.setTicked(row, true);
                    found = true;
                }
            }
            ASSERT_TRUE(found) << name;
        }
    }
    void tickAll() {
        ASSERT_TRUE(session.fileList.fill(session.directory));
        session.fileList.selectAll(true);
    }
    void usePrefix(const std::string& text,
                   settings::Position where = settings::Position::Beginning) {
        session.rules.changePrefix = true;
        session.rules.prefixText = text;
        session.rules.prefixPosition = where;
    }
    // A counter at the end of each name, one digit, counting up by one from `start`.
    void useCounter(const std::string& start) {
        session.rules.useCounter = true;
        session.rules.counterPosition = settings::Position::End;
        session.rules.counterStart = start;
        session.rules.counterIncrement = "1";
        session.rules.counterDigitsIndex = 0;
    }
    // The commands as the window runs them: the questions in message boxes, the report shown, the
    // list filled again as it says.
    engine::CommandOutcome applyChanges(RenameSession& of, BatchProgress* progress = nullptr) {
        ui::MessageBoxQuestions questions(messages);
        return concluded(of, engine::applyChanges(of, questions, progress));
    }
    engine::CommandOutcome restoreFilenames(RenameSession& of, RestoreFilePicker& picker,
                                            BatchProgress* progress = nullptr) {
        return concluded(of, engine::restoreFilenames(of, picker, progress));
    }
    bool preview(RenameSession& of, engine::PreviewDisplay& display) {
        return previewShown(of, display, messages);
    }
    engine::CommandOutcome concluded(RenameSession& of, const engine::CommandReport& report) {
        engine::showReport(messages, report);
        lastBatch = report.batch;
        if (report.refill == engine::Refill::Whole) {
            of.fileList.fill(of.directory);
        } else if (report.refill == engine::Refill::KeepingMask) {
            of.fileList.applyFileMask(of.directory);
        }
        return report.outcome;
    }

    std::vector<std::string> captions() const {
        std::vector<std::string> result;
        for (const platform::Message& message : messages.shown) {
            result.push_back(message.caption);
        }
        return result;
    }

    TempDir dir;
    TempDir state;  // where batches keep their locks and journals
    FaultyFileSystem fs;
    ScriptedMessageBox messages;
    FakeTagReader tags;
    RenameSession session{fs, tags};
    engine::BatchReport lastBatch;
};

}  // namespace nameshift::testing
