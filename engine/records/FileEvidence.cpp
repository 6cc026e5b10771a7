#include "engine/records/FileEvidence.h"

namespace nameshift::engine {
namespace {

bool bothKnown(std::int64_t a, std::int64_t b) {
    return a != 0 && b != 0;
}

}  // namespace

FileTraits traitsOf(std::uint64_t size, std::int64_t writeTimeNs, std::int64_t birthTimeNs,
                    bool folder) {
    return folder ? FileTraits{true, 0, 0, birthTimeNs}
                  : FileTraits{true, size, writeTimeNs, birthTimeNs};
}

FileEvidence evidenceOf(const platform::FileIdentity& identity) {
    return {identity.inode, traitsOf(identity.size, identity.writeTimeNs, identity.birthTimeNs,
                                     identity.isDirectory)};
}

FileEvidence evidenceOf(const platform::DirEntry& entry) {
    return {entry.inode, traitsOf(entry.size, entry.writeTimeNs, entry.birthTimeNs,
                                  entry.isDirectory && !entry.isLink)};
}

Verdict judgeFile(const FileEvidence& recorded, const FileEvidence& met, bool numbersKept,
                  Sighting where) {
    const FileTraits& was = recorded.traits;
    const FileTraits& is = met.traits;
    if (numbersKept && recorded.inode != met.inode) {
        return Verdict::Other;
    }
    if (!was.known) {
        // A record of the number alone: it tells a file only under a name the batch used.
        if (!numbersKept || where == Sighting::OtherName) {
            return Verdict::Undecided;
        }
        return Verdict::Same;
    }
    if (!is.known) {
        return Verdict::Undecided;
    }
    const bool births = bothKnown(was.birthTimeNs, is.birthTimeNs);
    if (births && was.birthTimeNs != is.birthTimeNs) {
        return Verdict::Other;
    }
    // A number is handed on only with a new birth time: the file is the one renamed, whatever
    // was written to it since.
    if (births && numbersKept) {
        return Verdict::Same;
    }
    if (was.size != is.size || was.writeTimeNs != is.writeTimeNs) {
        return Verdict::Other;
    }
    if (!numbersKept && !births && where == Sighting::OtherName) {
        return Verdict::Undecided;
    }
    return Verdict::Same;
}

Verdict judgeFolder(const FolderEvidence& recorded, const platform::FileIdentity& met,
                    bool numbersKept) {
    const bool births = bothKnown(recorded.birthTimeNs, met.birthTimeNs);
    if (births && recorded.birthTimeNs != met.birthTimeNs) {
        return Verdict::Other;
    }
    // The device number is not compared: a medium mounted again gets another one.
    if (numbersKept && recorded.inode != met.inode) {
        return Verdict::Other;
    }
    return Verdict::Same;
}

}  // namespace nameshift::engine
