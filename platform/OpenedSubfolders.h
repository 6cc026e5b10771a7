#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileDescriptor.h"

namespace nameshift::platform {

// The subfolders of an open directory that were opened last, kept open by their paths from it:
// a batch over a tree calls on file after file of one folder, and opening the folder anew for
// each call costs as much as the call. A kept folder stays the one that was opened, whatever
// takes its path since, as the directory itself does; renaming or removing a folder through the
// directory forgets it and what lies beneath it.
class OpenedSubfolders {
public:
    using Handle = std::shared_ptr<const FileDescriptor>;

    // The kept folder at `path`, or nothing.
    Handle find(std::string_view path);
    void keep(std::string_view path, Handle folder);
    // Forgets `path` and every folder beneath it.
    void forget(std::string_view path);
    void clear();

private:
    struct Kept {
        std::string path;
        Handle folder;
    };
    // Two at least, so that a move between two folders keeps both; a few more for a batch that
    // goes back and forth between neighbours.
    static constexpr std::size_t kKept = 4;

    std::mutex mutex_;
    std::vector<Kept> kept_;  // the most recently used last
};

}  // namespace nameshift::platform
