#include "platform/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <utility>

namespace nameshift::platform {
namespace {

Status lastError() {
    return Status::fromErrno(errno);
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// glibc 2.36 declares renameat2 only with _GNU_SOURCE on some set-ups; the system call is stable.
int renameNoReplace(const char* from, const char* to) {
    return static_cast<int>(
        ::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
}

bool flagRefused(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// Moves a file to a name that must not exist yet. Where the filesystem refuses the flag, a hard
// link claims the new name just as atomically, and the old name goes afterwards.
Status moveWithoutReplacing(const std::string& from, const std::string& to) {
    if (renameNoReplace(from.c_str(), to.c_str()) == 0) {
        return {};
    }
    if (!flagRefused(errno)) {
        return lastError();
    }
    if (::link(from.c_str(), to.c_str()) != 0) {
        return lastError();
    }
    if (::unlink(from.c_str()) != 0) {
        Status status = lastError();
        ::unlink(to.c_str());
        return status;
    }
    return {};
}

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {};
    }
    return path.substr(0, slash + 1);
}

Status writeAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return lastError();
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

// A fresh name beside the target, so the final rename never crosses a filesystem.
std::string temporaryNameFor(const std::string& path) {
    static std::mt19937_64 random{std::random_device{}()};
    const auto slash = path.rfind('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx~", static_cast<unsigned long long>(random()));
    return directoryOf(path) + "." + base + suffix;
}

}  // namespace

std::uint32_t attributesOf(std::string_view name, unsigned mode) {
    std::uint32_t bits = 0;
    if ((mode & S_IWUSR) == 0) {
        bits |= attribute::kReadOnly;
    }
    if (!name.empty() && name.front() == '.') {
        bits |= attribute::kHidden;
    }
    bits |= S_ISREG(mode) ? attribute::kArchive : attribute::kSystem;
    return bits;
}

Result<std::vector<DirEntry>> PosixFileSystem::listDirectory(const std::string& path) {
    std::unique_ptr<DIR, DirCloser> dir(::opendir(path.empty() ? "." : path.c_str()));
    if (!dir) {
        return lastError();
    }
    const int dirFd = ::dirfd(dir.get());
    std::vector<DirEntry> entries;
    errno = 0;
    while (const dirent* item = ::readdir(dir.get())) {
        const std::string_view name = item->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        struct stat info {};
        if (::fstatat(dirFd, item->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;  // gone since readdir saw it
        }
        DirEntry entry;
        entry.name = name;
        entry.attributes = attributesOf(name, info.st_mode);
        entry.size = static_cast<std::uint64_t>(info.st_size);
        entry.writeTimeNs =
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
        entry.isDirectory = S_ISDIR(info.st_mode);
        if (S_ISLNK(info.st_mode)) {
            struct stat target {};
            entry.isDirectory =
                ::fstatat(dirFd, item->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

Result<std::string> PosixFileSystem::currentDirectory() {
    std::unique_ptr<char, decltype(&std::free)> path(::getcwd(nullptr, 0), &std::free);
    if (!path) {
        return lastError();
    }
    return std::string(path.get());
}

Status PosixFileSystem::setCurrentDirectory(const std::string& path) {
    if (::chdir(path.c_str()) != 0) {
        return lastError();
    }
    return {};
}

Status PosixFileSystem::rename(const std::string& from, const std::string& to) {
    if (from == to) {
        struct stat info {};
        if (::lstat(from.c_str(), &info) != 0) {
            return lastError();
        }
        return {};
    }
    return moveWithoutReplacing(from, to);
}

Status PosixFileSystem::writeFile(const std::string& path, std::string_view contents,
                                  WriteMode mode) {
    if (mode == WriteMode::CreateNew) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0) {
            return Status::fromErrno(EEXIST);
        }
    }
    const std::string temporary = temporaryNameFor(path);
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (fd.get() < 0) {
        return lastError();
    }
    Status status = writeAll(fd.get(), contents);
    if (status.ok() && ::fsync(fd.get()) != 0) {
        status = lastError();
    }
    if (::close(fd.release()) != 0 && status.ok()) {
        status = lastError();
    }
    if (status.ok()) {
        if (mode == WriteMode::CreateNew) {
            status = moveWithoutReplacing(temporary, path);
        } else if (::rename(temporary.c_str(), path.c_str()) != 0) {
            status = lastError();
        }
    }
    if (!status.ok()) {
        ::unlink(temporary.c_str());
    }
    return status;
}

Result<std::string> PosixFileSystem::readFile(const std::string& path, std::size_t maxBytes) {
    // Without O_NONBLOCK, opening a FIFO would wait for a writer forever.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        return lastError();
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return lastError();
    }
    if (!S_ISREG(info.st_mode)) {
        return Status::fromErrno(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > maxBytes) {
        return Status::fromErrno(EFBIG);
    }
    std::string contents;
    contents.reserve(static_cast<std::size_t>(size));
    char buffer[65536];
    for (;;) {
        // One byte more than allowed is enough to tell a file that grew past the limit since
        // fstat from one that ends exactly at it.
        const std::size_t room = maxBytes - contents.size();
        const std::size_t wanted = room < sizeof buffer ? room + 1 : sizeof buffer;
        const ssize_t got = ::read(fd.get(), buffer, wanted);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return lastError();
        }
        if (got == 0) {
            break;
        }
        if (static_cast<std::size_t>(got) > room) {
            return Status::fromErrno(EFBIG);
        }
        contents.append(buffer, static_cast<std::size_t>(got));
    }
    return contents;
}

Status PosixFileSystem::removeFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0) {
        return lastError();
    }
    return {};
}

}  // namespace nameshift::platform
