// A share with a round trip of a chosen length: a FUSE passthrough to a backing folder that
// waits DELAY_MS before it answers each request, answers many requests at once as a server
// would, and counts them by kind. The counts go to COUNTS, one "kind count" a line, when the
// folder is unmounted or the tool is told to stop. Files are numbered with the backing
// folder's own inode numbers, in listings as in stat, unless --listing-inodes=none gives every
// listed file the number sshfs gives, so that the listing's numbers say nothing.
// Usage: bench_delay_fs BACKING MOUNTPOINT DELAY_MS COUNTS [--listing-inodes=none] [FUSE options]
#define FUSE_USE_VERSION 35
#include <dirent.h>
#include <fcntl.h>
#include <fuse.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

namespace {

enum Kind {
    GetAttr,
    Access,
    ReadLink,
    OpenDir,
    ReadDir,
    ReleaseDir,
    MkNod,
    MkDir,
    Unlink,
    RmDir,
    SymLink,
    Rename,
    Link,
    ChMod,
    ChOwn,
    Truncate,
    Utimens,
    Open,
    Create,
    Read,
    Write,
    StatFs,
    Flush,
    Release,
    FSync,
    KindCount
};
constexpr std::array<const char*, KindCount> kindNames = {
    "getattr", "access",   "readlink", "opendir", "readdir", "releasedir", "mknod",
    "mkdir",   "unlink",   "rmdir",    "symlink", "rename",  "link",       "chmod",
    "chown",   "truncate", "utimens",  "open",    "create",  "read",       "write",
    "statfs",  "flush",    "release",  "fsync"};

int backing = -1;
std::chrono::microseconds delay{0};
const char* countsPath = nullptr;
bool listingInodes = true;
std::array<std::atomic<unsigned long>, KindCount> counts{};

// Open listings by the handle the kernel holds for each.
std::mutex listingsLock;
std::unordered_map<std::uint64_t, DIR*> listings;
std::uint64_t lastListing = 0;

DIR* listingOf(const fuse_file_info* fi) {
    const std::lock_guard<std::mutex> held(listingsLock);
    return listings.at(fi->fh);
}

// Every request pays the round trip before it is served; requests served by other threads
// wait beside it, not behind it.
void roundTrip(Kind kind) {
    counts[kind].fetch_add(1, std::memory_order_relaxed);
    if (delay.count() > 0) {
        std::this_thread::sleep_for(delay);
    }
}

// The backing folder's name of a mounted path: relative to it, "." for its top.
const char* relative(const char* path) {
    while (*path == '/') {
        ++path;
    }
    return *path == '\0' ? "." : path;
}

int result(int returned) {
    return returned < 0 ? -errno : 0;
}

int getAttr(const char* path, struct stat* st, fuse_file_info* fi) {
    roundTrip(GetAttr);
    if (fi != nullptr) {
        return result(::fstat(static_cast<int>(fi->fh), st));
    }
    return result(::fstatat(backing, relative(path), st, AT_SYMLINK_NOFOLLOW));
}

int access(const char* path, int mask) {
    roundTrip(Access);
    return result(::faccessat(backing, relative(path), mask, 0));
}

int readLink(const char* path, char* buffer, size_t size) {
    roundTrip(ReadLink);
    const ssize_t length = ::readlinkat(backing, relative(path), buffer, size - 1);
    if (length < 0) {
        return -errno;
    }
    buffer[length] = '\0';
    return 0;
}

int openDir(const char* path, fuse_file_info* fi) {
    roundTrip(OpenDir);
    const int fd = ::openat(backing, relative(path), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (dir == nullptr) {
        const int error = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        return -error;
    }
    const std::lock_guard<std::mutex> held(listingsLock);
    fi->fh = ++lastListing;
    listings.emplace(fi->fh, dir);
    return 0;
}

// One request a batch of entries, as the kernel asks for them, each batch a round trip; the
// offsets are the backing listing's own, so a later request goes on where the last one ended.
int readDir(const char*, void* buffer, fuse_fill_dir_t fill, off_t offset, fuse_file_info* fi,
            fuse_readdir_flags) {
    roundTrip(ReadDir);
    DIR* dir = listingOf(fi);
    if (offset != ::telldir(dir)) {
        ::seekdir(dir, offset);
    }
    while (true) {
        errno = 0;
        const long before = ::telldir(dir);
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            return -errno;
        }
        struct stat st {};
        st.st_ino = listingInodes ? entry->d_ino : 0xffffffffU;
        st.st_mode = static_cast<mode_t>(DTTOIF(entry->d_type));
        if (fill(buffer, entry->d_name, &st, ::telldir(dir), fuse_fill_dir_flags{}) != 0) {
            ::seekdir(dir, before);
            return 0;
        }
    }
}

int releaseDir(const char*, fuse_file_info* fi) {
    roundTrip(ReleaseDir);
    ::closedir(listingOf(fi));
    const std::lock_guard<std::mutex> held(listingsLock);
    listings.erase(fi->fh);
    return 0;
}

int mkNod(const char* path, mode_t mode, dev_t device) {
    roundTrip(MkNod);
    return result(::mknodat(backing, relative(path), mode, device));
}

int mkDir(const char* path, mode_t mode) {
    roundTrip(MkDir);
    return result(::mkdirat(backing, relative(path), mode));
}

int unlink(const char* path) {
    roundTrip(Unlink);
    return result(::unlinkat(backing, relative(path), 0));
}

int rmDir(const char* path) {
    roundTrip(RmDir);
    return result(::unlinkat(backing, relative(path), AT_REMOVEDIR));
}

int symLink(const char* target, const char* path) {
    roundTrip(SymLink);
    return result(::symlinkat(target, backing, relative(path)));
}

int rename(const char* from, const char* to, unsigned int flags) {
    roundTrip(Rename);
    return result(static_cast<int>(
        ::syscall(SYS_renameat2, backing, relative(from), backing, relative(to), flags)));
}

int link(const char* from, const char* to) {
    roundTrip(Link);
    return result(::linkat(backing, relative(from), backing, relative(to), 0));
}

int chMod(const char* path, mode_t mode, fuse_file_info*) {
    roundTrip(ChMod);
    return result(::fchmodat(backing, relative(path), mode, 0));
}

int chOwn(const char* path, uid_t uid, gid_t gid, fuse_file_info*) {
    roundTrip(ChOwn);
    return result(::fchownat(backing, relative(path), uid, gid, AT_SYMLINK_NOFOLLOW));
}

int truncate(const char* path, off_t size, fuse_file_info* fi) {
    roundTrip(Truncate);
    if (fi != nullptr) {
        return result(::ftruncate(static_cast<int>(fi->fh), size));
    }
    const int fd = ::openat(backing, relative(path), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return -errno;
    }
    const int returned = result(::ftruncate(fd, size));
    ::close(fd);
    return returned;
}

int utimens(const char* path, const timespec times[2], fuse_file_info* fi) {
    roundTrip(Utimens);
    if (fi != nullptr) {
        return result(::futimens(static_cast<int>(fi->fh), times));
    }
    return result(::utimensat(backing, relative(path), times, AT_SYMLINK_NOFOLLOW));
}

int open(const char* path, fuse_file_info* fi) {
    roundTrip(Open);
    const int fd = ::openat(backing, relative(path), (fi->flags & ~O_NOFOLLOW) | O_CLOEXEC);
    if (fd < 0) {
        return -errno;
    }
    fi->fh = static_cast<uint64_t>(fd);
    return 0;
}

int create(const char* path, mode_t mode, fuse_file_info* fi) {
    roundTrip(Create);
    const int fd = ::openat(backing, relative(path), fi->flags | O_CLOEXEC, mode);
    if (fd < 0) {
        return -errno;
    }
    fi->fh = static_cast<uint64_t>(fd);
    return 0;
}

int read(const char*, char* buffer, size_t size, off_t offset, fuse_file_info* fi) {
    roundTrip(Read);
    const ssize_t length = ::pread(static_cast<int>(fi->fh), buffer, size, offset);
    return length < 0 ? -errno : static_cast<int>(length);
}

int write(const char*, const char* buffer, size_t size, off_t offset, fuse_file_info* fi) {
    roundTrip(Write);
    const ssize_t length = ::pwrite(static_cast<int>(fi->fh), buffer, size, offset);
    return length < 0 ? -errno : static_cast<int>(length);
}

int statFs(const char*, struct statvfs* st) {
    roundTrip(StatFs);
    return result(::fstatvfs(backing, st));
}

int flush(const char*, fuse_file_info*) {
    roundTrip(Flush);
    return 0;
}

int release(const char*, fuse_file_info* fi) {
    roundTrip(Release);
    ::close(static_cast<int>(fi->fh));
    return 0;
}

int fSync(const char*, int dataOnly, fuse_file_info* fi) {
    roundTrip(FSync);
    const int fd = static_cast<int>(fi->fh);
    return result(dataOnly != 0 ? ::fdatasync(fd) : ::fsync(fd));
}

void* init(fuse_conn_info*, fuse_config* config) {
    // The backing folder's numbers, as a server gives its own; and nothing kept longer than a
    // share's client would keep it.
    config->use_ino = 1;
    config->readdir_ino = 0;
    config->entry_timeout = 1.0;
    config->attr_timeout = 1.0;
    config->negative_timeout = 0.0;
    return nullptr;
}

void writeCounts() {
    FILE* out = std::fopen(countsPath, "w");
    if (out == nullptr) {
        std::perror(countsPath);
        return;
    }
    for (std::size_t kind = 0; kind < KindCount; ++kind) {
        const unsigned long count = counts[kind].load();
        if (count != 0) {
            std::fprintf(out, "%s %lu\n", kindNames[kind], count);
        }
    }
    std::fclose(out);
}

// Unmounting and SIGINT, SIGTERM or SIGHUP all end fuse_main's loop through here.
void destroy(void*) {
    writeCounts();
}

fuse_operations operations() {
    fuse_operations ops{};
    ops.getattr = getAttr;
    ops.readlink = readLink;
    ops.mknod = mkNod;
    ops.mkdir = mkDir;
    ops.unlink = unlink;
    ops.rmdir = rmDir;
    ops.symlink = symLink;
    ops.rename = rename;
    ops.link = link;
    ops.chmod = chMod;
    ops.chown = chOwn;
    ops.truncate = truncate;
    ops.open = open;
    ops.read = read;
    ops.write = write;
    ops.statfs = statFs;
    ops.flush = flush;
    ops.release = release;
    ops.fsync = fSync;
    ops.opendir = openDir;
    ops.readdir = readDir;
    ops.releasedir = releaseDir;
    ops.init = init;
    ops.destroy = destroy;
    ops.access = access;
    ops.create = create;
    ops.utimens = utimens;
    return ops;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr,
                     "usage: %s BACKING MOUNTPOINT DELAY_MS COUNTS [--listing-inodes=none] "
                     "[FUSE options]\n",
                     argv[0]);
        return 2;
    }
    backing = ::open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (backing < 0) {
        std::perror(argv[1]);
        return 2;
    }
    delay = std::chrono::microseconds(std::llround(std::strtod(argv[3], nullptr) * 1000.0));
    countsPath = argv[4];
    // In the foreground, so that the bench knows when the counts are written; multithreaded,
    // as fuse_main is unless told -s.
    std::vector<char*> fuseArgs = {argv[0], argv[2], const_cast<char*>("-f")};
    for (int i = 5; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--listing-inodes=none") {
            listingInodes = false;
        } else {
            fuseArgs.push_back(argv[i]);
        }
    }
    const fuse_operations ops = operations();
    return fuse_main(static_cast<int>(fuseArgs.size()), fuseArgs.data(), &ops, nullptr);
}
