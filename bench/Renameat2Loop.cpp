// The yardstick of cli_rename_bench.sh: the least work any batch renamer must do. It reads the
// names of a directory's regular files, then renames each to PREFIX + its name with one
// renameat2 call that never replaces a file. With --pairs it instead reads old and new names,
// NUL-separated, from PAIRS and renames them in the order given, as a renamer that has already
// worked out the order of a chain would.
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "RenameNoReplace.h"

namespace {

int report(std::size_t failures, std::size_t total) {
    if (failures != 0) {
        std::fprintf(stderr, "%zu of %zu renames failed\n", failures, total);
        return 1;
    }
    return 0;
}

int renameWithPrefix(int directory, const char* path, std::string_view prefix) {
    DIR* listing = ::fdopendir(::dup(directory));
    if (listing == nullptr) {
        std::perror(path);
        return 2;
    }
    // All names are read before the first rename, so that no renamed file is listed again.
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(listing)) {
        if (entry->d_type == DT_REG) {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(listing);
    std::string target;
    std::size_t failures = 0;
    for (const std::string& name : names) {
        target.assign(prefix).append(name);
        failures += renameNoReplace(directory, name.c_str(), target.c_str()) ? 0 : 1;
    }
    return report(failures, names.size());
}

int renamePairs(int directory, const char* pairsPath) {
    std::ifstream in(pairsPath, std::ios::binary);
    const std::string pairs((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && in.fail()) {
        std::perror(pairsPath);
        return 2;
    }
    std::size_t failures = 0;
    std::size_t total = 0;
    for (const char* at = pairs.data(); at < pairs.data() + pairs.size();) {
        const char* from = at;
        const char* to = from + std::strlen(from) + 1;
        at = to + std::strlen(to) + 1;
        failures += renameNoReplace(directory, from, to) ? 0 : 1;
        ++total;
    }
    return report(failures, total);
}

}  // namespace

int main(int argc, char** argv) {
    const bool pairs = argc == 4 && std::string_view(argv[1]) == "--pairs";
    if (argc != 3 && !pairs) {
        std::fprintf(stderr,
                     "usage: bench_renameat2_loop DIRECTORY PREFIX\n"
                     "       bench_renameat2_loop --pairs PAIRS DIRECTORY\n");
        return 64;
    }
    const char* path = pairs ? argv[3] : argv[1];
    const int directory = ::open(path, O_RDONLY | O_DIRECTORY);
    if (directory < 0) {
        std::perror(path);
        return 2;
    }
    const int status =
        pairs ? renamePairs(directory, argv[2]) : renameWithPrefix(directory, path, argv[2]);
    ::close(directory);
    return status;
}
