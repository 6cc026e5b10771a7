#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/contents/TagReader.h"
#include "platform/MessageBox.h"

namespace nameshift::fuzzing {

// A folder of files and a state folder under TMPDIR, emptied before each input, for the targets
// that run a whole command on what they read.
class FuzzFolder {
public:
    FuzzFolder() {
        const char* temporary = std::getenv("TMPDIR");
        root_ = std::filesystem::path(temporary != nullptr ? temporary : "/tmp") /
                ("nameshift-fuzz-" + std::to_string(::getpid()));
    }
    ~FuzzFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    void clear() {
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(files());
        std::filesystem::create_directories(state());
        std::filesystem::permissions(state(), std::filesystem::perms::owner_all);
    }
    std::string files() const { return (root_ / "files").string(); }
    std::string state() const { return (root_ / "state").string(); }

    // Makes `name` in the files folder unless something has it; its inode, or 0.
    std::uint64_t make(const std::string& name) const {
        const std::string path = files() + "/" + name;
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0) {
            return 0;
        }
        std::ofstream(path) << name;
        return ::lstat(path.c_str(), &info) == 0 ? info.st_ino : 0;
    }
    // Every file is still in the files folder: none left it.
    std::size_t count() const {
        std::size_t found = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(files())) {
            ++found;
        }
        return found;
    }

private:
    std::filesystem::path root_;
};

// Answers every question Yes and shows nothing.
class SilentMessages final : public platform::MessageBox {
public:
    using MessageBox::show;
    platform::Answer show(const platform::Message&) override { return platform::Answer::Yes; }
};

class NoTags final : public engine::TagReader {
public:
    engine::TagTexts read(const std::string&) override { return {}; }
};

}  // namespace nameshift::fuzzing
