#include "engine/JournalFiles.h"

#include <algorithm>
#include <unordered_map>

#include "engine/BatchRunner.h"
#include "engine/NameIndex.h"

namespace nameshift::engine {

bool isTemporaryName(const std::string& name) {
    return name.starts_with(kTemporaryPrefix);
}

std::vector<std::string> findJournalFiles(platform::FileSystem& fileSystem,
                                          const platform::Directory& directory,
                                          const Journal& journal,
                                          const std::vector<platform::DirEntry>& entries) {
    const auto nameAt = [&entries](std::size_t i) -> std::string_view { return entries[i].name; };
    NameIndex<decltype(nameAt)> listed(entries.size(), nameAt);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        listed.insert(i);
    }
    const auto holds = [&](const std::string& name) {
        return listed.find(name) != decltype(listed)::kNone;
    };
    // The listing's number is the file's on all but a few stacked filesystems; a file whose
    // listed number differs is looked at itself before it counts as another.
    const auto isFile = [&](const std::string& name, std::uint64_t inode) {
        if (entries[listed.find(name)].inode == inode) {
            return true;
        }
        const auto identity = fileSystem.identifyIn(directory, name);
        return identity.ok() && identity->inode == inode;
    };
    std::vector<std::string> names(journal.entries.size());
    std::vector<char> claimed(entries.size(), 0);
    const auto claim = [&](std::size_t i, const std::string& name) {
        names[i] = name;
        claimed[listed.find(name)] = 1;
    };
    std::size_t held = 0;
    std::size_t confirmed = 0;
    for (std::size_t i = 0; i < journal.entries.size(); ++i) {
        const JournalEntry& entry = journal.entries[i];
        const bool hasOld = holds(entry.original);
        const bool hasNew = holds(entry.final);
        held += hasOld || hasNew ? 1 : 0;
        // The old name first: two names of one file (hard links) count as the old one.
        if (hasOld && isFile(entry.original, entry.inode)) {
            claim(i, entry.original);
        } else if (hasNew && isFile(entry.final, entry.inode)) {
            claim(i, entry.final);
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
    const bool anyMissing = std::find(names.begin(), names.end(), std::string()) != names.end();
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
