#include "engine/BatchChecks.h"

#include <unordered_set>

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
    std::unordered_set<std::string_view> seen;
    seen.reserve(changes.size());
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (!seen.insert(changes[i].newName).second) {
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
        for (const std::string* name : {&change.oldName, &change.newName}) {
            if (hasQuote(*name)) {
                return stop({NS_MESSAGE("Message",
                                        "Cannot continue - the file name \"%1\" contains a double "
                                        "quote, which a restore file cannot record."),
                             {*name}},
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

}  // namespace nameshift::engine
