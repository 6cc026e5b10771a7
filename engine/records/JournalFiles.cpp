#include "engine/records/JournalFiles.h"

#include <algorithm>
#include <unordered_map>

#include "engine/naming/NameIndex.h"
#include "engine/naming/NamePath.h"

namespace nameshift::engine {

bool isTemporaryName(std::string_view name) {
    return leafOf(name).starts_with(kTemporaryPrefix);
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
        if (looked_[at] == 0 && entries_[at].lookedAt) {
            // The listing, made just before, looked at the entry already.
            looked_[at] = 1;
            evidence_[at] = evidenceOf(entries_[at]);
        } else if (looked_[at] == 0) {
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

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Finds where each file of a journal is now, pass by pass: under the entry's own names, then
// among the files no entry took; a file two entries could both be taken for is neither's.
class JournalFileSearch {
public:
    JournalFileSearch(platform::FileSystem& fileSystem, const platform::Directory& directory,
                      const Journal& journal, const std::vector<platform::DirEntry>& entries)
        : journal_(journal),
          entries_(entries),
          count_(journal.entries.size()),
          numbersKept_(fileSystem.keepsFileNumbers(directory)),
          evidence_(fileSystem, directory, entries),
          found_(count_, kNone),
          why_(count_, Absence::Gone),
          otherAt_(count_, kNone),
          takers_(entries.size(), 0) {}

    std::vector<std::string_view> run(std::vector<Absence>* absences) {
        takeUnderRecordedNames();
        if (std::any_of(found_.begin(), found_.end(), [](std::size_t at) { return at == kNone; })) {
            takeAmongUntaken();
        }
        std::vector<std::string_view> names = settleNames();
        if (absences != nullptr) {
            *absences = std::move(why_);
        }
        return names;
    }

private:
    void take(std::size_t i, std::size_t at) {
        found_[i] = at;
        takers_[at] = static_cast<std::uint8_t>(std::min(takers_[at] + 1, 2));
    }

    // Each entry's old name first, then its new one.
    void takeUnderRecordedNames() {
        const auto nameAt = [this](std::size_t i) -> std::string_view { return entries_[i].name; };
        NameIndex<decltype(nameAt)> listed(entries_.size(), nameAt);
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            listed.insert(i);
        }
        for (std::size_t i = 0; i < count_; ++i) {
            const JournalEntry& entry = journal_.entries[i];
            for (const std::string* name : {&entry.original, &entry.final}) {
                const std::size_t at = listed.find(*name);
                if (at == kNone) {
                    continue;
                }
                const Verdict verdict =
                    evidence_.judge(entry.evidence(), at, numbersKept_, Sighting::RecordedName);
                if (verdict == Verdict::Same) {
                    take(i, at);
                    break;
                }
                if (verdict == Verdict::Undecided) {
                    why_[i] = Absence::Undecided;
                } else if (why_[i] == Absence::Gone) {
                    why_[i] = Absence::Replaced;
                    otherAt_[i] = at;
                }
            }
        }
    }

    // The files no entry took, temporary names first: each missing entry takes the one its
    // evidence names, and only a file that one entry alone could be.
    void takeAmongUntaken() {
        // Folders are looked among only for a journal that renamed folders.
        const bool folders = std::any_of(
            journal_.entries.begin(), journal_.entries.end(),
            [](const JournalEntry& entry) { return entry.evidence().traits.folderLike(); });
        for (const bool temporaries : {true, false}) {
            for (std::size_t at = 0; at < entries_.size(); ++at) {
                const bool kindFits =
                    !entries_[at].isDirectory || (folders && !entries_[at].isLink);
                if (takers_[at] == 0 && kindFits &&
                    isTemporaryName(entries_[at].name) == temporaries) {
                    rest_.push_back(at);
                }
            }
        }
        if (numbersKept_) {
            for (const std::size_t at : rest_) {
                if (const FileEvidence* met = evidence_.at(at)) {
                    byInode_.emplace(met->inode, at);
                }
            }
        }
        wanted_.assign(entries_.size(), 0);
        candidate_.assign(count_, kNone);
        for (std::size_t i = 0; i < count_; ++i) {
            if (found_[i] == kNone) {
                chooseCandidate(i);
            }
        }
        for (std::size_t i = 0; i < count_; ++i) {
            if (candidate_[i] == kNone) {
                continue;
            }
            if (wanted_[candidate_[i]] == 1) {
                take(i, candidate_[i]);
            } else {
                why_[i] = Absence::Undecided;
            }
        }
    }

    void chooseCandidate(std::size_t i) {
        const FileEvidence recorded = journal_.entries[i].evidence();
        const std::size_t matches =
            numbersKept_ ? matchByNumber(i, recorded) : matchByTemporaryName(i, recorded);
        if (matches > 1) {
            candidate_[i] = kNone;
            why_[i] = Absence::Undecided;
        } else if (matches == 1) {
            wanted_[candidate_[i]] =
                static_cast<std::uint8_t>(std::min(wanted_[candidate_[i]] + 1, 2));
        }
    }

    Verdict judgeAt(const FileEvidence& recorded, std::size_t at) {
        const Sighting where =
            isTemporaryName(entries_[at].name) ? Sighting::TemporaryName : Sighting::OtherName;
        return evidence_.judge(recorded, at, numbersKept_, where);
    }

    std::size_t matchByNumber(std::size_t i, const FileEvidence& recorded) {
        const auto hit = byInode_.find(recorded.inode);
        if (hit == byInode_.end()) {
            return 0;
        }
        const Verdict verdict = judgeAt(recorded, hit->second);
        if (verdict == Verdict::Same) {
            candidate_[i] = hit->second;
            return 1;
        }
        if (verdict == Verdict::Undecided) {
            why_[i] = Absence::Undecided;
        }
        return 0;
    }

    // Without numbers only a temporary name of ours, with the rest agreeing.
    std::size_t matchByTemporaryName(std::size_t i, const FileEvidence& recorded) {
        std::size_t matches = 0;
        for (const std::size_t at : rest_) {
            if (!isTemporaryName(entries_[at].name)) {
                break;
            }
            if (judgeAt(recorded, at) == Verdict::Same) {
                candidate_[i] = at;
                ++matches;
            }
        }
        return matches;
    }

    // The names of the files each entry alone took; the file met under a name of an entry that
    // another entry took is no replacement.
    std::vector<std::string_view> settleNames() {
        std::vector<std::string_view> names(count_);
        for (std::size_t i = 0; i < count_; ++i) {
            if (found_[i] == kNone) {
                if (why_[i] == Absence::Replaced && takers_[otherAt_[i]] != 0) {
                    why_[i] = Absence::Gone;
                }
                continue;
            }
            if (takers_[found_[i]] == 1) {
                names[i] = entries_[found_[i]].name;
                why_[i] = Absence::None;
            } else {
                why_[i] = Absence::Undecided;
            }
        }
        return names;
    }

    const Journal& journal_;
    const std::vector<platform::DirEntry>& entries_;
    const std::size_t count_;
    const bool numbersKept_;
    ListedEvidence evidence_;
    std::vector<std::size_t> found_;
    std::vector<Absence> why_;
    // The file met under a name of each entry that was another.
    std::vector<std::size_t> otherAt_;
    // How many entries took each listed file: one taken twice is neither's.
    std::vector<std::uint8_t> takers_;
    // The files no entry took under its own names, temporary names first, and by number.
    std::vector<std::size_t> rest_;
    std::unordered_map<std::uint64_t, std::size_t> byInode_;
    // How many missing entries want each listed file, and which file each wants.
    std::vector<std::uint8_t> wanted_;
    std::vector<std::size_t> candidate_;
};

}  // namespace

std::vector<std::string_view> findJournalFiles(platform::FileSystem& fileSystem,
                                               const platform::Directory& directory,
                                               const Journal& journal,
                                               const std::vector<platform::DirEntry>& entries,
                                               std::vector<Absence>* absences) {
    return JournalFileSearch(fileSystem, directory, journal, entries).run(absences);
}

}  // namespace nameshift::engine
