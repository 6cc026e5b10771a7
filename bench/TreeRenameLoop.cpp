// The yardstick of cli_tree_bench.sh: the least work a renamer of a whole tree must do. It walks
// the tree with nftw (not following links, not leaving the filesystem), keeping each regular
// file's folder and name, then opens each folder once and renames each of its files to PREFIX +
// its name with one renameat2 call that never replaces a file.
#include <fcntl.h>
#include <ftw.h>
#include <linux/fs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_tree_loop DIRECTORY PREFIX\n");
        return 64;
    }
    // All names are read before the first rename, so that no renamed file is listed again.
    if (::nftw(argv[1], collect, 64, FTW_PHYS | FTW_MOUNT) != 0) {
        std::perror(argv[1]);
        return 2;
    }
    const std::string_view prefix = argv[2];
    std::string target;
    std::size_t failures = 0;
    std::size_t total = 0;
    for (const Folder& folder : folders) {
        if (folder.names.empty()) {
            continue;
        }
        const int fd = ::open(folder.path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
        if (fd < 0) {
            std::perror(folder.path.c_str());
            return 2;
        }
        for (const std::string& name : folder.names) {
            target.assign(prefix).append(name);
            failures += ::syscall(SYS_renameat2, fd, name.c_str(), fd, target.c_str(),
                                  RENAME_NOREPLACE) == 0
                            ? 0
                            : 1;
            ++total;
        }
        ::close(fd);
    }
    if (failures != 0) {
        std::fprintf(stderr, "%zu of %zu renames failed\n", failures, total);
        return 1;
    }
    return 0;
}
