#include "engine/records/JournalFiles.h"

#include <algorithm>
#include <unordered_map>

#include "engine/naming/NameIndex.h"

namespace nameshift::engine {

bool isTemporaryName(std::string_view name) {
    return name.starts_with(kTemporaryPrefix);
}

namespace {

// The folder's entries with the evidence of each, looked at once and only when asked for.
class ListedEvidence {
public:
    ListedEvidence(platform::FileSystem& fileSystem, const platform::Directory& directory,
                   const std::vector<platform::DirEntry>& entries)
        : fileSystem_(fileSystem),
          directory_(directory),
          entries_(entries),
          looked_(entries.size(), 0),
          evidence_(entries.size()) {}

    // Nothing when the entry is gone since it was listed.
    const FileEvidence* at(std::size_t at) {
        if (looked_[at] == 0) {
            looked_[at] = 1;
            const auto identity = fileSystem_.identifyIn(directory_, entries_[at].name);
            if (identity.ok()) {
                evidence_[at] = evidenceOf(*identity);
            } else {
                looked_[at] = 2;
            }
        }
        return looked_[at] == 1 ? &evidence_[at] : nullptr;
    }

    // The listing's number alone, where it is all a record of the number alone needs.
    Verdict judge(const FileEvidence& recorded, std::size_t at, bool numbersKept, Sighting where) {
        if (!recorded.traits.known && numbersKept && entries_[at].inode == recorded.inode &&
            where != Sighting::OtherName) {
            return Verdict::Same;
        }
        const FileEvidence* met = this->at(at);
        return met == nullptr ? Verdict::Other : judgeFile(recorded, *met, numbersKept, where);
    }

private:
    platform::FileSystem& fileSystem_;
    const platform::Directory& directory_;
    const std::vector<platform::DirEntry>& entries_;
    std::vector<char> looked_;  // 0 not yet, 1 looked at, 2 gone
    std::vector<FileEvidence> evidence_;
};

}  // namespace

std::vector<std::string_view> findJournalFiles(platform::FileSystem& fileSystem,
                                               const platform::Directory& directory,
                                               const Journal& journal,
                                               const std::vector<platform::DirEntry>& entries,
                                               std::vector<Absence>* absences) {
    const auto nameAt = [&entries](std::size_t i) -> std::string_view { return entries[i].name; };
    NameIndex<decltype(nameAt)> listed(entries.size(), nameAt);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        listed.insert(i);
    }
    constexpr std::size_t kNone = decltype(listed)::kNone;
    const bool numbersKept = fileSystem.keepsFileNumbers(directory);
    ListedEvidence evidence(fileSystem, directory, entries);
    const std::size_t count = journal.entries.size();
    std::vector<std::size_t> found(count, kNone);
    std::vector<Absence> why(count, Absence::Gone);
    // The file met under a name of each entry that was another; one another entry took is no
    // replacement.
    std::vector<std::size_t> otherAt(count, kNone);
    // How many entries took each listed file: one taken twice is neither's.
    std::vector<std::uint8_t> takers(entries.size(), 0);
    const auto take = [&](std::size_t i, std::size_t at) {
        found[i] = at;
        takers[at] = static_cast<std::uint8_t>(std::min(takers[at] + 1, 2));
    };
    for (std::size_t i = 0; i < count; ++i) {
        const JournalEntry& entry = journal.entries[i];
        for (const std::string* name : {&entry.original, &entry.final}) {
            const std::size_t at = listed.find(*name);
            if (at == kNone) {
                continue;
            }
            const Verdict verdict =
                evidence.judge(entry.evidence(), at, numbersKept, Sighting::RecordedName);
            if (verdict == Verdict::Same) {
                take(i, at);
                break;
            }
            if (verdict == Verdict::Undecided) {
                why[i] = Absence::Undecided;
            } else if (why[i] == Absence::Gone) {
                why[i] = Absence::Replaced;
                otherAt[i] = at;
            }
        }
    }
    const auto missing = [&](std::size_t i) { return found[i] == kNone; };
    bool anyMissing = false;
    for (std::size_t i = 0; i < count && !anyMissing; ++i) {
        anyMissing = missing(i);
    }
    if (anyMissing) {
        // The files no entry took, temporary names first: each missing entry takes the one its
        // evidence names, and only a file that one entry alone could be.
        std::vector<std::size_t> rest;
        for (const bool temporaries : {true, false}) {
            for (std::size_t at = 0; at < entries.size(); ++at) {
                if (takers[at] == 0 && !entries[at].isDirectory &&
                    isTemporaryName(entries[at].name) == temporaries) {
                    rest.push_back(at);
                }
            }
        }
        std::unordered_map<std::uint64_t, std::size_t> byInode;
        if (numbersKept) {
            for (const std::size_t at : rest) {
                if (const FileEvidence* met = evidence.at(at)) {
                    byInode.emplace(met->inode, at);
                }
            }
        }
        std::vector<std::uint8_t> wanted(entries.size(), 0);
        std::vector<std::size_t> candidate(count, kNone);
        for (std::size_t i = 0; i < count; ++i) {
            if (!missing(i)) {
                continue;
            }
            const FileEvidence recorded = journal.entries[i].evidence();
            const auto judgeAt = [&](std::size_t at) {
                const Sighting where = isTemporaryName(entries[at].name) ? Sighting::TemporaryName
                                                                         : Sighting::OtherName;
                return evidence.judge(recorded, at, numbersKept, where);
            };
            std::size_t matches = 0;
            if (numbersKept) {
                if (const auto hit = byInode.find(recorded.inode); hit != byInode.end()) {
                    const Verdict verdict = judgeAt(hit->second);
                    if (verdict == Verdict::Same) {
                        candidate[i] = hit->second;
                        matches = 1;
                    } else if (verdict == Verdict::Undecided) {
                        why[i] = Absence::Undecided;
                    }
                }
            } else {
                // Without numbers only a temporary name of ours, with the rest agreeing.
                for (const std::size_t at : rest) {
                    if (!isTemporaryName(entries[at].name)) {
                        break;
                    }
                    if (judgeAt(at) == Verdict::Same) {
                        candidate[i] = at;
                        ++matches;
                    }
                }
            }
            if (matches > 1) {
                candidate[i] = kNone;
                why[i] = Absence::Undecided;
            } else if (matches == 1) {
                wanted[candidate[i]] =
                    static_cast<std::uint8_t>(std::min(wanted[candidate[i]] + 1, 2));
            }
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (candidate[i] == kNone) {
                continue;
            }
            if (wanted[candidate[i]] == 1) {
                take(i, candidate[i]);
            } else {
                why[i] = Absence::Undecided;
            }
        }
    }
    std::vector<std::string_view> names(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (found[i] == kNone) {
            if (why[i] == Absence::Replaced && takers[otherAt[i]] != 0) {
                why[i] = Absence::Gone;
            }
            continue;
        }
        if (takers[found[i]] == 1) {
            names[i] = entries[found[i]].name;
            why[i] = Absence::None;
        } else {
            why[i] = Absence::Undecided;
        }
    }
    if (absences != nullptr) {
        *absences = std::move(why);
    }
    return names;
}

}  // namespace nameshift::engine
