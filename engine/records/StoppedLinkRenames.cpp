#include "engine/records/StoppedLinkRenames.h"

#include "engine/records/FileEvidence.h"

namespace nameshift::engine {

StoppedLinkRenames::StoppedLinkRenames(const Journal& journal,
                                       const std::vector<platform::DirEntry>& listing)
    : journal_(journal) {
    listed_.reserve(listing.size());
    for (const platform::DirEntry& entry : listing) {
        listed_.insert(entry.name);
    }
    for (const JournalEntry& entry : journal.entries) {
        ++uses_[entry.original];
        ++uses_[entry.final];
    }
}

bool StoppedLinkRenames::settle(platform::FileSystem& fileSystem,
                                const platform::Directory& directory, std::size_t entry,
                                std::string_view now, const std::string& keep,
                                bool numbersKept) const {
    const JournalEntry& names = journal_.entries[entry];
    if (now != names.original && now != names.final) {
        return false;
    }
    const std::string& other = now == names.original ? names.final : names.original;
    if (!listed_.contains(other) || uses_.at(names.original) != 1 || uses_.at(names.final) != 1) {
        return false;
    }
    const auto one = fileSystem.identifyIn(directory, names.original);
    const auto two = fileSystem.identifyIn(directory, names.final);
    if (!one.ok() || !two.ok()) {
        return false;
    }
    const bool oneFile =
        numbersKept ? one->sameFileAs(*two)
                    : judgeFile(evidenceOf(*one), evidenceOf(*two), false,
                                Sighting::RecordedName) == Verdict::Same &&
                          fileSystem.holdSameBytesIn(directory, names.original, names.final);
    const std::string& drop = keep == names.original ? names.final : names.original;
    return oneFile && fileSystem.removeFileIn(directory, drop).ok();
}

}  // namespace nameshift::engine
