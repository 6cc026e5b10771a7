#include "engine/records/FileEvidence.h"

#include <gtest/gtest.h>

#include <string>

namespace nameshift::engine {
namespace {

// The file of a batch as recorded: number 7, 3 bytes, written at 100, born at 50.
const FileEvidence kRecorded{7, {true, 3, 100, 50}};
// A folder as recorded where no birth times are kept, and met once its entries were renamed.
const FileEvidence kFolderRecorded{7, {true, 0, 0, 0}};
FileEvidence metAs(bool directory) {
    return evidenceOf(platform::FileIdentity{
        .inode = 7, .size = 160, .writeTimeNs = 900, .isDirectory = directory});
}

struct EvidenceCase {
    std::string name;
    FileEvidence recorded;
    FileEvidence met;
    bool numbersKept;
    Sighting where;
    Verdict verdict;

    friend void PrintTo(const EvidenceCase& c, std::ostream* out) { *out << c.name; }
};

class FileEvidenceTest : public ::testing::TestWithParam<EvidenceCase> {};

TEST_P(FileEvidenceTest, TellsTheRecordedFileFromAnyOther) {
    const EvidenceCase& c = GetParam();
    EXPECT_EQ(judgeFile(c.recorded, c.met, c.numbersKept, c.where), c.verdict);
}

using enum Sighting;
using enum Verdict;

INSTANTIATE_TEST_SUITE_P(
    Files, FileEvidenceTest,
    ::testing::Values(
        EvidenceCase{"SameFile", kRecorded, kRecorded, true, RecordedName, Same},
        EvidenceCase{"SameFileRenamedByHand", kRecorded, kRecorded, true, OtherName, Same},
        EvidenceCase{"Replaced", kRecorded, {8, {true, 5, 200, 150}}, true, RecordedName, Other},
        EvidenceCase{"InodeReused", kRecorded, {7, {true, 1, 200, 150}}, true, RecordedName, Other},
        EvidenceCase{"InodeReusedSameSizeAndTime",
                     kRecorded,
                     {7, {true, 3, 100, 51}},
                     true,
                     RecordedName,
                     Other},
        EvidenceCase{"InodeReusedNoBirthTimes",
                     {7, {true, 3, 100, 0}},
                     {7, {true, 3, 101, 0}},
                     true,
                     RecordedName,
                     Other},
        EvidenceCase{"SwappedFileUnderTheName",
                     kRecorded,
                     {9, {true, 3, 100, 50}},
                     true,
                     RecordedName,
                     Other},
        EvidenceCase{
            "WrittenToSince", kRecorded, {7, {true, 4, 300, 50}}, true, RecordedName, Same},
        EvidenceCase{"WrittenToSinceNoBirthTimes",
                     {7, {true, 3, 100, 0}},
                     {7, {true, 4, 300, 0}},
                     true,
                     OtherName,
                     Other},
        EvidenceCase{
            "StrayTemporary", kRecorded, {12, {true, 0, 400, 400}}, true, TemporaryName, Other},
        EvidenceCase{"NoStableInodesNameAndRest",
                     kRecorded,
                     {99, {true, 3, 100, 0}},
                     false,
                     RecordedName,
                     Same},
        EvidenceCase{"NoStableInodesTemporary",
                     kRecorded,
                     {99, {true, 3, 100, 0}},
                     false,
                     TemporaryName,
                     Same},
        EvidenceCase{"NoStableInodesOtherNameUndecided",
                     kRecorded,
                     {99, {true, 3, 100, 0}},
                     false,
                     OtherName,
                     Undecided},
        EvidenceCase{"NoStableInodesReplaced",
                     kRecorded,
                     {99, {true, 2, 100, 0}},
                     false,
                     RecordedName,
                     Other},
        EvidenceCase{
            "OldRecordUnderItsName", {7, {}}, {7, {true, 1, 1, 1}}, true, RecordedName, Same},
        EvidenceCase{
            "OldRecordByInodeAlone", {7, {}}, {7, {true, 1, 1, 1}}, true, OtherName, Undecided},
        EvidenceCase{"FolderWhoseEntriesWereRenamed", kFolderRecorded, metAs(true), true,
                     RecordedName, Same},
        EvidenceCase{"FolderOnAShare", kFolderRecorded, metAs(true), false, RecordedName, Same},
        EvidenceCase{"FileWithTheFolderNumber", kFolderRecorded, metAs(false), true, RecordedName,
                     Other},
        EvidenceCase{"OldRecordNoStableInodes",
                     {7, {}},
                     {7, {true, 1, 1, 1}},
                     false,
                     RecordedName,
                     Undecided}),
    [](const auto& test) { return test.param.name; });

struct FolderCase {
    std::string name;
    platform::FileIdentity met;
    bool numbersKept;
    Verdict verdict;

    friend void PrintTo(const FolderCase& c, std::ostream* out) { *out << c.name; }
};

class FolderEvidenceTest : public ::testing::TestWithParam<FolderCase> {};

// The batch's folder as recorded: device 1, number 2, born at 30.
TEST_P(FolderEvidenceTest, FindsTheFolderByPathAndEvidence) {
    EXPECT_EQ(judgeFolder({1, 2, 30}, GetParam().met, GetParam().numbersKept), GetParam().verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FolderEvidenceTest,
    ::testing::Values(
        FolderCase{"SameFolder", {1, 2, 0, false, 0, 0, 30}, true, Same},
        FolderCase{"MadeAgainWithTheOldInode", {1, 2, 0, false, 0, 0, 31}, true, Other},
        FolderCase{"AnotherFolder", {1, 3, 0, false, 0, 0, 0}, true, Other},
        FolderCase{"Remounted", {5, 2, 0, false, 0, 0, 30}, true, Same},
        FolderCase{"RemountedNoStableInodes", {5, 9, 0, false, 0, 0, 30}, false, Same},
        FolderCase{"RemountedMadeAgain", {5, 9, 0, false, 0, 0, 31}, false, Other}),
    [](const auto& test) { return test.param.name; });

}  // namespace
}  // namespace nameshift::engine
