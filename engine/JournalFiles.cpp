#include "engine/JournalFiles.h"

#include <algorithm>
#include <unordered_map>

#include "engine/BatchRunner.h"
#include "engine/NameIndex.h"

namespace nameshift::engine {

bool isTemporaryName(std::string_view name) {
    return name.starts_with(kTemporaryPrefix);
}

std::vector<std::string_view> findJournalFiles(platform::FileSystem& fileSystem,
                                               const platform::Directory& directory,
                                               const Journal& journal,
                                               const std::vector<platform::DirEntry>& entries) {
    const auto nameAt = [&entries](std::size_t i) -> std::string_view { return entries[i].name; };
    NameIndex<decltype(nameAt)> listed(entries.size(), nameAt);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        listed.insert(i);
    }
    constexpr std::size_t kNone = decltype(listed)::kNone;
    const auto holds = [&](const std::string& name) { return listed.find(name) != kNone; };
    // The listing's number is the file's on all but a few stacked filesystems; a file whose
    // listed number differs is looked at itself before it counts as another.
    const auto isFile = [&](std::size_t at, std::uint64_t inode) {
        if (entries[at].inode == inode) {
            return true;
        }
        const auto identity = fileSystem.identifyIn(directory, entries[at].name);
        return identity.ok() && identity->inode == inode;
    };
    std::vector<std::string_view> names(journal.entries.size());
    std::vector<char> claimed(entries.size(), 0);
    const auto claimAt = [&](std::size_t i, std::size_t at) {
        names[i] = entries[at].name;
        claimed[at] = 1;
    };
    const auto claim = [&](std::size_t i, const std::string& name) {
        claimAt(i, listed.find(name));
    };
    std::size_t held = 0;
    std::size_t confirmed = 0;
    for (std::size_t i = 0; i < journal.entries.size(); ++i) {
        const JournalEntry& entry = journal.entries[i];
        const std::size_t oldAt = listed.find(entry.original);
        const std::size_t newAt = listed.find(entry.final);
        held += oldAt != kNone || newAt != kNone ? 1 : 0;
        // The old name first: two names of one file (hard links) count as the old one.
        if (oldAt != kNone && isFile(oldAt, entry.inode)) {
            claimAt(i, oldAt);
        } else if (newAt != kNone && isFile(newAt, entry.inode)) {
            claimAt(i, newAt);
        } else {
            continue;
        }
        ++confirmed;
    }
    // Where the numbers confirm few of the names there, the filesystem numbers its files anew
    // (exfat-fuse, after its daemon forgot them): the names alone decide, one of the two being
    // there.
    if (confirmed * 2 < held) {
        for (std::size_t i = 0; i < journal.entries.size(); ++i) {
            const JournalEntry& entry = journal.entries[i];
            if (names[i].empty() && holds(entry.original) != holds(entry.final)) {
                claim(i, holds(entry.original) ? entry.original : entry.final);
            }
        }
    }
    const bool anyMissing =
        std::find(names.begin(), names.end(), std::string_view()) != names.end();
    if (!anyMissing) {
        return names;
    }
    // Temporary names first, then whatever else the folder holds that no entry has claimed.
    std::unordered_map<std::uint64_t, std::size_t> byInode;
    for (const bool temporaries : {true, false}) {
        for (std::size_t at = 0; at < entries.size(); ++at) {
            if (claimed[at] != 0 || entries[at].isDirectory ||
                isTemporaryName(entries[at].name) != temporaries) {
                continue;
            }
            if (const auto identity = fileSystem.identifyIn(directory, entries[at].name);
                identity.ok()) {
                byInode.emplace(identity->inode, at);
            }
        }
    }
    for (std::size_t i = 0; i < journal.entries.size(); ++i) {
        if (!names[i].empty()) {
            continue;
        }
        const auto found = byInode.find(journal.entries[i].inode);
        if (found != byInode.end() && claimed[found->second] == 0) {
            names[i] = entries[found->second].name;
            claimed[found->second] = 1;
        }
    }
    // Where a filesystem numbers a file anew with each name (exfat-fuse), a file caught under a
    // temporary name has no number to be found by. A batch renames one file at a time, so when
    // one file is missing and one temporary name of ours is left, it is that file.
    const auto unclaimedTemporary = [&]() -> std::optional<std::size_t> {
        std::optional<std::size_t> found;
        for (std::size_t at = 0; at < entries.size(); ++at) {
            if (claimed[at] == 0 && !entries[at].isDirectory && isTemporaryName(entries[at].name)) {
                if (found) {
                    return std::nullopt;
                }
                found = at;
            }
        }
        return found;
    };
    const auto missing = std::count(names.begin(), names.end(), std::string());
    if (missing == 1) {
        if (const std::optional<std::size_t> aside = unclaimedTemporary()) {
            *std::find(names.begin(), names.end(), std::string()) = entries[*aside].name;
        }
    }
    return names;
}

}  // namespace nameshift::engine
