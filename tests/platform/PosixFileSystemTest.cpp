#include "platform/PosixFileSystem.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "TempDir.h"
#include "platform/StartupDirectory.h"

namespace nameshift::platform {
namespace {

using testing::TempDir;

class PosixFileSystemTest : public ::testing::Test {
protected:
    TempDir dir;
    PosixFileSystem fs;
};

const DirEntry* findEntry(const std::vector<DirEntry>& entries, const std::string& name) {
    auto it = std::find_if(entries.begin(), entries.end(),
                           [&](const DirEntry& e) { return e.name == name; });
    return it == entries.end() ? nullptr : &*it;
}

// Seven entries, one of each kind the listing tells apart: plain, hidden, read-only, a
// directory, links to a directory and to a file, and a FIFO.
void makeEveryKindOfEntry(const TempDir& dir) {
    dir.write("plain.txt", "12345");
    dir.write(".hidden", "");
    dir.write("locked", "x");
    ::chmod(dir.file("locked").c_str(), 0444);
    dir.makeDirectory("sub");
    ASSERT_EQ(::symlink("sub", dir.file("link-to-dir").c_str()), 0);
    ASSERT_EQ(::symlink("plain.txt", dir.file("link-to-file").c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0644), 0);
}

TEST_F(PosixFileSystemTest, ListsEntriesWithAttributesSizesAndKinds) {
    ASSERT_NO_FATAL_FAILURE(makeEveryKindOfEntry(dir));

    auto entries = fs.listDirectory(dir.path());
    ASSERT_TRUE(entries.ok());
    EXPECT_EQ(entries->size(), 7u);
    EXPECT_EQ(findEntry(*entries, ".."), nullptr);

    const DirEntry* plain = findEntry(*entries, "plain.txt");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->attributes, attribute::kArchive);
    EXPECT_EQ(plain->size, 5u);
    EXPECT_GT(plain->writeTimeNs, 0);
    EXPECT_EQ(findEntry(*entries, ".hidden")->attributes, attribute::kArchive | attribute::kHidden);
    EXPECT_EQ(findEntry(*entries, "locked")->attributes,
              attribute::kArchive | attribute::kReadOnly);
    EXPECT_TRUE(findEntry(*entries, "sub")->isDirectory);
    EXPECT_TRUE(findEntry(*entries, "link-to-dir")->isDirectory);
    EXPECT_FALSE(findEntry(*entries, "link-to-file")->isDirectory);
    EXPECT_EQ(findEntry(*entries, "link-to-file")->attributes & attribute::kSystem,
              attribute::kSystem);
    EXPECT_EQ(findEntry(*entries, "pipe")->attributes & attribute::kSystem, attribute::kSystem);
}

// The quick listing leaves out only what examining a regular file would add: Read Only, size and
// date. Everything else, and all of a non-regular entry, is as the full listing gives it.
TEST_F(PosixFileSystemTest, KindListingAgreesWithTheFullListingButForRegularFilesDetails) {
    ASSERT_NO_FATAL_FAILURE(makeEveryKindOfEntry(dir));

    const auto full = fs.listDirectory(dir.path());
    const auto kinds = fs.listDirectoryKinds(dir.path());
    ASSERT_TRUE(full.ok());
    ASSERT_TRUE(kinds.ok());
    ASSERT_EQ(kinds->size(), full->size());
    // A look at each entry tells its number and kind as the listings do.
    std::vector<DirEntry> visited;
    const auto opened = fs.openDirectory(dir.path());
    ASSERT_TRUE(opened.ok());
    ASSERT_TRUE(fs.visitDirectoryKinds(*opened, [&visited](const platform::DirEntryView& view) {
                      DirEntry entry;
                      entry.name = view.name;
                      entry.inode = view.inode;
                      entry.isDirectory = view.isDirectory;
                      entry.lookedAt = view.lookedAt;
                      entry.size = view.size;
                      entry.writeTimeNs = view.writeTimeNs;
                      visited.push_back(entry);
                  }).ok());
    ASSERT_EQ(visited.size(), full->size());
    for (const DirEntry& entry : *full) {
        SCOPED_TRACE(entry.name);
        const DirEntry* quick = findEntry(*kinds, entry.name);
        ASSERT_NE(quick, nullptr);
        const DirEntry* looked = findEntry(visited, entry.name);
        ASSERT_NE(looked, nullptr);
        EXPECT_EQ(looked->inode, quick->inode);
        EXPECT_EQ(looked->isDirectory, entry.isDirectory);
        struct stat info {};
        ASSERT_EQ(::lstat(dir.file(entry.name).c_str(), &info), 0);
        EXPECT_EQ(quick->inode, static_cast<std::uint64_t>(info.st_ino));
        EXPECT_EQ(quick->isDirectory, entry.isDirectory);
        // What had to be looked at to be told is told whole, so that nobody looks again.
        EXPECT_TRUE(entry.lookedAt);
        EXPECT_EQ(quick->lookedAt, !S_ISREG(info.st_mode));
        EXPECT_EQ(looked->lookedAt, !S_ISREG(info.st_mode));
        if (looked->lookedAt) {
            EXPECT_EQ(looked->size, entry.size);
            EXPECT_EQ(looked->writeTimeNs, entry.writeTimeNs);
        }
        if (S_ISREG(info.st_mode)) {
            EXPECT_EQ(quick->attributes, entry.attributes & ~attribute::kReadOnly);
        } else {
            EXPECT_EQ(quick->attributes, entry.attributes);
            EXPECT_EQ(quick->size, entry.size);
            EXPECT_EQ(quick->writeTimeNs, entry.writeTimeNs);
        }
    }
}

// A folder nobody asks the number of is told by its kind alone; a link must still be looked at
// to tell whether it leads to a folder.
TEST_F(PosixFileSystemTest, AnEntryWhoseNumberIsNotAskedIsToldByItsKind) {
    ASSERT_NO_FATAL_FAILURE(makeEveryKindOfEntry(dir));
    const auto opened = fs.openDirectory(dir.path());
    ASSERT_TRUE(opened.ok());
    std::vector<platform::DirEntryView> seen;
    std::vector<std::string> names;
    ASSERT_TRUE(fs.visitDirectoryKindsFor(
                      *opened, [](std::string_view name) { return name == "pipe"; },
                      [&](const platform::DirEntryView& view) {
                          names.emplace_back(view.name);
                          seen.push_back(view);
                      })
                    .ok());
    ASSERT_EQ(names.size(), 7u);
    const auto at = [&](const std::string& name) {
        return seen[static_cast<std::size_t>(std::find(names.begin(), names.end(), name) -
                                             names.begin())];
    };
    EXPECT_TRUE(at("sub").isDirectory);
    EXPECT_FALSE(at("sub").lookedAt);
    EXPECT_TRUE(at("link-to-dir").isDirectory);
    EXPECT_TRUE(at("link-to-dir").lookedAt);
    EXPECT_TRUE(at("pipe").lookedAt);
}

TEST_F(PosixFileSystemTest, ListingAMissingDirectoryFailsWithItsError) {
    auto entries = fs.listDirectory(dir.file("absent"));
    ASSERT_FALSE(entries.ok());
    EXPECT_EQ(entries.status().error(), ENOENT);
    EXPECT_EQ(entries.status().message(), "No such file or directory");
}

TEST_F(PosixFileSystemTest, NamesRoundTripAsBytes) {
    const std::string odd = "bad\xff\xfe name \"quoted\"\nline";
    const std::string longName(255, 'n');
    dir.write(odd, "a");
    dir.write(longName, "b");
    auto entries = fs.listDirectory(dir.path());
    ASSERT_TRUE(entries.ok());
    EXPECT_NE(findEntry(*entries, odd), nullptr);
    EXPECT_NE(findEntry(*entries, longName), nullptr);

    const Result<Directory> opened = fs.openDirectory(dir.path());
    ASSERT_TRUE(opened.ok());
    EXPECT_TRUE(fs.renameIn(*opened, odd, odd + "\xc3").ok());
    EXPECT_EQ(dir.read(odd + "\xc3"), "a");
}

TEST_F(PosixFileSystemTest, RenameNeverReplacesAnExistingFile) {
    dir.write("a", "first");
    dir.write("b", "second");
    const Result<Directory> opened = fs.openDirectory(dir.path());
    ASSERT_TRUE(opened.ok());

    const Status status = fs.renameIn(*opened, "a", "b");
    EXPECT_EQ(status.kind(), ErrorKind::Exists);
    EXPECT_EQ(dir.read("a"), "first");
    EXPECT_EQ(dir.read("b"), "second");

    EXPECT_TRUE(fs.renameIn(*opened, "a", "c").ok());
    EXPECT_FALSE(dir.exists("a"));
    EXPECT_EQ(dir.read("c"), "first");
}

TEST_F(PosixFileSystemTest, RenameToTheSameNameIsANoOpButAMissingFileStillFails) {
    dir.write("same", "x");
    const Result<Directory> opened = fs.openDirectory(dir.path());
    ASSERT_TRUE(opened.ok());
    EXPECT_TRUE(fs.renameIn(*opened, "same", "same").ok());
    EXPECT_EQ(dir.read("same"), "x");
    EXPECT_EQ(fs.renameIn(*opened, "gone", "gone").error(), ENOENT);
    EXPECT_EQ(fs.renameIn(*opened, "gone", "other").error(), ENOENT);
}

// Names beneath the directory reach their folders without links, and a folder kept open from
// one call to the next is never found again under a path it no longer has.
TEST_F(PosixFileSystemTest, NamesBeneathStayInTheirFoldersAcrossRenames) {
    dir.makeDirectory("a");
    dir.makeDirectory("elsewhere");
    dir.write("a/one", "1");
    dir.write("elsewhere/one", "other");
    const Result<Directory> opened = fs.openDirectory(dir.path());
    ASSERT_TRUE(opened.ok());
    ASSERT_TRUE(fs.renameIn(*opened, "a/one", "a/two").ok());

    ASSERT_TRUE(fs.renameIn(*opened, "a", "b").ok());
    EXPECT_EQ(fs.identifyIn(*opened, "a/two").status().error(), ENOENT);
    EXPECT_TRUE(fs.renameIn(*opened, "b/two", "b/three").ok());
    EXPECT_EQ(dir.read("b/three"), "1");

    // Moved behind the batch's back, the folder it opened stays the one it renames in until the
    // lock is taken again; then the path decides, and a link in it is refused.
    ASSERT_EQ(::rename(dir.file("b").c_str(), dir.file("c").c_str()), 0);
    ASSERT_EQ(::symlink("elsewhere", dir.file("b").c_str()), 0);
    EXPECT_TRUE(fs.renameIn(*opened, "b/three", "b/four").ok());
    EXPECT_EQ(dir.read("c/four"), "1");
    ASSERT_TRUE(fs.lockDirectory(*opened).ok());
    EXPECT_EQ(fs.renameIn(*opened, "b/one", "b/five").error(), ELOOP);
    EXPECT_EQ(dir.read("elsewhere/one"), "other");
}

TEST_F(PosixFileSystemTest, CanEnterADirectoryOnlyAndSaysWhyNot) {
    dir.write("file");
    dir.makeDirectory("sub");
    ASSERT_EQ(::symlink("sub", dir.file("link").c_str()), 0);
    EXPECT_TRUE(fs.canEnter(dir.file("sub")).ok());
    EXPECT_TRUE(fs.canEnter(dir.file("link")).ok());
    EXPECT_EQ(fs.canEnter(dir.file("file")).error(), ENOTDIR);
    EXPECT_EQ(fs.canEnter(dir.file("gone")).error(), ENOENT);
    EXPECT_EQ(fs.canEnter("").error(), ENOENT);
}

TEST_F(PosixFileSystemTest, WriteCreateNewRefusesAnExistingFile) {
    dir.write("settings.ini", "old");
    const Status status = fs.writeFile(dir.file("settings.ini"), "new", WriteMode::CreateNew);
    EXPECT_EQ(status.kind(), ErrorKind::Exists);
    EXPECT_EQ(dir.read("settings.ini"), "old");

    EXPECT_TRUE(fs.writeFile(dir.file("settings.ini"), "new", WriteMode::Replace).ok());
    EXPECT_EQ(dir.read("settings.ini"), "new");
    EXPECT_TRUE(fs.writeFile(dir.file("fresh.ini"), "made", WriteMode::CreateNew).ok());
    EXPECT_EQ(dir.read("fresh.ini"), "made");
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"fresh.ini", "settings.ini"}));
}

// A write that fails half way (here: the file size limit) keeps the old file and leaves no
// temporary file behind.
TEST_F(PosixFileSystemTest, WriteFailingHalfWayKeepsTheOldFile) {
    dir.write("settings.ini", "old contents");
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previousAction {};
    ::sigaction(SIGXFSZ, &ignore, &previousAction);
    rlimit previousLimit{};
    ::getrlimit(RLIMIT_FSIZE, &previousLimit);
    rlimit small = previousLimit;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);

    const Status status =
        fs.writeFile(dir.file("settings.ini"), std::string(100000, 'x'), WriteMode::Replace);

    ::setrlimit(RLIMIT_FSIZE, &previousLimit);
    ::sigaction(SIGXFSZ, &previousAction, nullptr);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.error(), EFBIG);
    EXPECT_EQ(dir.read("settings.ini"), "old contents");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"settings.ini"});
}

TEST_F(PosixFileSystemTest, ErrorKindsTellExistsAndDiskFullApart) {
    EXPECT_EQ(Status::fromErrno(EEXIST).kind(), ErrorKind::Exists);
    EXPECT_EQ(Status::fromErrno(ENOSPC).kind(), ErrorKind::DiskFull);
    EXPECT_EQ(Status::fromErrno(EDQUOT).kind(), ErrorKind::DiskFull);
    EXPECT_EQ(Status::fromErrno(EACCES).kind(), ErrorKind::Other);
    EXPECT_EQ(Status().kind(), ErrorKind::None);
}

TEST_F(PosixFileSystemTest, ReadsWholeFilesAndRefusesFifosWithoutBlocking) {
    std::string big(200000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<char>(i * 7);
    }
    dir.write("big", big);
    auto contents = fs.readFile(dir.file("big"), big.size());
    ASSERT_TRUE(contents.ok());
    EXPECT_EQ(*contents, big);

    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0644), 0);
    EXPECT_FALSE(fs.readFile(dir.file("pipe"), 1024).ok());
    EXPECT_EQ(fs.readFile(dir.file("absent"), 1024).status().error(), ENOENT);
}

struct LimitCase {
    std::size_t fileBytes;
    std::size_t maxBytes;
};

void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << c.fileBytes << " bytes, at most " << c.maxBytes;
}

class ReadLimitTest : public ::testing::TestWithParam<LimitCase> {
protected:
    TempDir dir;
    PosixFileSystem fs;
};

// Around the limit and around the read buffer's size: a file is read whole up to its limit
// and refused one byte beyond it.
TEST_P(ReadLimitTest, ReadsUpToTheLimitAndRefusesAByteMore) {
    const auto [fileBytes, maxBytes] = GetParam();
    std::string bytes(fileBytes, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>('a' + i % 26);
    }
    dir.write("file", bytes);
    const Result<std::string> contents = fs.readFile(dir.file("file"), maxBytes);
    if (fileBytes <= maxBytes) {
        ASSERT_TRUE(contents.ok()) << contents.status().message();
        EXPECT_EQ(*contents, bytes);
    } else {
        ASSERT_FALSE(contents.ok());
        EXPECT_EQ(contents.status().error(), EFBIG);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReadLimitTest,
                         ::testing::Values(LimitCase{0, 0}, LimitCase{1, 0}, LimitCase{10, 10},
                                           LimitCase{11, 10}, LimitCase{65535, 65536},
                                           LimitCase{65536, 65536}, LimitCase{65537, 65536},
                                           LimitCase{131072, 131072}, LimitCase{131073, 131072},
                                           LimitCase{200000, 1000000}));

struct ShareCase {
    const char* name;
    unsigned long filesystemType;  // as statfs gives it
    int error;
    bool shareRefusal;  // told as the share's refusal, not by the system's text

    friend void PrintTo(const ShareCase& c, std::ostream* os) { *os << c.name; }
};

class RenameStatusTest : public ::testing::TestWithParam<ShareCase> {};

// A share's EPERM means it does not rename that way at all; elsewhere, and for every other
// error, the system's own words stay.
TEST_P(RenameStatusTest, AShareRefusingARenameSaysSoAndOtherFailuresKeepTheirText) {
    const Status told =
        renameStatusOn(GetParam().filesystemType, Status::fromErrno(GetParam().error));
    EXPECT_EQ(told.error(), GetParam().error) << "the outcome is the same failure";
    EXPECT_EQ(told.message(), GetParam().shareRefusal
                                  ? std::string("not supported by this share")
                                  : Status::fromErrno(GetParam().error).message());
    EXPECT_EQ(told.reason().filled(), told.message());
}

INSTANTIATE_TEST_SUITE_P(Filesystems, RenameStatusTest,
                         ::testing::Values(ShareCase{"Sshfs", 0x65735546UL, EPERM, true},
                                           ShareCase{"Nfs", 0x6969UL, EPERM, true},
                                           ShareCase{"Cifs", 0xff534d42UL, EPERM, true},
                                           ShareCase{"NineP", 0x01021997UL, EPERM, true},
                                           ShareCase{"Ext4", 0xef53UL, EPERM, false},
                                           ShareCase{"Tmpfs", 0x01021994UL, EPERM, false},
                                           ShareCase{"SshfsDenied", 0x65735546UL, EACCES, false}),
                         [](const auto& param) { return std::string(param.param.name); });

// A file far larger than memory is refused from its size alone, before a byte of it is read.
TEST_F(PosixFileSystemTest, AHugeSparseFileIsRefusedWithoutBeingRead) {
    dir.write("huge");
    ASSERT_EQ(::truncate(dir.file("huge").c_str(), off_t{1} << 33), 0);
    EXPECT_EQ(fs.readFile(dir.file("huge"), 1 << 20).status().error(), EFBIG);
}

TEST_F(PosixFileSystemTest, StartupDirectoryWorksBeyondOldPathLimits) {
    std::string relative;
    for (int i = 0; i < 30; ++i) {
        relative += std::string(60, static_cast<char>('a' + i % 26)) + "/";
    }
    dir.makeDirectory(relative);
    const std::string deep = dir.file(relative);
    ASSERT_GT(deep.size(), 1024u);
    ASSERT_EQ(::chdir(deep.c_str()), 0);
    auto current = startupDirectory();
    ASSERT_TRUE(current.ok());
    EXPECT_EQ(*current + "/", deep);
    EXPECT_TRUE(fs.removeFile("absent").error() == ENOENT);
}

}  // namespace
}  // namespace nameshift::platform
