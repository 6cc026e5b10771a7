#include "engine/batch/BatchPlanner.h"
#include "engine/batch/IncrementalPlan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ApplyTestSession.h"
#include "engine/naming/BatchPlan.h"
#include "engine/naming/TagPrefetcher.h"

namespace nameshift::engine {
namespace {

using Names = std::vector<std::string>;
using Shown = std::vector<std::pair<std::string, std::string>>;  // new name, problem

const std::string kDuplicate = "Duplicate filenames found! Cannot continue.";

struct PlanCase {
    const char* label;
    Names files;
    Names ticked;
    void (*configure)(RenameSession&, testing::FakeTagReader&);
    Shown expected;  // per ticked file, in list order
};

// The orders a window plans in: all at once, the rows in view first and the rest in runs, the
// rest as far as another thread has read their tags.
enum class Order { AllAtOnce, MiddleRowsThenOneByOne, LastRowThenPairs, LastRowThenReadAhead };

std::string caseName(const ::testing::TestParamInfo<std::tuple<PlanCase, Order>>& info) {
    static const char* const kOrders[] = {"AllAtOnce", "MiddleRowsThenOneByOne", "LastRowThenPairs",
                                          "LastRowThenReadAhead"};
    return std::string(std::get<0>(info.param).label) +
           kOrders[static_cast<int>(std::get<1>(info.param))];
}

class IncrementalPlanTest : public testing::ApplySessionTest,
                            public ::testing::WithParamInterface<std::tuple<PlanCase, Order>> {};

TEST_P(IncrementalPlanTest, GivesTheBatchPlansNamesAndProblemsInAnyOrder) {
    const auto& [test, order] = GetParam();
    for (const std::string& name : test.files) {
        dir.write(name, name);
    }
    test.configure(session, tags);
    tick(test.ticked);
    IncrementalPlan plan(session, true);
    ASSERT_TRUE(plan.makesNames());
    const std::size_t rows = session.fileList.rowCount();
    switch (order) {
        case Order::AllAtOnce:
            plan.planMore(plan.size());
            break;
        case Order::MiddleRowsThenOneByOne:
            plan.planRows(1, rows - 1);
            while (!plan.complete()) {
                plan.planMore(1);
            }
            break;
        case Order::LastRowThenPairs:
            plan.planRows(rows - 1, rows);
            while (!plan.complete()) {
                plan.planMore(2);
            }
            break;
        case Order::LastRowThenReadAhead: {
            TagPrefetcher prefetcher(std::make_unique<testing::FakeTagReader>(tags),
                                     [](std::uint64_t) {});
            if (plan.readsTags()) {
                plan.readTagsFrom(
                    prefetcher.start(plan.tagNamer(), session.directory, plan.oldNames()));
            }
            plan.planRows(rows - 1, rows);
            while (!plan.complete()) {
                plan.planMore(1);
            }
            break;
        }
    }
    ASSERT_TRUE(plan.complete());

    const BatchPlan whole = planBatch(session, {.mayRecord = true, .checkSafety = false});
    ASSERT_EQ(plan.size(), whole.changes.size());
    // What the preview marks, judged on the plan made in one go.
    const std::vector<std::optional<platform::MessageText>> judged =
        judgeChanges(whole, session.fileList, true, platform::FileSystem::kUsualLongestName);
    Shown shown;
    for (std::size_t position = 0; position < plan.size(); ++position) {
        EXPECT_EQ(plan.rowAt(position), whole.changes[position].file);
        EXPECT_EQ(plan.positionOfRow(plan.rowAt(position)), position);
        EXPECT_EQ(*plan.newName(position), whole.changes[position].newName);
        const platform::MessageText* problem = plan.problem(position);
        shown.emplace_back(*plan.newName(position), problem ? problem->filled() : "");
        EXPECT_EQ(judged[position] ? judged[position]->filled() : "", shown.back().second);
    }
    EXPECT_EQ(shown, test.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Batches, IncrementalPlanTest,
    ::testing::Combine(
        ::testing::Values(
            PlanCase{"CounterRunsOverTheWholeBatch",
                     {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"},
                     {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"},
                     [](RenameSession& s, testing::FakeTagReader&) {
                         s.rules.useCounter = true;
                         s.rules.counterPosition = settings::Position::End;
                         s.rules.counterStart = "8";
                         s.rules.counterIncrement = "1";
                     },
                     {{"a8.txt", ""},
                      {"b9.txt", ""},
                      {"c10.txt", ""},
                      {"d11.txt", ""},
                      {"e12.txt", ""}}},
            PlanCase{"RestoreFileKeepsItsNameAndTakesNoCounterValue",
                     {"a.txt", "restore.dat", "s.txt"},
                     {"a.txt", "restore.dat", "s.txt"},
                     [](RenameSession& s, testing::FakeTagReader&) {
                         s.rules.useCounter = true;
                         s.rules.counterPosition = settings::Position::End;
                         s.rules.counterStart = "1";
                         s.rules.counterIncrement = "1";
                     },
                     {{"a1.txt", ""},
                      {"restore.dat", "restore file of this folder: not renamed"},
                      {"s2.txt", ""}}},
            PlanCase{"DuplicatesFarApartAndANameHeldOutside",
                     {"a.txt", "bx.txt", "c.txt", "x.txt", "ya.txt"},
                     {"a.txt", "bx.txt", "c.txt", "ya.txt"},
                     [](RenameSession& s, testing::FakeTagReader&) {
                         s.rules.removeString = true;
                         s.rules.stringToRemove = "y";
                         s.rules.replaceString = true;
                         s.rules.replaceFrom = "b";
                     },
                     {{"a.txt", kDuplicate},
                      {"x.txt", "File exists"},
                      {"c.txt", ""},
                      {"a.txt", kDuplicate}}},
            PlanCase{"NameOfAFileTheBatchMovesAway",
                     {"b.txt", "bb.txt", "c.txt"},
                     {"b.txt", "bb.txt", "c.txt"},
                     [](RenameSession& s, testing::FakeTagReader&) {
                         s.rules.replaceString = true;
                         s.rules.replaceFrom = "b";
                     },
                     {{".txt", "Process cannot continue - You are about to remove a file's prefix"},
                      {"b.txt", ""},
                      {"c.txt", ""}}},
            PlanCase{"RegexGroupsInEveryRun",
                     {"a1.txt", "b22.txt", "c.txt"},
                     {"a1.txt", "b22.txt", "c.txt"},
                     [](RenameSession& s, testing::FakeTagReader&) {
                         s.rules.replaceString = s.rules.replaceRegex = true;
                         s.rules.replaceAllOccurrences = true;
                         s.rules.replaceFrom = "([0-9])";
                         s.rules.replaceWith = "_$1_";
                     },
                     {{"a_1_.txt", ""}, {"b_2__2_.txt", ""}, {"c.txt", ""}}},
            PlanCase{"TagNamesWithADuplicate",
                     {"a.mp3", "b.mp3", "c.mp3", "d.mp3"},
                     {"a.mp3", "b.mp3", "c.mp3", "d.mp3"},
                     [](RenameSession& s, testing::FakeTagReader& tags) {
                         s.rules.supportId3 = true;
                         s.id3 = {settings::Id3RenameMode::AllOrRules, "%2"};
                         tags.tags = {{"a.mp3", {{std::nullopt, "Song"}}},
                                      {"c.mp3", {{std::nullopt, "Other"}}},
                                      {"d.mp3", {{std::nullopt, "Song"}}}};
                     },
                     {{"Song.mp3", kDuplicate},
                      {"b.mp3", ""},
                      {"Other.mp3", ""},
                      {"Song.mp3", kDuplicate}}},
            PlanCase{
                "TagNamesWithDuplicatesNumbered",
                {"a.mp3", "b.mp3", "c.mp3", "d.mp3"},
                {"a.mp3", "b.mp3", "c.mp3", "d.mp3"},
                [](RenameSession& s, testing::FakeTagReader& tags) {
                    s.rules.supportId3 = s.rules.numberDuplicates = true;
                    s.id3 = {settings::Id3RenameMode::WhateverIsThere, "%2"};
                    tags.tags = {{"a.mp3", {{std::nullopt, "Song"}}},
                                 {"b.mp3", {{std::nullopt, "Song"}}},
                                 {"d.mp3", {{std::nullopt, "Song"}}}};
                },
                {{"Song.mp3", ""}, {"Song (2).mp3", ""}, {"c.mp3", ""}, {"Song (3).mp3", ""}}}),
        ::testing::Values(Order::AllAtOnce, Order::MiddleRowsThenOneByOne, Order::LastRowThenPairs,
                          Order::LastRowThenReadAhead)),
    caseName);

class IncrementalPlanRefusalTest : public testing::ApplySessionTest {};

TEST_F(IncrementalPlanRefusalTest, SettingsThatMakeNoNamesPlanNothing) {
    dir.write("a.mp3");
    tickAll();
    const auto makesNames = [&] {
        EXPECT_EQ(IncrementalPlan(session, true).makesNames(),
                  !planBatch(session, {.mayRecord = true, .checkSafety = false}).refusedBySettings);
        return IncrementalPlan(session, true).makesNames();
    };
    EXPECT_TRUE(makesNames());
    usePrefix("");
    EXPECT_FALSE(makesNames());
    usePrefix("p");
    session.rules.supportId3 = true;
    session.id3.format.clear();
    EXPECT_FALSE(makesNames());
}

TEST_F(IncrementalPlanRefusalTest, ARunawayPatternRefusesThePlanAsTheBatchDoes) {
    dir.write(std::string(40, 'a') + "!.txt");
    tickAll();
    session.rules.removeString = session.rules.removeRegex = true;
    session.rules.stringToRemove = "(a+)+b";
    IncrementalPlan plan(session, true);
    ASSERT_TRUE(plan.makesNames()) << "a valid pattern: only naming finds it too slow";
    plan.planMore(plan.size());
    const BatchPlan whole = planBatch(session, {.mayRecord = true, .checkSafety = false});
    ASSERT_TRUE(plan.rulesRefusal());
    ASSERT_TRUE(whole.refusal);
    EXPECT_TRUE(whole.refusedBySettings);
    EXPECT_EQ(plan.rulesRefusal()->text, whole.refusal->text);
}

}  // namespace
}  // namespace nameshift::engine
