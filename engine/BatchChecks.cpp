#include "engine/BatchChecks.h"

#include <cerrno>
#include <unordered_set>

#include "platform/Status.h"

#include "engine/NameIndex.h"
#include "engine/RestoreFile.h"

namespace nameshift::engine {
namespace {

using platform::Icon;
using platform::Message;

bool hasQuote(std::string_view name) {
    return name.find('"') != std::string_view::npos;
}

bool hasEmptyBase(std::string_view name) {
    return name.rfind('.') == 0;
}

Message stop(platform::MessageText text, platform::MessageText caption) {
    return Message{std::move(text), std::move(caption), Icon::Stop};
}

}  // namespace

std::optional<std::size_t> findDuplicateName(const std::vector<PlannedChange>& changes) {
    NameIndex seen(changes.size(),
                   [&changes](std::size_t i) -> std::string_view { return changes[i].newName; });
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (seen.insert(i) != i) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> findEmptyBase(const std::vector<PlannedChange>& changes) {
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (hasEmptyBase(changes[i].newName) && !hasEmptyBase(changes[i].oldName)) {
            return i;
        }
    }
    return std::nullopt;
}

bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

std::optional<Message> duplicateNamesRefusal(const BatchPlan& plan) {
    if (!findDuplicateName(plan.changes)) {
        return std::nullopt;
    }
    return stop(NS_MESSAGE("Message", "Duplicate filenames found! Cannot continue."),
                NS_MESSAGE("Message", "Duplicate Filenames"));
}

std::string duplicateNameProblem() {
    const BatchPlan twoAlike{{}, {PlannedChange{}, PlannedChange{}}, std::nullopt, false, {}};
    return duplicateNamesRefusal(twoAlike)->text;
}

std::optional<Message> emptyBaseRefusal(const BatchPlan& plan) {
    if (!findEmptyBase(plan.changes)) {
        return std::nullopt;
    }
    return stop(
        NS_MESSAGE("Message", "Process cannot continue - You are about to remove a file's prefix"),
        NS_MESSAGE("Message", "No Prefix"));
}

std::optional<Message> plainNamesRefusal(const BatchPlan& plan) {
    for (const PlannedChange& change : plan.changes) {
        if (!isPlainFileName(change.newName)) {
            return stop(
                {NS_MESSAGE("Message",
                            "Cannot continue - the new file name \"%1\" is not a plain file name."),
                 {change.newName}},
                NS_MESSAGE("Message", "Invalid File Name"));
        }
    }
    return std::nullopt;
}

std::optional<Message> doubleQuoteRefusal(const BatchPlan& plan) {
    for (const PlannedChange& change : plan.changes) {
        for (const std::string_view name : {change.oldName, std::string_view(change.newName)}) {
            if (hasQuote(name)) {
                return stop({NS_MESSAGE("Message",
                                        "Cannot continue - the file name \"%1\" contains a double "
                                        "quote, which a restore file cannot record."),
                             {std::string(name)}},
                            NS_MESSAGE("Message", "Invalid File Name"));
            }
        }
    }
    return std::nullopt;
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
    for (const PlannedChange& change : plan.changes) {
        if (change.newName == kRestoreFileName && change.oldName != change.newName) {
            return stop({NS_MESSAGE("Message",
                                    "Cannot continue - the new file name \"%1\" is the name of the "
                                    "restore file that this batch writes."),
                         {change.newName}},
                        NS_MESSAGE("Message", "Invalid File Name"));
        }
    }
    return std::nullopt;
}

namespace {

// The longest name a Linux filesystem stores, in bytes.
constexpr std::size_t kNameMax = 255;

// The checks of a whole batch, asked about one change alone, so that the words stay theirs.
std::optional<std::string> singleChangeProblem(const std::string& directory,
                                               const PlannedChange& change, bool mayRecord) {
    // Almost every change passes; the plan of one is built, with its message, only for one
    // that one of the checks below would refuse.
    const bool emptyBase = hasEmptyBase(change.newName) && !hasEmptyBase(change.oldName);
    const bool recordable =
        !mayRecord || (!hasQuote(change.oldName) && !hasQuote(change.newName) &&
                       (change.newName != kRestoreFileName || change.oldName == change.newName));
    if (!emptyBase && isPlainFileName(change.newName) && recordable) {
        return std::nullopt;
    }
    BatchPlan single;
    single.directory = directory;
    single.changes.push_back(change);
    using Check = std::optional<Message> (*)(const BatchPlan&);
    for (const Check check : {emptyBaseRefusal, plainNamesRefusal}) {
        if (std::optional<Message> refusal = check(single)) {
            return std::move(refusal->text);
        }
    }
    if (mayRecord) {
        for (const Check check : {doubleQuoteRefusal, restoreFileNameRefusal}) {
            if (std::optional<Message> refusal = check(single)) {
                return std::move(refusal->text);
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> changeProblem(const std::string& directory, const PlannedChange& change,
                                         bool mayRecord,
                                         const std::function<bool(std::string_view)>& heldByOther) {
    if (auto problem = singleChangeProblem(directory, change, mayRecord)) {
        return problem;
    }
    if (change.newName == change.oldName) {
        return std::nullopt;
    }
    if (change.newName.size() > kNameMax) {
        return platform::Status::fromErrno(ENAMETOOLONG).message();
    }
    if (heldByOther(change.newName)) {
        return platform::Status::fromErrno(EEXIST).message();
    }
    return std::nullopt;
}

}  // namespace nameshift::engine
