// The yardstick of cli_tree_bench.sh: the least work a renamer of a whole tree must do. It walks
// the tree with nftw (not following links, not leaving the filesystem), keeping each regular
// file's folder and name, then opens each folder once and renames each of its files to PREFIX +
// its name with one renameat2 call that never replaces a file. With --threads each folder is
// renamed by a thread of its own (at most kMostThreads at once), as a renamer that spreads a tree
// over a share's many requests in flight would: the yardstick of share_rename_bench.sh.
#include <fcntl.h>
#include <ftw.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "RenameNoReplace.h"

namespace {

struct Folder {
    std::string path;
    std::vector<std::string> names;
};

// nftw takes no context pointer, so the walk's result lives here: every folder met, and which
// of them is open at each level of the walk.
std::vector<Folder> folders;
std::vector<std::size_t> openAt;

int collect(const char* path, const struct stat*, int type, FTW* at) {
    const auto level = static_cast<std::size_t>(at->level);
    if (type == FTW_D) {
        openAt.resize(level);
        openAt.push_back(folders.size());
        folders.push_back({path, {}});
    } else if (type == FTW_F && level > 0) {
        folders[openAt[level - 1]].names.emplace_back(path + at->base);
    }
    return 0;
}

constexpr std::size_t kMostThreads = 128;

// Renames the files of one folder; the renames that failed, or -1 when the folder cannot be
// opened.
long renameFolder(const Folder& folder, std::string_view prefix) {
    const int fd = ::open(folder.path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    if (fd < 0) {
        std::perror(folder.path.c_str());
        return -1;
    }
    std::string target;
    long failures = 0;
    for (const std::string& name : folder.names) {
        target.assign(prefix).append(name);
        failures += renameNoReplace(fd, name.c_str(), target.c_str()) ? 0 : 1;
    }
    ::close(fd);
    return failures;
}

// The folders taken in turn by `threads` threads, each folder whole by one of them.
long renameFolders(std::string_view prefix, std::size_t threads) {
    std::atomic<std::size_t> next{0};
    std::atomic<long> failures{0};
    std::atomic<bool> unopened{false};
    const auto work = [&] {
        for (std::size_t i = next++; i < folders.size(); i = next++) {
            const long failed = renameFolder(folders[i], prefix);
            if (failed < 0) {
                unopened = true;
            } else {
                failures += failed;
            }
        }
    };
    std::vector<std::thread> running;
    for (std::size_t i = 1; i < threads; ++i) {
        running.emplace_back(work);
    }
    work();
    for (std::thread& thread : running) {
        thread.join();
    }
    return unopened ? -1 : failures.load();
}

}  // namespace

int main(int argc, char** argv) {
    const bool threaded = argc == 4 && std::string_view(argv[1]) == "--threads";
    if (argc != 3 && !threaded) {
        std::fprintf(stderr, "usage: bench_tree_loop [--threads] DIRECTORY PREFIX\n");
        return 64;
    }
    const char* directory = argv[threaded ? 2 : 1];
    const std::string_view prefix = argv[threaded ? 3 : 2];
    // All names are read before the first rename, so that no renamed file is listed again.
    if (::nftw(directory, collect, 64, FTW_PHYS | FTW_MOUNT) != 0) {
        std::perror(directory);
        return 2;
    }
    std::erase_if(folders, [](const Folder& folder) { return folder.names.empty(); });
    std::size_t total = 0;
    for (const Folder& folder : folders) {
        total += folder.names.size();
    }
    const long failures = renameFolders(
        prefix, threaded ? std::clamp<std::size_t>(folders.size(), 1, kMostThreads) : 1);
    if (failures < 0) {
        return 2;
    }
    if (failures != 0) {
        std::fprintf(stderr, "%ld of %zu renames failed\n", failures, total);
        return 1;
    }
    return 0;
}
