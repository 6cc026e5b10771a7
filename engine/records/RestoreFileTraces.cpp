#include "engine/records/RestoreFileTraces.h"

#include <algorithm>

#include "engine/records/RestoreFile.h"
#include "platform/FileSystem.h"

namespace nameshift::engine {
namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool isRestoreNameSpelledOtherwise(std::string_view name) {
    const std::string_view restore = kRestoreFileName;
    return name.size() == restore.size() && name != restore &&
           std::equal(name.begin(), name.end(), restore.begin(),
                      [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
}

void RestoreFileTraces::note(std::string_view name, bool isDirectory) {
    if (name == kRestoreFileName) {
        holdsRestoreFile = true;
    } else if (isRestoreNameSpelledOtherwise(name)) {
        otherSpellings.emplace_back(name);
    } else if (!isDirectory && platform::isWriteTemporary(name, kRestoreFileName)) {
        abandonedRecords.emplace_back(name);
    }
}

}  // namespace nameshift::engine
