#include "engine/naming/BatchChecks.h"

#include <algorithm>
#include <cerrno>
#include <unordered_set>

#include "platform/Status.h"

#include "engine/naming/DuplicateMarks.h"
#include "engine/naming/NamePath.h"

namespace nameshift::engine {
namespace {

using platform::Icon;
using platform::Message;

bool hasQuote(std::string_view name) {
    return name.find('"') != std::string_view::npos;
}

bool hasEmptyBase(std::string_view name) {
    return leafOf(name).rfind('.') == 0;
}

bool hides(const PlannedChange& change) {
    return leafOf(change.newName).starts_with('.') && !leafOf(change.oldName).starts_with('.');
}

// A new name that keeps the file in its folder under a plain name there, or, where the batch
// moves files, moves it into folders beneath that one.
bool staysPlain(const PlannedChange& change, bool movesIntoFolders) {
    const std::string_view folders = foldersOf(change.oldName);
    if (!movesIntoFolders || change.newName.find('/', folders.size()) == std::string::npos) {
        return isPlainFileName(leafOf(change.newName)) && foldersOf(change.newName) == folders;
    }
    return std::string_view(change.newName).starts_with(folders) &&
           isPathBeneath(std::string_view(change.newName).substr(folders.size()));
}

Message stop(platform::MessageText text, platform::MessageText caption) {
    return Message{std::move(text), std::move(caption), Icon::Stop};
}

// How many files a refusal's details name before it counts the rest.
constexpr std::size_t kListedFiles = 100;

// The changes for which `concerns` holds, in batch order.
template <typename Predicate>
std::vector<std::size_t> changesWhere(const std::vector<PlannedChange>& changes,
                                      Predicate concerns) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (concerns(changes[i])) {
            found.push_back(i);
        }
    }
    return found;
}

}  // namespace

Message refusalFor(platform::MessageText text, platform::MessageText caption,
                   const std::vector<PlannedChange>& changes,
                   const std::vector<std::size_t>& concerned) {
    Message refusal = stop(std::move(text), std::move(caption));
    platform::MessageText details("%1", {});
    const std::size_t listed = std::min(concerned.size(), kListedFiles);
    for (std::size_t i = 0; i < listed; ++i) {
        const PlannedChange& change = changes[concerned[i]];
        details.parts.push_back({NS_MESSAGE("Message", "\"%1\" to \"%2\"\n"),
                                 {std::string(change.oldName), change.newName}});
    }
    if (concerned.size() > listed) {
        details.parts.push_back({NS_MESSAGE_N("Message", "... and %n more\n"),
                                 {},
                                 static_cast<long long>(concerned.size() - listed)});
    }
    refusal.setDetails(std::move(details));
    return refusal;
}

std::optional<std::size_t> findEmptyBase(const std::vector<PlannedChange>& changes) {
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (hasEmptyBase(changes[i].newName) && !hasEmptyBase(changes[i].oldName)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> findHiddenName(const std::vector<PlannedChange>& changes) {
    const auto found = std::find_if(changes.begin(), changes.end(), hides);
    if (found == changes.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - changes.begin());
}

bool isPlainFileName(std::string_view name) {
    // Two searches for one byte each: find_first_of looks up the pair for every byte of the
    // name, which a journal's hundred thousand names make felt.
    return !name.empty() && name != "." && name != ".." &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

bool isPathBeneath(std::string_view name) {
    for (;;) {
        const std::size_t slash = name.find('/');
        if (!isPlainFileName(name.substr(0, slash))) {
            return false;
        }
        if (slash == std::string_view::npos) {
            return true;
        }
        name.remove_prefix(slash + 1);
    }
}

std::optional<Message> duplicateNamesRefusal(const BatchPlan& plan) {
    DuplicateMarks marks(plan.changes);
    for (std::size_t i = 0; i < plan.changes.size(); ++i) {
        marks.note(i);
    }
    if (marks.count() == 0) {
        return std::nullopt;
    }
    // The files that share a name stand together, in the order of their first.
    std::vector<std::size_t> alike;
    for (std::size_t i = 0; i < plan.changes.size(); ++i) {
        if (marks.marked(i)) {
            alike.push_back(i);
        }
    }
    std::stable_sort(alike.begin(), alike.end(), [&plan](std::size_t a, std::size_t b) {
        return plan.changes[a].newName < plan.changes[b].newName;
    });
    return refusalFor(NS_MESSAGE("Message", "Duplicate filenames found! Cannot continue."),
                      NS_MESSAGE("Message", "Duplicate Filenames"), plan.changes, alike);
}

platform::MessageText duplicateNameProblem() {
    BatchPlan twoAlike;
    twoAlike.changes.resize(2);
    return duplicateNamesRefusal(twoAlike)->textSource;
}

std::optional<Message> emptyBaseRefusal(const BatchPlan& plan) {
    if (!findEmptyBase(plan.changes)) {
        return std::nullopt;
    }
    return refusalFor(
        NS_MESSAGE("Message", "Process cannot continue - You are about to remove a file's prefix"),
        NS_MESSAGE("Message", "No Prefix"), plan.changes,
        changesWhere(plan.changes, [](const PlannedChange& change) {
            return hasEmptyBase(change.newName) && !hasEmptyBase(change.oldName);
        }));
}

std::optional<Message> hiddenNameRefusal(const BatchPlan& plan) {
    const std::optional<std::size_t> first = findHiddenName(plan.changes);
    if (!first) {
        return std::nullopt;
    }
    return refusalFor({NS_MESSAGE("Message",
                                  "Cannot continue - the new file name \"%1\" begins with a dot, "
                                  "which would hide the file."),
                       {plan.changes[*first].newName}},
                      NS_MESSAGE("Message", "Invalid File Name"), plan.changes,
                      changesWhere(plan.changes, hides));
}

std::optional<Message> folderRefusal(const BatchPlan& plan, const FolderNames& folder) {
    const auto renames = [](const PlannedChange& change) {
        return change.newName != change.oldName;
    };
    const std::vector<std::size_t> tooLong =
        changesWhere(plan.changes, [&](const PlannedChange& change) {
            return renames(change) &&
                   (leafOf(change.newName).size() > folder.longestName ||
                    change.newName.size() > kLongestPath || change.oldName.size() > kLongestPath);
        });
    if (!tooLong.empty()) {
        return refusalFor(
            {NS_MESSAGE("Message",
                        "Cannot continue - the new file name \"%1\" is longer than "
                        "the %2 bytes that this folder's filesystem allows."),
             {plan.changes[tooLong.front()].newName, std::to_string(folder.longestName)}},
            NS_MESSAGE("Message", "Invalid File Name"), plan.changes, tooLong);
    }
    if (!folder.heldByOther) {
        return std::nullopt;
    }
    const std::vector<std::size_t> held =
        changesWhere(plan.changes, [&](const PlannedChange& change) {
            return renames(change) && folder.heldByOther(change.newName);
        });
    if (held.empty()) {
        return std::nullopt;
    }
    return refusalFor({NS_MESSAGE("Message",
                                  "Cannot continue - the new file name \"%1\" is taken in this "
                                  "folder by a file or folder that the batch does not rename."),
                       {plan.changes[held.front()].newName}},
                      NS_MESSAGE("Message", "Duplicate Filenames"), plan.changes, held);
}

std::optional<Message> plainNamesRefusal(const BatchPlan& plan) {
    const auto notPlain = [&plan](const PlannedChange& change) {
        return !staysPlain(change, plan.movesIntoFolders);
    };
    const std::vector<std::size_t> concerned = changesWhere(plan.changes, notPlain);
    if (concerned.empty()) {
        return std::nullopt;
    }
    return refusalFor(
        {NS_MESSAGE("Message",
                    "Cannot continue - the new file name \"%1\" is not a plain file name."),
         {plan.changes[concerned.front()].newName}},
        NS_MESSAGE("Message", "Invalid File Name"), plan.changes, concerned);
}

std::optional<Message> doubleQuoteRefusal(const BatchPlan& plan) {
    const auto quoted = [](const PlannedChange& change) {
        return hasQuote(change.oldName) || hasQuote(change.newName);
    };
    const std::vector<std::size_t> concerned = changesWhere(plan.changes, quoted);
    if (concerned.empty()) {
        return std::nullopt;
    }
    const PlannedChange& first = plan.changes[concerned.front()];
    const std::string_view name = hasQuote(first.oldName) ? first.oldName : first.newName;
    return refusalFor({NS_MESSAGE("Message",
                                  "Cannot continue - the file name \"%1\" contains a double "
                                  "quote, which a restore file cannot record."),
                       {std::string(name)}},
                      NS_MESSAGE("Message", "Invalid File Name"), plan.changes, concerned);
}

std::optional<Message> directoryQuoteRefusal(const BatchPlan& plan) {
    if (!hasQuote(plan.directory)) {
        return std::nullopt;
    }
    return stop({NS_MESSAGE("Message",
                            "Cannot continue - the directory path \"%1\" contains a double quote, "
                            "which a restore file cannot record."),
                 {plan.directory}},
                NS_MESSAGE("Message", "Invalid Directory Name"));
}

std::optional<Message> restoreFileNameRefusal(const BatchPlan& plan) {
    const std::vector<std::size_t> concerned =
        changesWhere(plan.changes, [](const PlannedChange& change) {
            return leafOf(change.newName) == kRestoreFileName && change.oldName != change.newName;
        });
    if (concerned.empty()) {
        return std::nullopt;
    }
    return refusalFor({NS_MESSAGE("Message",
                                  "Cannot continue - the new file name \"%1\" is the name of the "
                                  "restore file that this batch writes."),
                       {plan.changes[concerned.front()].newName}},
                      NS_MESSAGE("Message", "Invalid File Name"), plan.changes, concerned);
}

std::optional<Message> folderWithContentsRefusal(const BatchPlan& plan) {
    std::unordered_set<std::string_view> renamed;
    for (const PlannedChange& change : plan.changes) {
        if (change.newName != change.oldName) {
            renamed.insert(change.oldName);
        }
    }
    // A name inside a renamed folder has that folder's name and a "/" in front of it.
    std::vector<std::size_t> inside;
    for (std::size_t i = 0; i < plan.changes.size() && inside.empty(); ++i) {
        const PlannedChange& change = plan.changes[i];
        for (std::string_view folder = folderPathOf(change.oldName);
             change.newName != change.oldName && !folder.empty(); folder = folderPathOf(folder)) {
            if (renamed.contains(folder)) {
                inside = changesWhere(plan.changes, [folder](const PlannedChange& other) {
                    return other.oldName == folder;
                });
                inside.push_back(i);
                break;
            }
        }
    }
    if (inside.empty()) {
        return std::nullopt;
    }
    return refusalFor({NS_MESSAGE("Message",
                                  "Cannot continue - the folder \"%1\" is renamed in the same "
                                  "batch as a file or folder inside it. Rename the folder in a "
                                  "batch of its own. Nothing was renamed."),
                       {std::string(plan.changes[inside.front()].oldName)}},
                      NS_MESSAGE("Message", "Invalid File Name"), plan.changes, inside);
}

namespace {

// The checks of a whole batch, asked about one change alone, so that the words stay theirs.
std::optional<platform::MessageText> singleChangeProblem(const std::string& directory,
                                                         const PlannedChange& change,
                                                         bool mayRecord, bool movesIntoFolders) {
    // Almost every change passes; the plan of one is built, with its message, only for one
    // that one of the checks below would refuse.
    const bool emptyBase = hasEmptyBase(change.newName) && !hasEmptyBase(change.oldName);
    const bool recordable =
        !mayRecord ||
        (!hasQuote(change.oldName) && !hasQuote(change.newName) &&
         (leafOf(change.newName) != kRestoreFileName || change.oldName == change.newName));
    if (!emptyBase && !hides(change) && staysPlain(change, movesIntoFolders) && recordable) {
        return std::nullopt;
    }
    BatchPlan single;
    single.directory = directory;
    single.movesIntoFolders = movesIntoFolders;
    single.changes.push_back(change);
    using Check = std::optional<Message> (*)(const BatchPlan&);
    for (const Check check : {emptyBaseRefusal, plainNamesRefusal, hiddenNameRefusal}) {
        if (std::optional<Message> refusal = check(single)) {
            return std::move(refusal->textSource);
        }
    }
    if (mayRecord) {
        for (const Check check : {doubleQuoteRefusal, restoreFileNameRefusal}) {
            if (std::optional<Message> refusal = check(single)) {
                return std::move(refusal->textSource);
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<platform::MessageText> changeProblem(const std::string& directory,
                                                   const PlannedChange& change, bool mayRecord,
                                                   const FolderNames& folder) {
    if (mayRecord && change.oldName == kRestoreFileName && change.newName == change.oldName) {
        return platform::MessageText(
            NS_MESSAGE("Message", "restore file of this folder: not renamed"));
    }
    if (auto problem = singleChangeProblem(directory, change, mayRecord, folder.movesIntoFolders)) {
        return problem;
    }
    if (change.newName == change.oldName) {
        return std::nullopt;
    }
    if (leafOf(change.newName).size() > folder.longestName ||
        change.newName.size() > kLongestPath || change.oldName.size() > kLongestPath) {
        return platform::MessageText(platform::Status::fromErrno(ENAMETOOLONG).message());
    }
    if (folder.heldByOther && folder.heldByOther(change.newName)) {
        return platform::MessageText(platform::Status::fromErrno(EEXIST).message());
    }
    return std::nullopt;
}

}  // namespace nameshift::engine
