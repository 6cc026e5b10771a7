#pragma once

#include <string>
#include <string_view>

#include "platform/Directory.h"
#include "platform/FileDescriptor.h"
#include "platform/OpenedSubfolders.h"
#include "platform/Status.h"

namespace nameshift::platform {

// A folder beneath an open directory, by its path from there ("a/b"), opened without following
// a link, without "." or ".." and without leaving the directory's filesystem: a folder swapped
// for a link while a batch runs cannot send a rename anywhere else. The descriptor is the
// caller's to close.
Result<int> openFolderBeneath(int directoryFd, std::string_view path);

// A name inside an open directory or beneath it ("a/b/name"): the folder that holds it, opened as
// openFolderBeneath opens it, and the name's last part. A plain name is the directory's own, and
// opens nothing. A folder the directory kept open is used again, and one opened is kept.
class NameBeneath {
public:
    NameBeneath(const Directory& directory, const std::string& name);

    bool ok() const { return folder_ >= 0; }
    Status status() const { return Status::fromErrno(error_); }
    int folder() const { return folder_; }
    const char* leaf() const { return leaf_; }

private:
    // Shared with the directory's kept subfolders, so a folder they let go stays open here.
    OpenedSubfolders::Handle opened_;
    int folder_ = -1;
    int error_ = 0;
    const char* leaf_ = nullptr;
};

}  // namespace nameshift::platform
