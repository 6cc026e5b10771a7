// The yardstick of cli_rename_bench.sh: the least work any batch renamer must do. It reads the
// names of a directory's regular files, then renames each to PREFIX + its name with one
// renameat2 call that never replaces a file.
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_renameat2_loop DIRECTORY PREFIX\n");
        return 64;
    }
    const int directory = ::open(argv[1], O_RDONLY | O_DIRECTORY);
    DIR* listing = directory < 0 ? nullptr : ::fdopendir(::dup(directory));
    if (listing == nullptr) {
        std::perror(argv[1]);
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

    const std::string_view prefix = argv[2];
    std::string target;
    std::size_t failures = 0;
    for (const std::string& name : names) {
        target.assign(prefix).append(name);
        if (::syscall(SYS_renameat2, directory, name.c_str(), directory, target.c_str(),
                      RENAME_NOREPLACE) != 0) {
            ++failures;
        }
    }
    ::close(directory);
    if (failures != 0) {
        std::fprintf(stderr, "%zu of %zu renames failed\n", failures, names.size());
        return 1;
    }
    return 0;
}
