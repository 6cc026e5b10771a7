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
    IncrementalPlan plan(session, {});
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

    IncrementalPlan whole(session, {});
    const BatchPlan& planned = whole.planWhole();
    ASSERT_EQ(plan.size(), planned.changes.size());
    Shown shown;
    for (std::size_t position = 0; position < plan.size(); ++position) {
        const PlannedChange& change = planned.changes[position];
        EXPECT_EQ(session.fileList.row(change.file).name, change.oldName);
        EXPECT_EQ(plan.rowAt(position), change.file);
        EXPECT_EQ(plan.positionOfRow(plan.rowAt(position)), position);
        EXPECT_EQ(*plan.newName(position), change.newName);
        const platform::MessageText* problem = plan.problem(position);
        shown.emplace_back(*plan.newName(position), problem ? problem->filled() : "");
        // What the preview marks, judged on the plan made in one go.
        EXPECT_EQ(whole.problem(position) ? whole.problem(position)->filled() : "",
                  shown.back().second);
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
            PlanCase{"TheTickedRowsInListOrder",
                     {"a.txt", "b.txt", "c.txt"},
                     {"c.txt", "a.txt"},
                     [](RenameSession& s, testing::FakeTagReader&) {
                         s.rules.changePrefix = true;
                         s.rules.prefixText = "new-";
                         s.rules.prefixPosition = settings::Position::Beginning;
                     },
                     {{"new-a.txt", ""}, {"new-c.txt", ""}}},
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
            PlanCase{"TemplateCountsPastTheRestoreFileAndNamesWhatAFileLacks",
                     {"a.mp3", "b.mp3", "restore.dat", "s.mp3"},
                     {"a.mp3", "b.mp3", "restore.dat", "s.mp3"},
                     [](RenameSession& s, testing::FakeTagReader& tags) {
                         s.rules.nameTemplate = "{artist} {n:2}";
                         s.rules.replaceString = true;
                         s.rules.replaceFrom = "Song";
                         s.rules.replaceWith = "Track";
                         tags.tags = {{"a.mp3", {{std::nullopt, "Song"}}},
                                      {"s.mp3", {{std::nullopt, "Song"}}}};
                     },
                     {{"Track 01.mp3", ""},
                      {"b.mp3", "no artist tag"},
                      {"restore.dat", "restore file of this folder: not renamed"},
                      {"Track 03.mp3", ""}}},
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
        EXPECT_EQ(IncrementalPlan(session, {}).makesNames(),
                  !planBatch(session, {}).refusedBySettings);
        return IncrementalPlan(session, {}).makesNames();
    };
    EXPECT_TRUE(makesNames());
    usePrefix("");
    EXPECT_FALSE(makesNames());
    usePrefix("p");
    session.rules.supportId3 = true;
    session.id3.format.clear();
    EXPECT_FALSE(makesNames());
}

TEST_F(IncrementalPlanRefusalTest, ARunawayPatternRefusesThePlanNamingTheName) {
    const std::string slow = std::string(40, 'a') + "!.txt";
    dir.write(slow);
    tickAll();
    session.rules.removeString = session.rules.removeRegex = true;
    session.rules.stringToRemove = "(a+)+b";
    IncrementalPlan plan(session, {});
    ASSERT_TRUE(plan.makesNames()) << "a valid pattern: only naming finds it too slow";
    plan.planMore(plan.size());
    ASSERT_TRUE(plan.rulesRefusal());
    EXPECT_NE(plan.rulesRefusal()->text.find(slow), std::string::npos) << plan.rulesRefusal()->text;
    EXPECT_EQ(plan.rulesRefusal()->caption, "Regular Expression Too Slow");
    // Found by the names, it comes before the missing format that the tags would need.
    session.rules.supportId3 = true;
    session.id3.format.clear();
    EXPECT_FALSE(IncrementalPlan(session, {}).makesNames());
    const BatchPlan whole = planBatch(session, {});
    ASSERT_TRUE(whole.refusal);
    EXPECT_TRUE(whole.refusedBySettings);
    EXPECT_EQ(whole.refusal->text, plan.rulesRefusal()->text);
}

}  // namespace
}  // namespace nameshift::engine
