#include "platform/NameBeneath.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <utility>

namespace nameshift::platform {
namespace {

bool isPlainPart(std::string_view part) {
    return !part.empty() && part != "." && part != "..";
}

// Kernels before 5.6 have no openat2: the path is walked a part at a time instead.
Result<int> walkBeneath(int directoryFd, std::string_view path) {
    struct stat root {};
    if (::fstat(directoryFd, &root) != 0) {
        return Status::fromErrno(errno);
    }
    FileDescriptor current(::fcntl(directoryFd, F_DUPFD_CLOEXEC, 0));
    while (current.get() >= 0 && !path.empty()) {
        const std::size_t slash = std::min(path.find('/'), path.size());
        const std::string part(path.substr(0, slash));
        path.remove_prefix(std::min(slash + 1, path.size()));
        FileDescriptor next(
            ::openat(current.get(), part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        struct stat info {};
        if (next.get() >= 0 && (::fstat(next.get(), &info) != 0 || info.st_dev != root.st_dev)) {
            return Status::fromErrno(EXDEV);
        }
        current = std::move(next);
    }
    if (current.get() < 0) {
        return Status::fromErrno(errno);
    }
    return current.release();
}

}  // namespace

Result<int> openFolderBeneath(int directoryFd, std::string_view path) {
    for (std::string_view rest = path; !rest.empty();) {
        const std::size_t slash = std::min(rest.find('/'), rest.size());
        if (!isPlainPart(rest.substr(0, slash))) {
            return Status::fromErrno(EINVAL);
        }
        rest.remove_prefix(std::min(slash + 1, rest.size()));
    }
    if (path.empty() || path.back() == '/') {
        return Status::fromErrno(EINVAL);
    }
    open_how how{};
    how.flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS | RESOLVE_NO_XDEV;
    const std::string terminated(path);
    const long fd = ::syscall(SYS_openat2, directoryFd, terminated.c_str(), &how, sizeof how);
    if (fd >= 0) {
        return static_cast<int>(fd);
    }
    if (errno == ENOSYS || errno == E2BIG || errno == EPERM) {
        return walkBeneath(directoryFd, path);
    }
    // openat2 tells a link met on the way by ELOOP, as O_NOFOLLOW does.
    return Status::fromErrno(errno);
}

NameBeneath::NameBeneath(const Directory& directory, const std::string& name) {
    const std::size_t slash = name.rfind('/');
    if (slash == std::string::npos) {
        folder_ = directory.descriptor();
        leaf_ = name.c_str();
        return;
    }
    const std::string_view path = std::string_view(name).substr(0, slash);
    OpenedSubfolders& kept = directory.subfolders();
    opened_ = kept.find(path);
    if (!opened_) {
        Result<int> opened = openFolderBeneath(directory.descriptor(), path);
        if (!opened.ok()) {
            error_ = opened.status().error();
            return;
        }
        opened_ = std::make_shared<const FileDescriptor>(*opened);
        kept.keep(path, opened_);
    }
    folder_ = opened_->get();
    leaf_ = name.c_str() + slash + 1;
}

}  // namespace nameshift::platform
