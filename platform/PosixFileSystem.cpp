#include "platform/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "platform/FileDescriptor.h"
#include "platform/NameBeneath.h"

namespace nameshift::platform {
namespace {

Status lastError() {
    return Status::fromErrno(errno);
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// glibc 2.36 declares renameat2 only with _GNU_SOURCE on some set-ups; the system call is stable.
int renameNoReplace(int fromFd, const char* from, int toFd, const char* to) {
    return static_cast<int>(::syscall(SYS_renameat2, fromFd, from, toFd, to, RENAME_NOREPLACE));
}

bool flagRefused(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// Filesystems without hard links, such as exFAT, FAT and many SMB shares, say so from link().
bool linksRefused(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS;
}

// Moves a file to a name that must not exist yet. Where the filesystem refuses the flag, a hard
// link claims the new name just as atomically, and the old name goes afterwards. Where it has no
// hard links either, the new name is looked up just before a plain rename, as mv does: only
// another program creating that very name in between could be replaced. What the filesystem
// refused once in a directory is not asked again there: on a share each call is a round trip.
Status moveWithoutReplacing(int fromFd, const char* from, int toFd, const char* to,
                            RenameRefusals& refused) {
    // The refused call is made all the same where the name is then only looked up: on FUSE its
    // lookup of the new name asks the filesystem anew, where a plain look may meet a name the
    // kernel still holds from before the file was moved away (as a case-folding medium gives).
    if (!refused.noReplaceFlag || refused.hardLinks) {
        if (renameNoReplace(fromFd, from, toFd, to) == 0) {
            return {};
        }
        if (!flagRefused(errno)) {
            return lastError();
        }
        refused.noReplaceFlag = true;
    }
    if (!refused.hardLinks) {
        if (::linkat(fromFd, from, toFd, to, 0) == 0) {
            if (::unlinkat(fromFd, from, 0) != 0) {
                Status status = lastError();
                ::unlinkat(toFd, to, 0);
                return status;
            }
            return {};
        }
        if (!linksRefused(errno)) {
            return lastError();
        }
        refused.hardLinks = true;
    }
    struct stat info {};
    if (::fstatat(toFd, to, &info, AT_SYMLINK_NOFOLLOW) == 0) {
        return Status::fromErrno(EEXIST);
    }
    if (errno != ENOENT) {
        return lastError();
    }
    if (::renameat(fromFd, from, toFd, to) != 0) {
        return lastError();
    }
    return {};
}

Status renameInside(const Directory& directory, const std::string& from, const std::string& to) {
    RenameRefusals& refused = directory.refusals();
    const NameBeneath source(directory, from);
    if (!source.ok()) {
        return source.status();
    }
    if (from == to) {
        struct stat info {};
        if (::fstatat(source.folder(), source.leaf(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            return lastError();
        }
        return {};
    }
    const std::size_t fromSlash = from.rfind('/');
    const std::size_t toSlash = to.rfind('/');
    if (fromSlash == toSlash && from.compare(0, fromSlash, to, 0, toSlash) == 0) {
        const char* leaf = toSlash == std::string::npos ? to.c_str() : to.c_str() + toSlash + 1;
        return moveWithoutReplacing(source.folder(), source.leaf(), source.folder(), leaf, refused);
    }
    const NameBeneath target(directory, to);
    if (!target.ok()) {
        return target.status();
    }
    return moveWithoutReplacing(source.folder(), source.leaf(), target.folder(), target.leaf(),
                                refused);
}

std::pair<std::string, std::string> splitPath(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {".", path};
    }
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
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

constexpr std::size_t kTemporaryDigits = 16;

// A fresh name beside the target, so the final rename never crosses a filesystem.
std::string temporaryNameFor(const std::string& name) {
    static std::mt19937_64 random{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx~", static_cast<unsigned long long>(random()));
    return "." + name + suffix;
}

Status writeInside(int dirFd, const std::string& name, const FileContents& contents,
                   WriteMode mode) {
    if (mode == WriteMode::CreateNew) {
        struct stat info {};
        if (::fstatat(dirFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
            return Status::fromErrno(EEXIST);
        }
    }
    const std::string temporary = temporaryNameFor(name);
    FileDescriptor fd(::openat(dirFd, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                               contents.permissions()));
    if (fd.get() < 0) {
        return lastError();
    }
    // Held until the file is closed: whoever can take it knows the writer is gone.
    ::flock(fd.get(), LOCK_EX | LOCK_NB);
    Status status;
    contents.forEachPiece([&](std::string_view piece) {
        status = writeAll(fd.get(), piece);
        return status.ok();
    });
    if (status.ok() && ::fsync(fd.get()) != 0) {
        status = lastError();
    }
    if (::close(fd.release()) != 0 && status.ok()) {
        status = lastError();
    }
    if (status.ok()) {
        if (mode == WriteMode::CreateNew) {
            RenameRefusals refused;
            status = moveWithoutReplacing(dirFd, temporary.c_str(), dirFd, name.c_str(), refused);
        } else if (::renameat(dirFd, temporary.c_str(), dirFd, name.c_str()) != 0) {
            status = lastError();
        }
    }
    if (!status.ok()) {
        ::unlinkat(dirFd, temporary.c_str(), 0);
        return status;
    }
    // The new entry itself must reach the disk, or a crash could lose a file reported written.
    ::fsync(dirFd);
    return {};
}

std::int64_t nanosecondsOf(const struct statx_timestamp& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// One look at an entry that also gives its birth time where the filesystem keeps one; a link is
// not followed.
Result<struct statx> lookAt(int dirFd, const char* name) {
    struct statx info {};
    if (::statx(dirFd, name, AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
        return lastError();
    }
    return info;
}

std::int64_t birthTimeOf(const struct statx& info) {
    return (info.stx_mask & STATX_BTIME) != 0 ? nanosecondsOf(info.stx_btime) : 0;
}

// The program never changes its user, and asking costs a system call per file looked at.
uid_t effectiveUser() {
    static const uid_t user = ::geteuid();
    return user;
}

FileIdentity identityOf(const struct statx& info) {
    return {::makedev(info.stx_dev_major, info.stx_dev_minor),
            info.stx_ino,
            info.stx_nlink,
            info.stx_uid == effectiveUser() && (info.stx_mode & (S_IWGRP | S_IWOTH)) == 0,
            info.stx_size,
            nanosecondsOf(info.stx_mtime),
            birthTimeOf(info),
            S_ISDIR(info.stx_mode)};
}

// How much of each entry readEntries must find out.
enum class Detail { Everything, KindOnly };

// Hands each entry to `visit` as it is read; `visit` may take it over.
template <typename Visit>
Status visitEntries(DIR* dir, Detail detail, Visit&& visit) {
    const int dirFd = ::dirfd(dir);
    // Some filesystems (exfat-fuse) give readdir numbers that are not the files' own, and the
    // numbers tell a file again after a crash: the first regular file tells whether they hold,
    // and where they do not, every file is examined.
    std::optional<bool> readdirNumbersHold;
    for (;;) {
        errno = 0;
        const dirent* item = ::readdir(dir);
        if (item == nullptr) {
            if (errno != 0) {
                return lastError();
            }
            return {};
        }
        const std::string_view name = item->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        if (detail == Detail::KindOnly && item->d_type == DT_REG && !readdirNumbersHold) {
            struct stat info {};
            readdirNumbersHold = ::fstatat(dirFd, item->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
                                 info.st_ino == item->d_ino;
        }
        if (detail == Detail::KindOnly && item->d_type == DT_REG && *readdirNumbersHold) {
            DirEntry entry;
            entry.name = name;
            entry.attributes = attributesOf(name, S_IFREG | S_IWUSR);
            entry.inode = static_cast<std::uint64_t>(item->d_ino);
            visit(entry);
            continue;
        }
        const Result<struct statx> looked = lookAt(dirFd, item->d_name);
        if (!looked.ok()) {
            continue;  // gone since readdir saw it
        }
        const struct statx& info = *looked;
        DirEntry entry;
        entry.name = name;
        entry.attributes = attributesOf(name, info.stx_mode);
        entry.size = info.stx_size;
        entry.writeTimeNs = nanosecondsOf(info.stx_mtime);
        entry.isDirectory = S_ISDIR(info.stx_mode);
        entry.inode = info.stx_ino;
        entry.birthTimeNs = birthTimeOf(info);
        entry.lookedAt = true;
        if (S_ISLNK(info.stx_mode)) {
            entry.isLink = true;
            struct stat target {};
            entry.isDirectory =
                ::fstatat(dirFd, item->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
        }
        visit(entry);
    }
}

Result<std::vector<DirEntry>> readEntries(DIR* dir, Detail detail) {
    std::vector<DirEntry> entries;
    const Status status = visitEntries(
        dir, detail, [&entries](DirEntry& entry) { entries.push_back(std::move(entry)); });
    if (!status.ok()) {
        return status;
    }
    return entries;
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
    return readEntries(dir.get(), Detail::Everything);
}

Result<std::vector<DirEntry>> PosixFileSystem::listDirectoryKinds(const std::string& path) {
    std::unique_ptr<DIR, DirCloser> dir(::opendir(path.empty() ? "." : path.c_str()));
    if (!dir) {
        return lastError();
    }
    return readEntries(dir.get(), Detail::KindOnly);
}

namespace {

// A stream of the open directory's entries, with a descriptor of its own, so closing it leaves
// the directory open.
Result<std::unique_ptr<DIR, DirCloser>> streamOf(const Directory& directory) {
    const int fd = ::openat(directory.descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return lastError();
    }
    std::unique_ptr<DIR, DirCloser> dir(::fdopendir(fd));
    if (!dir) {
        Status status = lastError();
        ::close(fd);
        return status;
    }
    return dir;
}

Result<std::vector<DirEntry>> readOpenDirectory(const Directory& directory, Detail detail) {
    Result<std::unique_ptr<DIR, DirCloser>> dir = streamOf(directory);
    if (!dir.ok()) {
        return dir.status();
    }
    return readEntries(dir.value().get(), detail);
}

}  // namespace

Result<std::vector<DirEntry>> PosixFileSystem::listDirectory(const Directory& directory) {
    return readOpenDirectory(directory, Detail::Everything);
}

Result<std::vector<DirEntry>> PosixFileSystem::listDirectoryKinds(const Directory& directory) {
    return readOpenDirectory(directory, Detail::KindOnly);
}

Status PosixFileSystem::visitDirectoryKinds(const Directory& directory,
                                            const std::function<void(const DirEntryView&)>& visit) {
    return visitDirectoryKindsFor(
        directory, [](std::string_view) { return true; }, visit);
}

Status PosixFileSystem::visitDirectoryKindsFor(
    const Directory& directory, const std::function<bool(std::string_view)>& wanted,
    const std::function<void(const DirEntryView&)>& visit) {
    Result<std::unique_ptr<DIR, DirCloser>> stream = streamOf(directory);
    if (!stream.ok()) {
        return stream.status();
    }
    DIR* dir = stream.value().get();
    const int dirFd = ::dirfd(dir);
    std::optional<bool> readdirNumbersHold;
    for (;;) {
        errno = 0;
        const dirent* item = ::readdir(dir);
        if (item == nullptr) {
            return errno != 0 ? lastError() : Status{};
        }
        const std::string_view name = item->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        struct stat info {};
        const bool regular = item->d_type == DT_REG;
        if (regular && !readdirNumbersHold) {
            readdirNumbersHold = ::fstatat(dirFd, item->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
                                 info.st_ino == item->d_ino;
        }
        if (regular && *readdirNumbersHold) {
            visit({name, static_cast<std::uint64_t>(item->d_ino), false});
            continue;
        }
        // On a share each look is a round trip: a file or folder nobody asks the number of is
        // told by its kind alone.
        if ((regular || item->d_type == DT_DIR) && !wanted(name)) {
            visit({name, 0, !regular});
            continue;
        }
        const Result<struct statx> looked = lookAt(dirFd, item->d_name);
        if (!looked.ok()) {
            continue;  // gone since readdir saw it
        }
        // A link to a folder counts as a folder, as in a listing.
        struct stat target {};
        const bool isDirectory =
            S_ISDIR(looked->stx_mode) ||
            (S_ISLNK(looked->stx_mode) && ::fstatat(dirFd, item->d_name, &target, 0) == 0 &&
             S_ISDIR(target.st_mode));
        visit({name, looked->stx_ino, isDirectory, true, looked->stx_size,
               nanosecondsOf(looked->stx_mtime), birthTimeOf(*looked)});
    }
}

Status PosixFileSystem::canEnter(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return lastError();
    }
    if (!S_ISDIR(info.st_mode)) {
        return Status::fromErrno(ENOTDIR);
    }
    if (::access(path.c_str(), X_OK) != 0) {
        return lastError();
    }
    return {};
}

std::size_t PosixFileSystem::longestNameIn(const std::string& path) {
    const long longest = ::pathconf(path.c_str(), _PC_NAME_MAX);
    // -1 also stands for "no limit", which a name still meets at the kernel's own bound.
    return longest > 0 ? static_cast<std::size_t>(longest) : kUsualLongestName;
}

Status PosixFileSystem::writeFile(const std::string& path, const FileContents& contents,
                                  WriteMode mode) {
    const auto [parent, name] = splitPath(path);
    const Result<Directory> directory = openDirectory(parent);
    if (!directory.ok()) {
        return directory.status();
    }
    return writeInside(directory->descriptor(), name, contents, mode);
}

namespace {

// Opens a regular file for reading, its size in `size`; the descriptor, for the caller to own.
Result<int> openRegularFile(const std::string& path, std::uint64_t& size) {
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
    size = static_cast<std::uint64_t>(info.st_size);
    return fd.release();
}

// One read, taken again when a signal cut it short: the bytes read, 0 at the file's end.
Result<std::size_t> readOnce(int fd, char* into, std::size_t bytes) {
    for (;;) {
        const ssize_t got = ::read(fd, into, bytes);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            return lastError();
        }
    }
}

}  // namespace

Result<std::string> PosixFileSystem::readFileStart(const std::string& path, std::size_t bytes) {
    std::uint64_t size = 0;
    const Result<int> opened = openRegularFile(path, size);
    if (!opened.ok()) {
        return opened.status();
    }
    const FileDescriptor fd(*opened);
    std::string start(bytes, '\0');
    std::size_t got = 0;
    while (got < bytes) {
        const Result<std::size_t> read = readOnce(fd.get(), start.data() + got, bytes - got);
        if (!read.ok()) {
            return read.status();
        }
        if (*read == 0) {
            break;
        }
        got += *read;
    }
    start.resize(got);
    return start;
}

Result<std::string> PosixFileSystem::readFile(const std::string& path, std::size_t maxBytes) {
    std::uint64_t size = 0;
    const Result<int> opened = openRegularFile(path, size);
    if (!opened.ok()) {
        return opened.status();
    }
    const FileDescriptor fd(*opened);
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
        const Result<std::size_t> got = readOnce(fd.get(), buffer, wanted);
        if (!got.ok()) {
            return got.status();
        }
        if (*got == 0) {
            break;
        }
        if (*got > room) {
            return Status::fromErrno(EFBIG);
        }
        contents.append(buffer, *got);
    }
    return contents;
}

Status PosixFileSystem::removeFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0) {
        return lastError();
    }
    return {};
}

Result<FileIdentity> PosixFileSystem::identify(const std::string& path) {
    const Result<struct statx> info = lookAt(AT_FDCWD, path.c_str());
    if (!info.ok()) {
        return info.status();
    }
    return identityOf(*info);
}

Status PosixFileSystem::makeDirectories(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (!prefix.empty() && ::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
            return lastError();
        }
        if (slash == std::string::npos) {
            break;
        }
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return lastError();
    }
    return S_ISDIR(info.st_mode) ? Status{} : Status::fromErrno(ENOTDIR);
}

namespace {

// A lock file is removed by whoever holds it whole and finds it no one else's: a lock taken on
// a file that went meanwhile guards nothing, and is taken again on the one there now.
Result<FileLock> lockFileAt(const std::string& path, int mode) {
    constexpr int kTries = 8;
    for (int tries = 0;; ++tries) {
        FileDescriptor fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
        if (fd.get() < 0) {
            return lastError();
        }
        if (::flock(fd.get(), mode | LOCK_NB) != 0) {
            return lastError();
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd.get(), &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            return FileLock(fd.release());
        }
        if (tries + 1 == kTries) {
            return Status::fromErrno(EWOULDBLOCK);  // others keep taking and removing it
        }
    }
}

}  // namespace

Result<FileLock> PosixFileSystem::lockFile(const std::string& path) {
    return lockFileAt(path, LOCK_EX);
}

Result<FileLock> PosixFileSystem::lockFileShared(const std::string& path) {
    return lockFileAt(path, LOCK_SH);
}

Result<std::vector<FileIdentity>> PosixFileSystem::foldersAbove(const Directory& directory) {
    std::vector<FileIdentity> above;
    FileDescriptor current(::fcntl(directory.descriptor(), F_DUPFD_CLOEXEC, 0));
    Result<struct statx> here = lookAt(current.get(), ".");
    // A folder's ".." is itself at the root; a loop of mounts is cut off all the same.
    constexpr std::size_t kDeepest = 4096;
    while (here.ok() && above.size() < kDeepest) {
        FileDescriptor parent(::openat(current.get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        const Result<struct statx> up =
            parent.get() >= 0 ? lookAt(parent.get(), ".") : Result<struct statx>(lastError());
        if (!up.ok()) {
            break;  // a folder above that may not be entered ends what can be told
        }
        const FileIdentity upper = identityOf(*up);
        if (upper.sameFileAs(identityOf(*here))) {
            break;
        }
        above.push_back(upper);
        current = std::move(parent);
        here = up;
    }
    return above;
}

Result<FileLock> PosixFileSystem::lockDirectory(const Directory& directory) {
    // What is decided under the lock is decided on folders opened under it.
    directory.subfolders().clear();
    // A descriptor of its own, since the lock lasts as long as its descriptor.
    FileDescriptor fd(::openat(directory.descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0) {
        return lastError();
    }
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        return lastError();
    }
    return FileLock(fd.release());
}

Result<Directory> PosixFileSystem::openDirectory(const std::string& path) {
    const int fd = ::open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return lastError();
    }
    return Directory(fd, path);
}

Result<Directory> PosixFileSystem::openDirectoryIn(const Directory& directory,
                                                   const std::string& name) {
    const Result<int> fd = openFolderBeneath(directory.descriptor(), name);
    if (!fd.ok()) {
        return fd.status();
    }
    return Directory(*fd, directory.path() + "/" + name);
}

Status PosixFileSystem::makeDirectoryIn(const Directory& directory, const std::string& name) {
    const NameBeneath folder(directory, name);
    if (!folder.ok()) {
        return folder.status();
    }
    if (::mkdirat(folder.folder(), folder.leaf(), 0777) != 0) {
        return lastError();
    }
    return {};
}

Status PosixFileSystem::removeDirectoryIn(const Directory& directory, const std::string& name) {
    const NameBeneath folder(directory, name);
    if (!folder.ok()) {
        return folder.status();
    }
    if (::unlinkat(folder.folder(), folder.leaf(), AT_REMOVEDIR) != 0) {
        return lastError();
    }
    directory.subfolders().forget(name);
    return {};
}

Status renameStatusOn(unsigned long filesystemType, Status failed) {
    // FUSE, NFS, SMB, CIFS, SMB2, 9p, AFS, Ceph, Coda.
    constexpr std::array<unsigned long, 9> kShares = {0x65735546UL, 0x6969UL,     0x517bUL,
                                                      0xff534d42UL, 0xfe534d42UL, 0x01021997UL,
                                                      0x5346414fUL, 0x00c36400UL, 0x73757245UL};
    if (failed.error() != EPERM ||
        std::find(kShares.begin(), kShares.end(), filesystemType) == kShares.end()) {
        return failed;
    }
    return failed.onShare();
}

Status PosixFileSystem::renameIn(const Directory& directory, const std::string& from,
                                 const std::string& to) {
    const Status renamed = renameInside(directory, from, to);
    if (renamed.ok()) {
        // A folder renamed is no longer where its path said.
        directory.subfolders().forget(from);
        return renamed;
    }
    struct statfs info {};
    // The filesystem is asked only when the rename failed as a share's refusal would.
    if (renamed.error() != EPERM || ::fstatfs(directory.descriptor(), &info) != 0) {
        return renamed;
    }
    return renameStatusOn(static_cast<unsigned long>(info.f_type), renamed);
}

Status PosixFileSystem::writeFileIn(const Directory& directory, const std::string& name,
                                    const FileContents& contents, WriteMode mode) {
    const NameBeneath file(directory, name);
    if (!file.ok()) {
        return file.status();
    }
    return writeInside(file.folder(), file.leaf(), contents, mode);
}

Status PosixFileSystem::removeFileIn(const Directory& directory, const std::string& name) {
    const NameBeneath file(directory, name);
    if (!file.ok()) {
        return file.status();
    }
    if (::unlinkat(file.folder(), file.leaf(), 0) != 0) {
        return lastError();
    }
    return {};
}

Result<FileIdentity> PosixFileSystem::identifyIn(const Directory& directory,
                                                 const std::string& name) {
    const NameBeneath file(directory, name);
    if (!file.ok()) {
        return file.status();
    }
    const Result<struct statx> info = lookAt(file.folder(), file.leaf());
    if (!info.ok()) {
        return info.status();
    }
    return identityOf(*info);
}

bool PosixFileSystem::keepsFileNumbers(const Directory& directory) {
    struct statfs info {};
    if (::fstatfs(directory.descriptor(), &info) != 0) {
        return false;
    }
    // FUSE (sshfs gives readdir no numbers, exfat-fuse forgets them), FAT and exFAT (numbers
    // made up as files are looked at) and SMB shares mounted without server numbers.
    constexpr std::array<unsigned long, 5> kRenumbering = {0x65735546UL, 0x4d44UL, 0x2011bab0UL,
                                                           0xff534d42UL, 0xfe534d42UL};
    const auto type = static_cast<unsigned long>(info.f_type);
    return std::find(kRenumbering.begin(), kRenumbering.end(), type) == kRenumbering.end();
}

namespace {

// Fills `buffer` from `fd` up to its size or the end; the bytes read, or -1.
ssize_t readUpTo(int fd, std::vector<char>& buffer) {
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        const ssize_t got = ::read(fd, buffer.data() + filled, buffer.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(filled);
}

}  // namespace

bool PosixFileSystem::holdSameBytesIn(const Directory& directory, const std::string& first,
                                      const std::string& second) {
    constexpr int kFlags = O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
    const NameBeneath oneName(directory, first);
    const NameBeneath otherName(directory, second);
    const FileDescriptor one(oneName.ok() ? ::openat(oneName.folder(), oneName.leaf(), kFlags)
                                          : -1);
    const FileDescriptor other(
        otherName.ok() ? ::openat(otherName.folder(), otherName.leaf(), kFlags) : -1);
    struct stat oneInfo {};
    struct stat otherInfo {};
    if (one.get() < 0 || other.get() < 0 || ::fstat(one.get(), &oneInfo) != 0 ||
        ::fstat(other.get(), &otherInfo) != 0 || !S_ISREG(oneInfo.st_mode) ||
        !S_ISREG(otherInfo.st_mode) || oneInfo.st_size != otherInfo.st_size) {
        return false;
    }
    constexpr std::size_t kChunk = 1 << 16;
    std::vector<char> oneBytes(kChunk);
    std::vector<char> otherBytes(kChunk);
    for (;;) {
        const ssize_t got = readUpTo(one.get(), oneBytes);
        if (got < 0 || readUpTo(other.get(), otherBytes) != got ||
            !std::equal(oneBytes.begin(), oneBytes.begin() + got, otherBytes.begin())) {
            return false;
        }
        if (static_cast<std::size_t>(got) < kChunk) {
            return true;
        }
    }
}

bool isWriteTemporary(std::string_view entryName, std::string_view targetSuffix) {
    // "." NAME "." sixteen hex digits "~", NAME ending with the suffix.
    const std::size_t tail = 1 + kTemporaryDigits + 1;
    if (entryName.size() < 1 + targetSuffix.size() + tail || !entryName.starts_with('.') ||
        !entryName.ends_with('~')) {
        return false;
    }
    const std::string_view digits = entryName.substr(entryName.size() - tail + 1, kTemporaryDigits);
    const std::string_view target = entryName.substr(1, entryName.size() - 1 - tail);
    return entryName[entryName.size() - tail] == '.' && target.ends_with(targetSuffix) &&
           digits.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

}  // namespace nameshift::platform
