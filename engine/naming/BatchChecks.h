#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/naming/BatchPlan.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace nameshift::engine {

// The name a batch's restore file gets in the directory of the renamed files.
inline constexpr const char* kRestoreFileName = "restore.dat";

// The safety checks a batch passes before any file is renamed. Each looks at the plan alone and
// gives the refusal to show, or nothing when the batch passes.

// The index of the first change that leaves nothing before the last dot of a name that had
// something there, such as "x.txt" becoming ".TXT"; ".bashrc" staying ".bashrc" passes.
std::optional<std::size_t> findEmptyBase(const std::vector<PlannedChange>& changes);
// The index of the first change that hides its file: its new name begins with a dot and its old
// one did not, as an empty tag before ".mp3" or a rule that leaves "..txt" would.
std::optional<std::size_t> findHiddenName(const std::vector<PlannedChange>& changes);
// A name that stays inside its directory: not empty, not "." or "..", no "/" and no NUL byte.
bool isPlainFileName(std::string_view name);
// Whether the name is a plain file name, or a path of plain names beneath a folder ("a/b/name").
bool isPathBeneath(std::string_view name);

std::optional<platform::Message> duplicateNamesRefusal(const BatchPlan& plan);
std::optional<platform::Message> emptyBaseRefusal(const BatchPlan& plan);
std::optional<platform::Message> hiddenNameRefusal(const BatchPlan& plan);
std::optional<platform::Message> plainNamesRefusal(const BatchPlan& plan);

// What a batch's folder holds beside the batch, against which the names it gives are judged: a
// rename to a name the filesystem cannot store, or onto an entry that stays, fails half way.
struct FolderNames {
    // The longest name the folder's filesystem stores, in bytes.
    std::size_t longestName = platform::FileSystem::kUsualLongestName;
    // Whether a file or folder that the batch does not move away holds a name now.
    std::function<bool(std::string_view)> heldByOther;
    // Whether new names may move files into new folders beneath their own.
    bool movesIntoFolders = false;
};
// The refusal of a batch that gives a name longer than the folder takes, or one already held.
std::optional<platform::Message> folderRefusal(const BatchPlan& plan, const FolderNames& folder);
// Restore files keep names and their directory between double quotes.
std::optional<platform::Message> doubleQuoteRefusal(const BatchPlan& plan);
std::optional<platform::Message> directoryQuoteRefusal(const BatchPlan& plan);
// A folder renamed together with an entry inside it: each rename is written against the names
// as listed, which the folder's rename takes from everything inside it.
std::optional<platform::Message> folderWithContentsRefusal(const BatchPlan& plan);
// A file given the restore file's name would be lost when the restore file is written.
std::optional<platform::Message> restoreFileNameRefusal(const BatchPlan& plan);

// A refusal of the batch, `text`, with the changes at `concerned` as its details, a line each.
platform::Message refusalFor(platform::MessageText text, platform::MessageText caption,
                             const std::vector<PlannedChange>& changes,
                             const std::vector<std::size_t>& concerned);

// Why `change` would stop a batch in `directory` or fail on its own, in the words apply would
// use; nothing for a change that passes. A duplicate is a matter of the whole batch and is not
// judged here. The folder's restore file, which a batch that may write one keeps, has a note
// saying so. `mayRecord`: a restore file may be written.
std::optional<platform::MessageText> changeProblem(const std::string& directory,
                                                   const PlannedChange& change, bool mayRecord,
                                                   const FolderNames& folder);
// The words with which a batch that gives two files one name is refused.
platform::MessageText duplicateNameProblem();

}  // namespace nameshift::engine
