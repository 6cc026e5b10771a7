#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

namespace nameshift::bench {

// A temporary directory of `count` empty files with varied names and extensions, made once per
// size and kept for the whole run, removed at exit.
inline const std::string& directoryWithFiles(int count) {
    struct Directories {
        std::map<int, std::string> paths;
        ~Directories() {
            for (const auto& [count, path] : paths) {
                std::error_code ignored;
                std::filesystem::remove_all(path, ignored);
            }
        }
    };
    static Directories directories;
    auto found = directories.paths.find(count);
    if (found != directories.paths.end()) {
        return found->second;
    }
    std::string path = (std::filesystem::temp_directory_path() / "nameshift-bench-XXXXXX").string();
    if (::mkdtemp(path.data()) == nullptr) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    static const char* const kExtensions[] = {".mp3", ".txt", ".JPG", ".tar.gz", "", ".md"};
    for (int i = 0; i < count; ++i) {
        char name[96];
        std::snprintf(name, sizeof name, "%s/File %07d (%c)%s", path.c_str(), (i * 7919) % count,
                      'a' + i % 26, kExtensions[i % 6]);
        const int fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) {
            std::perror("open");
            std::exit(1);
        }
        if (i % 3 == 0) {
            (void)!::write(fd, name, static_cast<std::size_t>(i % 50));
        }
        ::close(fd);
    }
    return directories.paths.emplace(count, std::move(path)).first->second;
}

}  // namespace nameshift::bench
