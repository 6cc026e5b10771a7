#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "ApplyTestSession.h"
#include "engine/batch/IncrementalPlan.h"
#include "engine/commands/ApplyCommand.h"
#include "engine/commands/RestoreCommand.h"
#include "engine/naming/BatchPlan.h"
#include "engine/records/RestoreFile.h"

namespace nameshift::engine {
namespace {

using Contents = std::map<std::string, std::string>;

// Short pieces, so that random names and rules often meet: spaces, the characters the removal
// rules strip, letters of both cases, UTF-8 and bytes that are not UTF-8.
const std::vector<std::string> kPieces = {
    "a",    "b",   "A", "B", " ",        ".",        "-",
    "[",    "]",   "~", "1", "\xc3\xa9", "\xc3\x89", "\xe6\x97\xa5",
    "\xff", "\xc3"};

class RandomBatch {
public:
    explicit RandomBatch(std::mt19937& random) : random_(random) {}

    std::string text(int maxPieces) {
        std::string result;
        const int count = between(1, maxPieces);
        for (int i = 0; i < count; ++i) {
            result += kPieces[static_cast<std::size_t>(between(0, int(kPieces.size()) - 1))];
        }
        return result;
    }
    bool chance(int percent) { return between(0, 99) < percent; }
    int between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }

    settings::RenameSettings rules() {
        settings::RenameSettings rules;
        rules.changePrefix = chance(40);
        rules.prefixText = text(2);
        rules.prefixPosition = settings::choiceAt<settings::Position>(between(0, 2));
        rules.useCounter = chance(25);
        rules.counterStart = std::to_string(between(0, 3));
        rules.counterIncrement = std::to_string(between(0, 2));
        rules.counterPosition = settings::choiceAt<settings::Position>(between(0, 1));
        rules.counterDigitsIndex = between(0, 3);
        rules.changeExtension = chance(25);
        rules.extensionText = text(2);
        rules.extensionPosition = settings::choiceAt<settings::Position>(between(0, 2));
        rules.removeSpaces = chance(20);
        rules.removeBrackets = chance(20);
        rules.removeTildes = chance(20);
        rules.removeHyphens = chance(20);
        rules.removeString = chance(20);
        rules.stringToRemove = text(2);
        rules.replaceString = chance(20);
        rules.replaceFrom = text(2);
        rules.replaceWith = text(2);
        rules.lowerCase = chance(20);
        rules.upperCase = chance(20);
        rules.firstLetterUpper = chance(20);
        return rules;
    }

private:
    std::mt19937& random_;
};

class ApplyRestorePropertyTest : public testing::ApplySessionTest {
protected:
    Contents contents() const {
        Contents result;
        for (const std::string& name : dir.names()) {
            if (name != kRestoreFileName) {
                result[name] = dir.read(name);
            }
        }
        return result;
    }
    static std::multiset<std::string> values(const Contents& files) {
        std::multiset<std::string> result;
        for (const auto& [name, data] : files) {
            result.insert(data);
        }
        return result;
    }
};

TEST_F(ApplyRestorePropertyTest, ApplyThenRestoreLosesNothingAndPutsEveryNameBack) {
    std::mt19937 random(20240611);
    RandomBatch batch(random);
    int renamedBatches = 0;
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        for (const std::string& name : dir.names()) {
            std::remove(dir.file(name).c_str());
        }
        const int fileCount = batch.between(1, 30);
        for (int i = 0; i < fileCount; ++i) {
            std::string name = batch.text(4);
            if (name != "." && name != ".." && !dir.exists(name)) {
                dir.write(name, "contents of " + std::to_string(i) + " " + name);
            }
        }
        const Contents original = contents();

        ASSERT_TRUE(session.fileList.fill(session.directory));
        for (std::size_t row = 0; row < session.fileList.rowCount(); ++row) {
            session.fileList.setTicked(row, batch.chance(70));
        }
        if (session.fileList.tickedCount() == 0) {
            session.fileList.setTicked(0, true);
        }
        session.rules = batch.rules();
        messages.shown.clear();

        const CommandOutcome applied = applyChanges(session);
        const Contents afterApply = contents();
        ASSERT_EQ(afterApply.size(), original.size());
        ASSERT_EQ(values(afterApply), values(original));
        if (applied == CommandOutcome::Refused) {
            ASSERT_EQ(afterApply, original);
            ASSERT_FALSE(dir.exists(kRestoreFileName));
            continue;
        }
        ASSERT_EQ(applied, CommandOutcome::Done);
        // A batch that moved no file leaves nothing to undo and no restore file.
        ASSERT_EQ(dir.exists(kRestoreFileName), afterApply != original);
        if (afterApply == original) {
            continue;
        }
        ++renamedBatches;

        testing::ScriptedPicker picker;
        picker.choice = dir.file(kRestoreFileName);
        messages.shown.clear();
        ASSERT_EQ(restoreFilenames(session, picker), CommandOutcome::Done);
        EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Filename(s) Restored"}));
        ASSERT_EQ(contents(), original);
        ASSERT_FALSE(dir.exists(kRestoreFileName));
    }
    EXPECT_GT(renamedBatches, 40) << "the random batches must mostly rename something";
}

// Files "f1".."fN" with distinct sizes, sorted by size and renamed by a counter to "f1", "f2", ...:
// every batch is a random permutation of chains and cycles, and the unticked files hold names the
// batch wants. Each file ends at the name the preview showed or is listed as failed, nothing is
// replaced or left under a temporary name, and the restore puts every name back.
TEST_F(ApplyRestorePropertyTest, PermutationsEndAsPreviewedOrListedAndRestoreExactly) {
    std::mt19937 random(20261209);
    RandomBatch batch(random);
    session.fileList.setSortKey(settings::SortKey::Size);
    usePrefix("f", settings::Position::Replace);
    useCounter("1");
    int blockedBatches = 0;
    for (int round = 0; round < 120; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        for (const std::string& name : dir.names()) {
            std::remove(dir.file(name).c_str());
        }
        const int fileCount = batch.between(2, 14);
        std::vector<int> numbers(static_cast<std::size_t>(fileCount + 3));
        std::iota(numbers.begin(), numbers.end(), 1);
        std::shuffle(numbers.begin(), numbers.end(), random);
        for (int i = 0; i < fileCount; ++i) {
            // Sizes 1..fileCount in the shuffled order make the counter's order a permutation.
            dir.write("f" + std::to_string(numbers[static_cast<std::size_t>(i)]),
                      std::string(static_cast<std::size_t>(i + 1), char('a' + i)));
        }
        const Contents original = contents();
        ASSERT_TRUE(session.fileList.fill(session.directory));
        for (std::size_t row = 0; row < session.fileList.rowCount(); ++row) {
            session.fileList.setTicked(row, batch.chance(80));
        }
        if (session.fileList.tickedCount() == 0) {
            session.fileList.setTicked(0, true);
        }
        session.rules.counterStart = std::to_string(batch.between(1, 3));
        const BatchPlan plan = planBatch(session, {});
        messages.shown.clear();
        if (plan.refusal) {
            // Only an unticked file holding a new name refuses, and then nothing is renamed.
            ASSERT_EQ(plan.refusal->caption, "Duplicate Filenames");
            ASSERT_EQ(applyChanges(session), CommandOutcome::Refused);
            ASSERT_EQ(contents(), original);
            ++blockedBatches;
            continue;
        }

        ASSERT_EQ(applyChanges(session), CommandOutcome::Done);
        const Contents afterApply = contents();
        ASSERT_EQ(values(afterApply), values(original)) << "no file lost, none replaced";
        const std::string errors =
            messages.shown.size() > 1 && messages.shown[0].caption == "Rename Errors"
                ? messages.shown[0].text
                : "";
        // A change must fail only when an unticked file holds its new name, or when it waits on
        // a change that fails: the batch's own names never block it.
        std::map<std::string, const PlannedChange*> movedFrom;
        for (const PlannedChange& change : plan.changes) {
            movedFrom[std::string(change.oldName)] = &change;
        }
        const auto blocked = [&](const PlannedChange& change) {
            const PlannedChange* step = &change;
            for (std::size_t hops = 0; hops <= plan.changes.size(); ++hops) {
                if (step->newName == step->oldName || !original.count(step->newName)) {
                    return false;
                }
                const auto holder = movedFrom.find(step->newName);
                if (holder == movedFrom.end()) {
                    return true;
                }
                step = holder->second;
            }
            return false;  // a cycle of the batch's own files
        };
        std::size_t failed = 0;
        for (const PlannedChange& change : plan.changes) {
            const std::string& data = original.at(std::string(change.oldName));
            const auto renamed = afterApply.find(change.newName);
            if (renamed != afterApply.end() && renamed->second == data) {
                EXPECT_FALSE(blocked(change)) << change.oldName << " -> " << change.newName;
                continue;
            }
            ++failed;
            EXPECT_TRUE(blocked(change)) << change.oldName << " -> " << change.newName;
            EXPECT_EQ(afterApply.at(std::string(change.oldName)), data);
            EXPECT_NE(errors.find("\"" + std::string(change.oldName) + "\" to \"" + change.newName +
                                  "\""),
                      std::string::npos)
                << change.oldName << " -> " << change.newName << " is neither done nor listed";
        }
        EXPECT_EQ(failed, lastBatch.failed);
        blockedBatches += failed > 0;
        if (afterApply == original) {
            continue;
        }

        testing::ScriptedPicker picker;
        picker.choice = dir.file(kRestoreFileName);
        messages.shown.clear();
        ASSERT_EQ(restoreFilenames(session, picker), CommandOutcome::Done);
        ASSERT_EQ(contents(), original);
    }
    EXPECT_GT(blockedBatches, 10) << "unticked files must often hold a wanted name";
}

}  // namespace
}  // namespace nameshift::engine
